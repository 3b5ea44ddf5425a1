// Every file the program can ask for, built from the game's own naming rules,
// checked against the game directory the build made: present, unscrambling to
// the right format, the size of what it fills, plausible sound.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "core/bmp_decoder.h"
#include "core/jpeg_decoder.h"
#include "core/scramble.h"
#include "core/sound.h"
#include "platform/avi.h"
#include "show/segment_table.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> readGameFile(const std::string& name) {
  std::ifstream in(fs::path(TRIVENZA_GAME_DIR) / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// The values a challenge cell can have over three rounds: a clip for each.
const int kCellValues[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 15, 16, 18, 20, 21, 24, 27, 30};

struct PictureSpec {
  std::string name;
  int width, height;
};

std::vector<PictureSpec> pictures() {
  std::vector<PictureSpec> list = {
      {"titlespl.mm1", 800, 600}, {"cam3bknd.mm1", 800, 600}, {"cam2bknd.mm1", 800, 600},
      {"cam1bknd.mm1", 800, 600}, {"cam4bknd.mm1", 800, 600}, {"cam3chis.mm1", 800, 600},
      {"cam3cmus.mm1", 800, 600}, {"cam3cspo.mm1", 800, 600}, {"cam3ctva.mm1", 800, 600},
      {"cam5see.mm1", 800, 600},  {"cam5step.mm1", 800, 600}, {"cam5cust.mm1", 800, 600},
      {"cam4xbkd.mm1", 800, 572}, {"vantosplsh.mm1", 536, 348}, {"cam3choo.mm1", 685, 459},
      {"cam3hist.mm1", 685, 459}, {"cam3musi.mm1", 685, 459}, {"cam3spor.mm1", 685, 459},
      {"cam3tval.mm1", 685, 459}, {"conpics.mm1", 241, 257 * 6},
      // Figure sheets: one figure per picture number, each the size of its control.
      {"cam4c1d.mm1", 37, 110 * 6}, {"cam4c2d.mm1", 46, 144 * 6}, {"cam4c3d.mm1", 60, 189 * 6},
      {"cam4xwin.mm1", 45, 118 * 6}, {"cam4x2nd.mm1", 35, 108 * 6}, {"cam4x3rd.mm1", 35, 108 * 6},
      {"cam2nbrd.mm2", 153, 79 * 3}, {"cam4xhst.mm2", 46, 118}};
  for (int a = 0; a < 6; ++a) {
    list.push_back({"cam2" + std::to_string(a) + ".mm1", 180, 185});
    list.push_back({"cam2x" + std::to_string(a) + ".mm1", 800, 600});
  }
  return list;
}

std::vector<std::string> hostClips() {
  std::vector<std::string> clips = {
      "hwelcome", "himyour", "hname",    "hlbegin",  "hthisis",  "hletsmee", "hwilldef", "htcatis",
      "hhistory", "hmusic",  "hsports",  "htval",    "hpickcat", "hreview",  "hci2ufor", "hccb2u4",
      "hcorrect", "hsorry",  "hincorr",  "hcanswer", "hwbrback", "hcfresh",  "hstepup",  "hperson",
      "hwelback", "honwithr", "hrchamp", "hremain",  "hnewcham", "hnewyou",  "hthanku",  "htunein",
      "ha",       "hb",      "hc",      "hd"};
  for (int n = 1; n <= 24; ++n)
    for (const char* kind : {"ho", "hr", "hf", "hl"}) clips.push_back(kind + twoDigits(n));
  for (int v : kCellValues) clips.push_back("h" + twoDigits(v));
  return clips;
}

std::vector<std::string> contestantClips() {
  std::vector<std::string> clips;
  for (const char* voice : {"f1", "f2", "f3", "m1", "m2", "m3"}) {
    const std::string v = voice;
    for (const char* word : {"illtak", "illcha", "illcho", "illsel", "illpic", "histry", "music", "sports",
                             "tval", "a", "b", "c", "d"})
      clips.push_back(v + word);
    for (int value : kCellValues) clips.push_back(v + twoDigits(value));
  }
  return clips;
}

const std::vector<std::string> kMusicAndEffects = {"theme",   "applause", "applaus2",  "buzzbuzz", "click",
                                                   "s05",     "s1",       "vantouhuh", "vantogboy"};

struct Wav {
  std::vector<std::uint8_t> bytes;
  bool ok = false;
  double seconds() const { return ok ? (DataChunkSize(bytes) / 2.0) / 22050.0 : 0; }
  int peak() const {
    int p = 0;
    for (std::int64_t i = 0; i < SampleCount(bytes); ++i) p = std::max(p, std::abs(int{SampleAt(bytes, i)}));
    return p;
  }
};

Wav loadClip(const std::string& file) {
  Wav w;
  w.bytes = readGameFile(file);
  Unscramble(w.bytes.data(), w.bytes.size(), 62, 64, 6);
  w.ok = IsCanonicalWav(w.bytes.data(), w.bytes.size()) && ByteRate(w.bytes) == 44100;
  return w;
}

TEST(GameDirectory, EveryPictureDecodesAtTheSizeOfWhatItFills) {
  for (const auto& spec : pictures()) {
    SCOPED_TRACE(spec.name);
    auto bytes = readGameFile(spec.name);
    ASSERT_FALSE(bytes.empty()) << "missing";
    Unscramble(bytes.data(), bytes.size(), 83, 256, 13);
    Bitmap picture;
    const bool jpeg = spec.name.ends_with(".mm1");
    ASSERT_TRUE(jpeg ? DecodeJpeg(bytes.data(), bytes.size(), picture)
                     : DecodeBmp(bytes.data(), bytes.size(), picture));
    EXPECT_EQ(picture.width(), spec.width);
    EXPECT_EQ(picture.height(), spec.height);
  }
}

TEST(GameDirectory, TheHostFigureHasItsTransparentColourAtTheBottomLeft) {
  auto bytes = readGameFile("cam4xhst.mm2");
  Unscramble(bytes.data(), bytes.size(), 83, 256, 13);
  Bitmap host;
  ASSERT_TRUE(DecodeBmp(bytes.data(), bytes.size(), host));
  const Color key = host.pixel(0, host.height() - 1);
  int keyed = 0;
  for (int y = 0; y < host.height(); ++y)
    for (int x = 0; x < host.width(); ++x) keyed += host.pixel(x, y) == key;
  // The key colour surrounds the figure but is not all of it.
  EXPECT_GT(keyed, host.width() * host.height() / 5);
  EXPECT_LT(keyed, host.width() * host.height() * 4 / 5);
}

TEST(GameDirectory, EverySpokenLineHasItsClipInTheCommonFormat) {
  std::vector<std::string> all = hostClips();
  const auto contestants = contestantClips();
  all.insert(all.end(), contestants.begin(), contestants.end());
  all.insert(all.end(), kMusicAndEffects.begin(), kMusicAndEffects.end());
  for (const auto& clip : all) {
    SCOPED_TRACE(clip);
    const Wav w = loadClip(clip + ".mm3");
    ASSERT_TRUE(w.ok) << "not a 22 050 Hz 16-bit mono canonical WAV";
    if (clip == "s05" || clip == "s1") {
      EXPECT_EQ(w.peak(), 0);
      continue;
    }
    EXPECT_GT(w.peak(), 2000) << "audible";
    EXPECT_LT(w.seconds(), clip == "theme" ? 25.0 : 16.0);
  }
}

TEST(GameDirectory, DurationsFitWhereTheyPlay) {
  EXPECT_NEAR(loadClip("s05.mm3").seconds(), 0.5, 0.01);
  EXPECT_NEAR(loadClip("s1.mm3").seconds(), 1.0, 0.01);
  const double theme = loadClip("theme.mm3").seconds();
  EXPECT_GE(theme, 18.0);  // the opening plays it and its first 11 s, about 31 s
  EXPECT_LE(theme, 22.0);
  EXPECT_NEAR(loadClip("applause.mm3").seconds(), 3.5, 0.6);
  EXPECT_NEAR(loadClip("applaus2.mm3").seconds(), 4.0, 0.6);
  EXPECT_LT(loadClip("click.mm3").seconds(), 0.3);
  for (const char* ad : {"hcfresh.mm3", "hstepup.mm3", "hperson.mm3"}) {
    SCOPED_TRACE(ad);
    EXPECT_GT(loadClip(ad).seconds(), 5.0);
    EXPECT_LT(loadClip(ad).seconds(), 15.0) << "the break lasts 15 s";
  }
}

TEST(GameDirectory, AnimationsPlayAndHoldEveryFrameTheGameAsksFor) {
  struct ClipSpec {
    std::string name;
    int width, height, minFrames;
  };
  std::vector<ClipSpec> clips = {{"vantosplsh.mm4", 0, 0, 44}, {"host.mm4", 128, 176, 240},
                                 {"creds.mm4", 320, 160, 460}};
  for (int a = 0; a < 6; ++a) {
    int highest = 0;
    for (int s = 0; s < kFaceSegmentCount; ++s)
      highest = std::max<int>(highest, kFaceSegmentTable[s][a].end);
    clips.push_back({"con" + std::to_string(a) + ".mm4", 96, 96, highest});
  }
  for (const auto& spec : clips) {
    SCOPED_TRACE(spec.name);
    std::string error;
    auto clip = AviClip::load((fs::path(TRIVENZA_GAME_DIR) / spec.name).string(), &error);
    ASSERT_NE(clip, nullptr) << error;
    if (spec.width) {
      EXPECT_EQ(clip->width(), spec.width);
      EXPECT_EQ(clip->height(), spec.height);
    } else {  // the logo fits its 152x235 control
      EXPECT_LE(clip->width(), 152);
      EXPECT_LE(clip->height(), 235);
    }
    EXPECT_GE(clip->frameCount(), spec.minFrames);
    EXPECT_GT(clip->microsecondsPerFrame(), 20000u);
    Bitmap frame;
    for (int i = 0; i < clip->frameCount(); i += 7) ASSERT_TRUE(clip->decodeFrame(i, frame)) << i;
    ASSERT_TRUE(clip->decodeFrame(clip->frameCount() - 1, frame));
  }
}

TEST(GameDirectory, FaceSegmentsAreOrderedRangesInsideEveryClip) {
  for (int s = 0; s < kFaceSegmentCount; ++s) {
    for (int a = 0; a < 6; ++a) {
      const FrameRange& seg = kFaceSegmentTable[s][a];
      EXPECT_GE(seg.start, 1) << "segment " << s << " picture " << a;
      EXPECT_LE(seg.start, seg.end) << "segment " << s << " picture " << a;
    }
  }
}

TEST(GameDirectory, TextFilesAndTheQuestionBankAreThere) {
  for (const char* name : {"he.mm3", "trivenza.html", "tvzd.tza", "tvzd.tzq"}) {
    SCOPED_TRACE(name);
    EXPECT_GT(readGameFile(name).size(), 100u);
  }
  EXPECT_EQ(readGameFile("tvzd.tzd").size(), 11200u);
  auto help = readGameFile("he.mm3");
  Unscramble(help.data(), help.size(), 23, 0, 8);
  const std::string text(help.begin(), help.end());
  EXPECT_NE(text.find("\r\n"), std::string::npos);
  for (unsigned char c : text) EXPECT_TRUE(c >= 32 || c == '\r' || c == '\n') << int{c};
}

TEST(GameDirectory, NothingOfAPlayerIsWrittenByTheBuild) {
  for (const auto& entry : fs::directory_iterator(TRIVENZA_GAME_DIR)) {
    const std::string name = entry.path().filename().string();
    EXPECT_FALSE(entry.path().extension() == ".part") << name << " left half-written";
  }
}

}  // namespace
}  // namespace tvz
