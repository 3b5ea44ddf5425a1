// The core services at their real sizes: decoding a full-screen picture,
// assembling the opening soundtrack from clips, loading the question bank.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/error_log.h"
#include "core/jpeg_decoder.h"
#include "core/media.h"
#include "core/question_bank.h"
#include "core/scramble.h"
#include "core/sound.h"

namespace tvz {
namespace {

void WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteScrambled(const std::string& name, std::vector<std::uint8_t> bytes, ScrambleKey key) {
  Scramble(bytes.data(), bytes.size(), key.start, key.count, key.step);
  WriteBytes(name, bytes);
}

// A picture with the detail of a studio photograph: gradients plus noise.
Bitmap StudioLikePicture() {
  Bitmap picture(800, 600);
  std::mt19937 random(42);
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      const int noise = static_cast<int>(random() % 48);
      picture.setPixel(x, y, rgb(x * 255 / 800 / 2 + noise, y * 255 / 600 / 2 + noise, (x ^ y) % 128 + noise));
    }
  return picture;
}

std::vector<std::int16_t> Tone(std::size_t samples, int period, int level) {
  std::vector<std::int16_t> out(samples);
  for (std::size_t i = 0; i < samples; ++i)
    out[i] = static_cast<std::int16_t>((static_cast<int>(i % period) * 2 - period) * level / period);
  return out;
}

void WriteQuestionBank() {
  std::vector<std::uint8_t> index(kQuestionIndexBytes);
  std::string questions, answers;
  for (int f = 0; f < 400; ++f) {
    const QuestionIndexRecord r{f, f % 4, 1 + f % 10, 4 * f, {4 * f + 1, 4 * f + 2, 4 * f + 3}};
    std::memcpy(index.data() + f * sizeof(r), &r, sizeof(r));
    questions += "Which of these was the subject of question number " + std::to_string(f) + "?\r\n";
    for (int a = 0; a < 4; ++a) answers += "An answer of some length " + std::to_string(4 * f + a) + "\r\n";
  }
  WriteBytes(kQuestionIndexFile, index);
  WriteScrambled(kAnswerTextFile, std::vector<std::uint8_t>(answers.begin(), answers.end()), kTextFileKey);
  WriteScrambled(kQuestionTextFile, std::vector<std::uint8_t>(questions.begin(), questions.end()),
                 kTextFileKey);
}

// All files live in one scratch directory, made once, that stays the working
// directory while the benchmarks run.
struct Workspace {
  Workspace() {
    char pattern[] = "/tmp/tvz-core-bench-XXXXXX";
    path = ::mkdtemp(pattern);
    std::filesystem::current_path(path);
    std::vector<std::uint8_t> jpeg;
    EncodeJpeg(StudioLikePicture(), 90, jpeg);
    WriteScrambled("cam3bknd.mm1", jpeg, kPictureKey);
    // The opening: host lines and names of 0.7 to 2 s, pauses, a theme bed and
    // applause to mix in.
    for (int k = 0; k < 20; ++k)
      WriteScrambled("clip" + std::to_string(k) + ".mm3",
                     MakeWav(Tone(15435 + 1500 * static_cast<std::size_t>(k), 50 + k, 8000), 22050), kSoundKey);
    WriteScrambled("s1.mm3", MakeWav(std::vector<std::int16_t>(22050, 0), 22050), kSoundKey);
    WriteScrambled("theme.mm3", MakeWav(Tone(22050 * 8, 37, 12000), 22050), kSoundKey);
    WriteScrambled("applause.mm3", MakeWav(Tone(22050 * 3, 11, 9000), 22050), kSoundKey);
    WriteQuestionBank();
  }
  ~Workspace() { std::filesystem::remove_all(path); }
  std::string path;
  std::string pending;
  ErrorLog log{pending, {}};
};

Workspace& Files() {
  static Workspace workspace;
  return workspace;
}

void BM_LoadPicture800x600(benchmark::State& state) {
  Workspace& w = Files();
  Bitmap bitmap;
  for (auto _ : state) {
    if (!LoadPicture(w.log, "cam3bknd.mm1", bitmap)) state.SkipWithError("picture failed");
    benchmark::DoNotOptimize(bitmap.pixels());
  }
}
BENCHMARK(BM_LoadPicture800x600)->Unit(benchmark::kMillisecond);

// The game's own backdrop, when this build's game directory has the media.
void BM_LoadGameBackdrop(benchmark::State& state) {
  Workspace& w = Files();
  const std::string path = std::string(TRIVENZA_GAME_DIR) + "/cam3bknd.mm1";
  if (!std::filesystem::exists(path)) {
    state.SkipWithError("no generated media in the game directory");
    return;
  }
  Bitmap bitmap;
  for (auto _ : state) {
    if (!LoadPicture(w.log, path, bitmap)) state.SkipWithError("picture failed");
    benchmark::DoNotOptimize(bitmap.pixels());
  }
}
BENCHMARK(BM_LoadGameBackdrop)->Unit(benchmark::kMillisecond);

void BM_OpeningSoundtrack(benchmark::State& state) {
  Workspace& w = Files();
  SoundBuffer voice;
  for (auto _ : state) {
    bool ok = LoadSound(w.log, voice, "s1.mm3");
    for (int k = 0; k < 20; ++k) ok = ok && AppendSound(w.log, voice, "clip" + std::to_string(k) + ".mm3");
    ok = ok && AppendSoundSpan(w.log, voice, "theme.mm3", 4000, 1000);
    std::int32_t at = 0;
    for (int m = 0; m < 12; ++m) at = MixSound(w.log, voice, m % 3 ? "applause.mm3" : "theme.mm3", 0.5f, m * 2500);
    ScaleVolume(voice, 4000, 31000, 0.8f);
    if (!ok || at == 0) state.SkipWithError("soundtrack failed");
    benchmark::DoNotOptimize(voice.bytes.data());
  }
  state.counters["seconds"] = static_cast<double>(SampleCount(voice.bytes)) / 22050.0;
}
BENCHMARK(BM_OpeningSoundtrack)->Unit(benchmark::kMillisecond);

void BM_LoadQuestionBank(benchmark::State& state) {
  Files();
  for (auto _ : state) {
    QuestionBank bank = LoadQuestionBank("");
    if (!bank.ok()) state.SkipWithError("bank failed");
    benchmark::DoNotOptimize(bank.questions.data());
  }
}
BENCHMARK(BM_LoadQuestionBank)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tvz
