// Assembling sounds from clip files: the header arithmetic, the time spans at
// 22 050 Hz, mixing with its wrap-around, volume scaling, and clips that are
// not what they claim.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <filesystem>
#include <random>

#include "core/error_log.h"
#include "core/scramble.h"
#include "core/sound.h"
#include "test_media.h"

namespace tvz {
namespace {

using namespace tvz::testing;

struct SoundTest : ::testing::Test {
  ScratchDir dir;
  std::string pending;
  ErrorLog log{pending, {}};
  SoundBuffer stream;

  std::int16_t Sample(std::int64_t i) const { return SampleAt(stream.bytes, i); }
  std::string Entry(int code) const {
    return "Err : Error loading file\nLocn: " + std::to_string(code) + "\n\n";
  }
};

TEST_F(SoundTest, LoadThenAppendKeepsTheHeaderConsistent) {
  WriteSound("hwelcome.mm3", Ramp(300, 0));
  WriteSound("s05.mm3", Ramp(100, 1000));
  ASSERT_TRUE(LoadSound(log, stream, "hwelcome.mm3"));
  EXPECT_EQ(stream.bytes, MakeWav(Ramp(300, 0), 22050));  // unscrambled image
  ASSERT_TRUE(AppendSound(log, stream, "s05.mm3"));
  EXPECT_EQ(stream.bytes.size(), 44u + 800);
  EXPECT_EQ(RiffChunkSize(stream.bytes), 36u + 800);
  EXPECT_EQ(DataChunkSize(stream.bytes), 800u);
  EXPECT_EQ(Sample(299), 299);
  EXPECT_EQ(Sample(300), 1000);
  EXPECT_EQ(Sample(399), 1099);
  EXPECT_EQ(stream.clips, (std::vector<std::string>{"hwelcome.mm3", "s05.mm3"}));
  EXPECT_TRUE(pending.empty());
}

// Every loaded clip holds what it needs, not megabytes: the click sound and
// the speech buffers live for the whole run.
TEST_F(SoundTest, ALoadedClipTakesTheMemoryItNeeds) {
  WriteSound("click.mm3", Ramp(2000));
  ASSERT_TRUE(LoadSound(log, stream, "click.mm3"));
  EXPECT_EQ(stream.bytes.size(), 44u + 4000);
  EXPECT_LT(stream.bytes.capacity(), 2 * stream.bytes.size());
}

TEST_F(SoundTest, OddDataSizeCopiesOneByteLess) {
  std::vector<std::uint8_t> odd = MakeWav(Ramp(10, 500), 22050);
  odd.push_back(0x7F);  // a stray byte counted in both chunk sizes
  const std::uint32_t data = 21, riff = 36 + 21;
  std::memcpy(odd.data() + 40, &data, 4);
  std::memcpy(odd.data() + 4, &riff, 4);
  WriteScrambledSoundImage("odd.mm3", odd);
  WriteSound("base.mm3", Ramp(4));
  ASSERT_TRUE(LoadSound(log, stream, "base.mm3"));
  ASSERT_TRUE(AppendSound(log, stream, "odd.mm3"));
  EXPECT_EQ(DataChunkSize(stream.bytes), 8u + 20);
  EXPECT_EQ(stream.bytes.size(), 44u + 28);
  EXPECT_EQ(Sample(13), 509);
}

TEST_F(SoundTest, AppendSpanAt22050Hz) {
  // spm = 44 100 div 2000 = 22: 100 ms to 250 ms are samples 2200 to 5499.
  WriteSound("music.mm3", Ramp(8000, -4000));
  WriteSound("base.mm3", Ramp(2, 7));
  ASSERT_TRUE(LoadSound(log, stream, "base.mm3"));
  ASSERT_TRUE(AppendSoundSpan(log, stream, "music.mm3", 250, 100));
  EXPECT_EQ(DataChunkSize(stream.bytes), 4u + 2 * 3300);
  EXPECT_EQ(RiffChunkSize(stream.bytes), 36u + 4 + 2 * 3300);
  EXPECT_EQ(Sample(2), 2200 - 4000);
  EXPECT_EQ(Sample(3301), 5499 - 4000);
  EXPECT_EQ(stream.bytes.size(), 44u + 4 + 6600);
  // A span reaching past the clip's samples is refused, the buffer unchanged.
  const std::vector<std::uint8_t> before = stream.bytes;
  EXPECT_FALSE(AppendSoundSpan(log, stream, "music.mm3", 400, 300));
  EXPECT_EQ(pending, Entry(2220));
  EXPECT_EQ(stream.bytes, before);
}

TEST_F(SoundTest, MixWeighsBothAndReturnsTheEndTime) {
  WriteSound("bed.mm3", std::vector<std::int16_t>(1000, 1001));
  WriteSound("clap.mm3", std::vector<std::int16_t>(500, 2001));
  WriteSound("neg.mm3", std::vector<std::int16_t>(10, -2001));
  ASSERT_TRUE(LoadSound(log, stream, "bed.mm3"));
  // At 10 ms = sample 220, gain 0.5: 1001 * 0.7 + 2001 * 0.5 = 1701.2.
  EXPECT_EQ(MixSound(log, stream, "clap.mm3", 0.5f, 10), 720 / 22);
  EXPECT_EQ(Sample(219), 1001);
  EXPECT_EQ(Sample(220), 1701);
  EXPECT_EQ(Sample(719), 1701);
  EXPECT_EQ(Sample(720), 1001);
  // Truncation is toward zero for negative results too: -1001*0.7 - 2001*0.5.
  ASSERT_TRUE(LoadSound(log, stream, "bed.mm3"));
  ScaleVolume(stream, 0, 0, -1.0f);
  MixSound(log, stream, "neg.mm3", 0.5f, 0);
  EXPECT_EQ(Sample(0), -1701);
}

TEST_F(SoundTest, MixPastTheEndStopsAtTheLastSample) {
  WriteSound("bed.mm3", std::vector<std::int16_t>(1000, 0));
  WriteSound("long.mm3", std::vector<std::int16_t>(5000, 100));
  ASSERT_TRUE(LoadSound(log, stream, "bed.mm3"));
  EXPECT_EQ(MixSound(log, stream, "long.mm3", 1.0f, 40), 1000 / 22);
  EXPECT_EQ(Sample(879), 0);
  EXPECT_EQ(Sample(880), 100);
  EXPECT_EQ(Sample(999), 100);
  EXPECT_EQ(stream.bytes.size(), 44u + 2000);  // nothing beyond the buffer
}

TEST_F(SoundTest, LoudMixWrapsAroundInsteadOfClipping) {
  WriteSound("loud.mm3", std::vector<std::int16_t>(50, 30000));
  ASSERT_TRUE(LoadSound(log, stream, "loud.mm3"));
  MixSound(log, stream, "loud.mm3", 0.5f, 0);
  // 30000 * 0.7 + 30000 * 0.5 = 36000, stored as its low 16 bits.
  EXPECT_EQ(Sample(0), static_cast<std::int16_t>(36000 - 65536));
}

TEST_F(SoundTest, ScaleVolumeRangesAndRepeats) {
  // The clock example: 4000 to 31000 ms touches samples 88 000 to 682 000.
  WriteSound("theme.mm3", std::vector<std::int16_t>(700000, 1000));
  ASSERT_TRUE(LoadSound(log, stream, "theme.mm3"));
  ScaleVolume(stream, 4000, 31000, 0.5f);
  EXPECT_EQ(Sample(87999), 1000);
  EXPECT_EQ(Sample(88000), 500);
  EXPECT_EQ(Sample(682000), 500);
  EXPECT_EQ(Sample(682001), 1000);
  // Overlapping ranges multiply; a range past the end stops at the last sample.
  ScaleVolume(stream, 30000, 999999, 0.5f);
  EXPECT_EQ(Sample(682000), 250);
  EXPECT_EQ(Sample(699999), 500);
  EXPECT_EQ(stream.bytes.size(), 44u + 1400000);
  // An empty range (to before from) changes nothing.
  ScaleVolume(stream, 100, 50, 0.0f);
  EXPECT_EQ(Sample(1100), 1000);
  // Absurd factors stay defined: a product beyond 64 bits or infinity is 0.
  ScaleVolume(stream, 0, 0, 1.0e30f);
  ScaleVolume(stream, 1, 1, std::numeric_limits<float>::infinity());
  EXPECT_EQ(Sample(0), 0);
  EXPECT_EQ(Sample(22), 0);
  EXPECT_EQ(Sample(44), 1000);
}

TEST_F(SoundTest, ClipsThatAreNotCanonicalAreRefused) {
  WriteSound("good.mm3", Ramp(100));
  ASSERT_TRUE(LoadSound(log, stream, "good.mm3"));
  const SoundBuffer before = stream;

  std::vector<std::uint8_t> stereo = MakeWav(Ramp(100), 22050);
  stereo[22] = 2;
  std::vector<std::uint8_t> eightBit = MakeWav(Ramp(100), 22050);
  eightBit[34] = 8;
  std::vector<std::uint8_t> overlong = MakeWav(Ramp(100), 22050);
  overlong[41] = 0x10;  // data chunk claims 4 KiB more than the file has
  std::vector<std::uint8_t> shortHeader = MakeWav(Ramp(100), 22050);
  shortHeader.resize(30);
  WriteScrambledSoundImage("stereo.mm3", stereo);
  WriteScrambledSoundImage("eight.mm3", eightBit);
  WriteScrambledSoundImage("overlong.mm3", overlong);
  WriteScrambledSoundImage("short.mm3", shortHeader);
  std::filesystem::create_directory("folder.mm3");
  for (const char* file :
       {"stereo.mm3", "eight.mm3", "overlong.mm3", "short.mm3", "none.mm3", "folder.mm3"}) {
    EXPECT_FALSE(LoadSound(log, stream, file)) << file;
    EXPECT_EQ(pending, Entry(2105));
    EXPECT_FALSE(AppendSound(log, stream, file)) << file;
    EXPECT_EQ(pending, Entry(2210));
    EXPECT_FALSE(AppendSoundSpan(log, stream, file, 2, 0)) << file;
    EXPECT_EQ(pending, Entry(2220));
    EXPECT_EQ(MixSound(log, stream, file, 0.5f, 0), 0) << file;
    EXPECT_EQ(pending, Entry(2310));
    EXPECT_EQ(stream.bytes, before.bytes) << file;
    EXPECT_EQ(stream.clips, before.clips) << file;
  }
}

// Corrupted copies of a clip: every operation either works on a canonical
// image or refuses; nothing reads outside a buffer (checked by the sanitizer
// build) and the result is always a canonical image.
TEST_F(SoundTest, CorruptedClipsNeverCrash) {
  const std::vector<std::uint8_t> clip = MakeWav(Ramp(400, -200, 37), 22050);
  WriteSound("base.mm3", Ramp(300));
  std::mt19937 random(8122026);
  for (int round = 0; round < 600; ++round) {
    std::vector<std::uint8_t> data = clip;
    for (int e = 0; e < 1 + static_cast<int>(random() % 4); ++e) {
      const std::size_t at = random() % 64;  // the header and first samples
      data[at] = static_cast<std::uint8_t>(random());
    }
    if (random() % 4 == 0) data.resize(random() % data.size());
    WriteScrambledSoundImage("bad.mm3", data);
    ASSERT_TRUE(LoadSound(log, stream, "base.mm3"));
    AppendSound(log, stream, "bad.mm3");
    AppendSoundSpan(log, stream, "bad.mm3", static_cast<std::int32_t>(random() % 30),
                    static_cast<std::int32_t>(random() % 30));
    MixSound(log, stream, "bad.mm3", 0.5f, static_cast<std::int32_t>(random() % 20));
    ScaleVolume(stream, 0, 50, 0.9f);
    ASSERT_TRUE(IsCanonicalWav(stream.bytes.data(), stream.bytes.size()));
    ASSERT_EQ(stream.bytes.size(), 44 + DataChunkSize(stream.bytes));
    if (LoadSound(log, stream, "bad.mm3")) {
      ASSERT_TRUE(IsCanonicalWav(stream.bytes.data(), stream.bytes.size()));
    }
  }
}

}  // namespace
}  // namespace tvz
