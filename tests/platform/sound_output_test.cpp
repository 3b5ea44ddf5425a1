// The sound player on SDL's dummy audio driver: which images it takes, and
// that a new sound replaces the one playing.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/sound_output.h"

namespace tvz {
namespace {

void put16(std::vector<std::uint8_t>& out, std::size_t at, unsigned value) {
  out[at] = static_cast<std::uint8_t>(value);
  out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}
void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A canonical 44-byte-header WAV image of a tone.
std::vector<std::uint8_t> toneWav(int rate, int milliseconds, int channels = 1, int bits = 16) {
  const std::size_t samples = static_cast<std::size_t>(rate) * milliseconds / 1000;
  const std::size_t dataBytes = samples * channels * bits / 8;
  std::vector<std::uint8_t> wav(44 + dataBytes);
  std::memcpy(wav.data(), "RIFF", 4);
  put32(wav, 4, static_cast<std::uint32_t>(36 + dataBytes));
  std::memcpy(wav.data() + 8, "WAVEfmt ", 8);
  put32(wav, 16, 16);
  put16(wav, 20, 1);
  put16(wav, 22, channels);
  put32(wav, 24, rate);
  put32(wav, 28, rate * channels * bits / 8);
  put16(wav, 32, channels * bits / 8);
  put16(wav, 34, bits);
  std::memcpy(wav.data() + 36, "data", 4);
  put32(wav, 40, static_cast<std::uint32_t>(dataBytes));
  for (std::size_t i = 0; i + 1 < dataBytes; i += 2) {
    put16(wav, 44 + i, static_cast<unsigned>(static_cast<int>(8000 * std::sin(i * 0.05))));
  }
  return wav;
}

class SoundOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    sound().stopAll();
    sound().clearHistory();
    sound().setRecordHistory(true);
  }
  void TearDown() override {
    sound().stopAll();
    sound().setRecordHistory(false);
    sound().clearHistory();
  }
  static SoundOutput& sound() { return SoundOutput::instance(); }

  static bool playingAfter(int milliseconds) {
    const Uint32 until = SDL_GetTicks() + milliseconds;
    while (!SDL_TICKS_PASSED(SDL_GetTicks(), until)) SDL_Delay(5);
    return sound().playing();
  }
};

TEST_F(SoundOutputTest, PlaysSixteenBitMonoAtAnyRate) {
  for (int rate : {8000, 11025, 22050, 44100}) {
    const auto wav = toneWav(rate, 400);
    EXPECT_TRUE(sound().play(wav.data(), wav.size())) << rate;
    EXPECT_TRUE(sound().playing()) << rate;
  }
  EXPECT_EQ(sound().history().size(), 4u);
}

TEST_F(SoundOutputTest, RejectsImagesItCannotPlay) {
  const auto good = toneWav(22050, 50);
  auto damaged = [&](auto change) {
    auto wav = good;
    change(wav);
    return wav;
  };
  const std::vector<std::vector<std::uint8_t>> bad = {
      toneWav(22050, 50, 2, 16),                                   // stereo
      toneWav(22050, 50, 1, 8),                                    // 8-bit
      damaged([](auto& w) { put16(w, 20, 3); }),                   // floating point
      damaged([](auto& w) { std::memcpy(w.data(), "RIFX", 4); }),  // not RIFF
      damaged([](auto& w) { std::memcpy(w.data() + 8, "AVI ", 4); }),
      damaged([](auto& w) { put32(w, 40, static_cast<std::uint32_t>(w.size())); }),  // data too long
      damaged([](auto& w) { put32(w, 4, static_cast<std::uint32_t>(w.size())); }),   // RIFF too long
      damaged([](auto& w) { put32(w, 16, 0xFFFFFFF0u); }),         // huge fmt chunk
      damaged([](auto& w) { put32(w, 16, 8); }),                   // fmt chunk too short
      damaged([](auto& w) { std::memcpy(w.data() + 12, "junk", 4); }),  // no fmt before data
      damaged([](auto& w) { put32(w, 24, 0); }),                   // rate 0
      damaged([](auto& w) { w.resize(30); }),
  };
  for (std::size_t i = 0; i < bad.size(); ++i) {
    EXPECT_FALSE(sound().play(bad[i].data(), bad[i].size())) << "image " << i;
  }
  EXPECT_FALSE(sound().play(nullptr, 0));
  EXPECT_FALSE(sound().play(good.data(), 11));
  EXPECT_TRUE(sound().history().empty()) << "a rejected image is not played";
}

TEST_F(SoundOutputTest, AcceptsOddDataSizesAndExtraChunks) {
  auto wav = toneWav(22050, 50);
  put32(wav, 40, static_cast<std::uint32_t>(wav.size() - 44 - 1));  // odd: the last byte is dropped
  EXPECT_TRUE(sound().play(wav.data(), wav.size()));
  // A LIST chunk between fmt and data, as some recorders write.
  auto tagged = toneWav(22050, 50);
  const std::uint8_t list[] = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  tagged.insert(tagged.begin() + 36, std::begin(list), std::end(list));
  put32(tagged, 4, static_cast<std::uint32_t>(tagged.size() - 8));
  EXPECT_TRUE(sound().play(tagged.data(), tagged.size()));
  const auto silence = toneWav(22050, 0);
  EXPECT_TRUE(sound().play(silence.data(), silence.size()));
}

TEST_F(SoundOutputTest, ANewSoundReplacesTheOnePlaying) {
  const auto longSound = toneWav(22050, 3000);
  const auto shortSound = toneWav(22050, 60);
  ASSERT_TRUE(sound().play(longSound.data(), longSound.size()));
  EXPECT_TRUE(playingAfter(100));
  ASSERT_TRUE(sound().play(shortSound.data(), shortSound.size()));
  EXPECT_FALSE(playingAfter(600)) << "the long sound should have been cut off";
  ASSERT_EQ(sound().history().size(), 2u);
  EXPECT_EQ(sound().history()[0], longSound);
  EXPECT_EQ(sound().history()[1], shortSound);

  ASSERT_TRUE(sound().play(longSound.data(), longSound.size()));
  sound().stopAll();
  EXPECT_FALSE(sound().playing());
}

TEST_F(SoundOutputTest, PlaysFromItsOwnCopy) {
  // The caller may rewrite or free its buffer at once (the speech buffer is
  // recomposed while the line plays); under the address sanitizer a player
  // reading the caller's memory would fault here.
  auto buffer = std::make_unique<std::vector<std::uint8_t>>(toneWav(22050, 300));
  ASSERT_TRUE(sound().play(buffer->data(), buffer->size()));
  const auto original = *buffer;
  std::memset(buffer->data(), 0xAB, buffer->size());
  buffer.reset();
  EXPECT_TRUE(playingAfter(100));
  EXPECT_EQ(sound().history().back(), original);
}

}  // namespace
}  // namespace tvz
