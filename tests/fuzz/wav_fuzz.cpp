// Any bytes as a sound clip file: every sound operation either works on a
// canonical image or refuses it, and the speech buffer stays canonical.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/error_log.h"
#include "core/sound.h"

namespace {

// In memory where the machine offers it: a file written per input on a real
// disk would be most of the time a run takes.
const std::string& ClipPath() {
  static const std::string path =
      std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/tvz-wav-fuzz-" +
      std::to_string(::getpid()) + ".mm3";
  return path;
}

void WriteClip(const std::uint8_t* data, std::size_t size) {
  std::FILE* f = std::fopen(ClipPath().c_str(), "wb");
  if (f == nullptr) std::abort();
  std::fwrite(data, 1, size, f);
  std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Refusals are appended to error.log: run the fuzzer in a scratch directory.
  std::string pending;
  tvz::ErrorLog log(pending, {});
  WriteClip(data, size);
  std::vector<std::int16_t> base(400, 1000);
  tvz::SoundBuffer voice{tvz::MakeWav(base, 22050), {}};
  tvz::AppendSound(log, voice, ClipPath());
  tvz::AppendSoundSpan(log, voice, ClipPath(), 20, 3);
  tvz::MixSound(log, voice, ClipPath(), 0.5f, 5);
  tvz::ScaleVolume(voice, 0, 100, 0.5f);
  if (!tvz::IsCanonicalWav(voice.bytes.data(), voice.bytes.size())) std::abort();
  tvz::LoadSound(log, voice, ClipPath());
  tvz::ScaleVolume(voice, 0, 1000000, 2.0f);
  return 0;
}
