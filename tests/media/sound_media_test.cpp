// The show's recorded sounds as the game uses them, read from the game
// directory: every clip the show engine names is there and is a clean
// 22 050 Hz recording of sensible length and level, and the loud compositions
// (the opening soundtrack, the applause, the credits) built with the game's own
// sound operations stay inside 16 bits, because the game's mixing wraps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/error_log.h"
#include "core/scramble.h"
#include "core/sound.h"

namespace tvz {
namespace {

constexpr std::int64_t kRate = 22050;
constexpr int kSpeechPeak = 16500;   // about -6 dBFS: voices are mixed over the music
constexpr int kMusicPeak = 19660;    // 0.6 of full scale: music and effects
constexpr int kFullScale = 32767;

std::string TwoDigits(int n) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d", n);
  return buf;
}

// The numbers said for challenge values (with values multiplied by the round) and rounds.
const std::vector<int> kNumbers = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 15, 16, 18, 20, 21, 24, 27, 30};
const std::vector<std::string> kVoices = {"f1", "f2", "f3", "m1", "m2", "m3"};

std::vector<std::string> HostLineClips() {
  std::vector<std::string> names = {
      "hwelcome", "himyour", "hname",   "hlbegin",  "hthisis", "hletsmee", "hwilldef",
      "htcatis",  "hhistory", "hmusic", "hsports",  "htval",   "hpickcat", "hreview",
      "hci2ufor", "hccb2u4", "hcorrect", "hsorry",  "hincorr", "hcanswer", "hwbrback",
      "hwelback", "honwithr", "hrchamp", "hremain", "hnewcham", "hnewyou", "hthanku", "htunein",
      "ha",       "hb",       "hc",      "hd"};
  for (int n : kNumbers) names.push_back("h" + TwoDigits(n));
  for (const char* list : {"ho", "hr", "hf", "hl"})
    for (int i = 1; i <= 24; ++i) names.push_back(list + TwoDigits(i));
  for (auto& n : names) n += ".mm3";
  return names;
}

std::vector<std::string> ContestantClips() {
  std::vector<std::string> names;
  for (const auto& v : kVoices) {
    for (const char* phrase : {"illtak", "illcha", "illcho", "illsel", "illpic", "histry", "music",
                               "sports", "tval", "a", "b", "c", "d"})
      names.push_back(v + phrase + ".mm3");
    for (int n : kNumbers) names.push_back(v + TwoDigits(n) + ".mm3");
  }
  return names;
}

// Runs the test inside the game directory, where the game finds its files.
class GameDirSounds : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    if (!std::filesystem::exists(std::filesystem::path(TRIVENZA_GAME_DIR) / "theme.mm3"))
      GTEST_SKIP() << "no generated sounds in " << TRIVENZA_GAME_DIR;
    std::filesystem::current_path(TRIVENZA_GAME_DIR);
  }
  void TearDown() override { std::filesystem::current_path(previous_); }

  SoundBuffer Load(const std::string& file) {
    SoundBuffer clip;
    EXPECT_TRUE(LoadSound(log_, clip, file)) << file;
    return clip;
  }
  void Append(SoundBuffer& s, const std::string& file) {
    ASSERT_TRUE(AppendSound(log_, s, file)) << file;
  }
  void AppendSpan(SoundBuffer& s, const std::string& file, int toMs, int fromMs) {
    ASSERT_TRUE(AppendSoundSpan(log_, s, file, toMs, fromMs)) << file;
  }

  // MixSound, after measuring what the unwrapped result would be: the loudest
  // value of dest * (1.2 - gain) + clip * gain goes into worst_.
  std::int32_t Mix(SoundBuffer& s, const std::string& file, float gain, std::int32_t atMs) {
    const SoundBuffer clip = Load(file);
    const std::int64_t spm = ByteRate(s.bytes) / 2000;
    const std::int64_t n = SampleCount(s.bytes), m = SampleCount(clip.bytes);
    for (std::int64_t i = atMs * spm, j = 0; j < m && i < n; ++i, ++j) {
      const double v = SampleAt(s.bytes, i) * (1.0 - gain + 0.2) + SampleAt(clip.bytes, j) * gain;
      worst_ = std::max(worst_, std::fabs(v));
    }
    const std::int32_t end = MixSound(log_, s, file, gain, atMs);
    EXPECT_GT(end, 0) << file;
    return end;
  }

  static int Peak(const SoundBuffer& s) {
    int peak = 0;
    for (std::int64_t i = 0; i < SampleCount(s.bytes); ++i)
      peak = std::max(peak, std::abs(static_cast<int>(SampleAt(s.bytes, i))));
    return peak;
  }
  static double Seconds(const SoundBuffer& s) {
    return static_cast<double>(SampleCount(s.bytes)) / kRate;
  }

  std::string pending_;
  ErrorLog log_{pending_, {}};
  double worst_ = 0;

 private:
  std::filesystem::path previous_;
};

TEST_F(GameDirSounds, EverySpokenClipIsACleanRecording) {
  std::vector<std::string> clips = HostLineClips();
  const std::vector<std::string> contestants = ContestantClips();
  clips.insert(clips.end(), contestants.begin(), contestants.end());
  for (const auto& name : clips) {
    SCOPED_TRACE(name);
    const SoundBuffer clip = Load(name);
    ASSERT_TRUE(IsCanonicalWav(clip.bytes.data(), clip.bytes.size()));
    EXPECT_EQ(ByteRate(clip.bytes), 44100u);  // 22 050 Hz mono 16-bit
    EXPECT_GE(Seconds(clip), 0.2);
    EXPECT_LE(Seconds(clip), 4.0);
    // Levelled: clearly audible, and never above the headroom the mixes need.
    EXPECT_GE(Peak(clip), 6000);
    EXPECT_LE(Peak(clip), kSpeechPeak);
  }
  EXPECT_TRUE(pending_.empty()) << pending_;
}

TEST_F(GameDirSounds, CommercialsFillTheirBreak) {
  // The break scene stays 15 s; each voice-over runs most of it.
  for (const char* name : {"hcfresh.mm3", "hstepup.mm3", "hperson.mm3"}) {
    const SoundBuffer clip = Load(name);
    EXPECT_GE(Seconds(clip), 9.5) << name;
    EXPECT_LE(Seconds(clip), 14.0) << name;
    EXPECT_LE(Peak(clip), kSpeechPeak) << name;
  }
}

TEST_F(GameDirSounds, PausesAndEffectsHaveTheirLengths) {
  const SoundBuffer half = Load("s05.mm3"), one = Load("s1.mm3");
  EXPECT_EQ(SampleCount(half.bytes), kRate / 2);
  EXPECT_EQ(SampleCount(one.bytes), kRate);
  EXPECT_EQ(Peak(half), 0);
  EXPECT_EQ(Peak(one), 0);
  const SoundBuffer click = Load("click.mm3"), buzzer = Load("buzzbuzz.mm3");
  EXPECT_LE(Seconds(click), 0.1);
  EXPECT_GT(Peak(click), 0);
  EXPECT_NEAR(Seconds(buzzer), 0.8, 0.2);
  // The studio splash's jingle: pause, pause, first sting, pause, second sting.
  SoundBuffer jingle = Load("s1.mm3");
  for (const char* part : {"s1.mm3", "vantouhuh.mm3", "s1.mm3", "vantogboy.mm3"}) Append(jingle, part);
  EXPECT_NEAR(Seconds(jingle), 7.0, 1.0);
  EXPECT_LE(Peak(jingle), kMusicPeak);
}

TEST_F(GameDirSounds, OpeningSoundtrackNeverWraps) {
  // Eight line-ups that between them name every occupation, home town and name.
  for (int lineup = 0; lineup < 8; ++lineup) {
    SoundBuffer s = Load("theme.mm3");
    ASSERT_NEAR(Seconds(s), 20.0, 2.0);
    AppendSpan(s, "theme.mm3", 11000, 0);
    for (const char* clip : {"hwelcome.mm3", "s05.mm3", "himyour.mm3", "s05.mm3", "hname.mm3",
                             "s05.mm3", "hlbegin.mm3"})
      Append(s, clip);
    ScaleVolume(s, 4000, 31000, 0.5f);
    ScaleVolume(s, 29000, 30000, 0.4f);
    ScaleVolume(s, 30000, 31000, 0.2f);
    Mix(s, "hthisis.mm3", 0.5f, 4500);
    Mix(s, "hletsmee.mm3", 0.5f, 8500);
    std::int32_t t = 10500;
    for (int c = 0; c < 3; ++c) {
      const int k = (lineup * 3 + c) % 24 + 1;
      const std::int32_t e = Mix(s, "ho" + TwoDigits(k) + ".mm3", 0.5f, t + 2000);
      t = Mix(s, "hr" + TwoDigits(25 - k) + ".mm3", 0.5f, e);
      const std::int32_t f = Mix(s, "hf" + TwoDigits(k) + ".mm3", 0.5f, t + 500);
      t = Mix(s, "hl" + TwoDigits(25 - k) + ".mm3", 0.5f, f + 300);
    }
    // The introductions end before the host's welcome, which follows the music.
    EXPECT_LT(t, 31000) << "line-up " << lineup;
  }
  EXPECT_LE(worst_, kFullScale);
  EXPECT_TRUE(pending_.empty()) << pending_;
}

TEST_F(GameDirSounds, ApplauseNeverWraps) {
  // Champion: the host's line, the big applause twice, and again mixed in loud.
  for (const char* line : {"hrchamp.mm3", "hnewcham.mm3"}) {
    SoundBuffer s = Load("hf13.mm3");
    Append(s, line);
    Append(s, "applaus2.mm3");
    Append(s, "applaus2.mm3");
    Mix(s, "applaus2.mm3", 0.8f, 5047);
    EXPECT_GE(Seconds(s), 9.0);
  }
  // A champion with a typed name hears a line of its own, then the same applause.
  for (const char* line : {"hremain.mm3", "hnewyou.mm3"}) {
    SoundBuffer alone = Load(line);
    Append(alone, "applaus2.mm3");
    Append(alone, "applaus2.mm3");
    Mix(alone, "applaus2.mm3", 0.8f, 5047);
  }
  EXPECT_LE(worst_, kFullScale);
  // A right answer: applause follows "That's correct!" and is turned down.
  SoundBuffer right = Load("hcorrect.mm3");
  Append(right, "applause.mm3");
  EXPECT_NEAR(Seconds(right), 5.0, 1.0);
  EXPECT_LE(Peak(right), 24000);
}

TEST_F(GameDirSounds, CreditsMusicLoopsAndFadesOut) {
  SoundBuffer s = Load("theme.mm3");
  const SoundBuffer theme = Load("theme.mm3");
  Append(s, "theme.mm3");
  AppendSpan(s, "theme.mm3", 11000, 0);
  ScaleVolume(s, 47000, 49000, 0.8f);
  ScaleVolume(s, 49000, 50000, 0.5f);
  ScaleVolume(s, 50000, 51000, 0.1f);
  EXPECT_NEAR(Seconds(s), 51.0, 4.0);
  // The theme joins onto itself without a click: the step across the join is
  // no bigger than the steps inside the music.
  const std::int64_t n = SampleCount(theme.bytes);
  int largestStep = 0;
  for (std::int64_t i = 1; i < n; ++i)
    largestStep = std::max(largestStep, std::abs(SampleAt(theme.bytes, i) - SampleAt(theme.bytes, i - 1)));
  EXPECT_LE(std::abs(SampleAt(s.bytes, n) - SampleAt(s.bytes, n - 1)), largestStep);
  EXPECT_LE(Peak(theme), kMusicPeak);
}

TEST_F(GameDirSounds, HelpTextFitsTheHelpBox) {
  std::ifstream in("he.mm3", std::ios::binary);
  ASSERT_TRUE(in);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Unscramble(bytes.data(), bytes.size(), kHelpKey.start, kHelpKey.count, kHelpKey.step);
  const std::string text(bytes.begin(), bytes.end());
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  std::size_t lines = 0, start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2, ++lines) {
    const std::string line = text.substr(start, end - start);
    EXPECT_LE(line.size(), 56u) << line;
    EXPECT_EQ(line.find_first_of("\r\n\t"), std::string::npos) << line;
  }
  EXPECT_EQ(start, text.size());  // every line ends with CR LF, none bare
  EXPECT_GT(lines, 100u);
  for (const char* topic : {"Ctrl+R", "Challenger may answer", "Preferences", "Esc", "champion"})
    EXPECT_NE(text.find(topic), std::string::npos) << topic;
}

}  // namespace
}  // namespace tvz
