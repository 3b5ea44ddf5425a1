// Any bytes as an animation clip: parsed and every frame decoded, or refused,
// never an over-read. Frame counts and sizes are the file's word, so a clip
// that claims huge frames is skipped rather than decoded.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/avi.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string error;
  auto clip = tvz::AviClip::parse(std::vector<std::uint8_t>(data, data + size), &error);
  if (!clip) return 0;
  if (static_cast<long long>(clip->width()) * clip->height() > 1024 * 1024) return 0;
  tvz::Bitmap frame;
  for (int i = 0; i < clip->frameCount() && i < 64; ++i) clip->decodeFrame(i, frame);
  return 0;
}
