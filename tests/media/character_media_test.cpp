// The show's people as the game loads them from the game directory, through
// the game's own picture loader and animation decoder: every face clip holds
// every segment of the face segment table and starts on exactly the portrait
// under it, the host's clip starts on the host scene, the figure sheets are
// cut to their picture controls and blend into their backdrops, the host
// figure keeps the transparent colour, and the cards leave a dark caption band.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "core/error_log.h"
#include "core/media.h"
#include "platform/avi.h"
#include "platform/bitmap.h"
#include "show/segment_table.h"

namespace tvz {
namespace {

struct Point {
  int x, y;
};
// Where the board lays each appearance's face over its portrait.
constexpr Point kFaceOffsets[kAppearanceCount] = {{40, 20}, {43, 1}, {36, 28},
                                                  {44, 21}, {38, 31}, {43, 10}};

// Mean absolute difference per channel between a whole bitmap and a same-size
// area of another (JPEG noise stays well under the limits used here).
double MeanDifference(const Bitmap& small, const Bitmap& big, int left, int top) {
  double sum = 0;
  for (int y = 0; y < small.height(); ++y) {
    const std::uint8_t* a = small.row(y);
    const std::uint8_t* b = big.row(top + y) + left * 3;
    for (int i = 0; i < small.width() * 3; ++i) sum += std::abs(int(a[i]) - int(b[i]));
  }
  return sum / (small.width() * small.height() * 3.0);
}

double MeanBrightness(const Bitmap& bmp, int left, int top, int width, int height) {
  double sum = 0;
  for (int y = top; y < top + height; ++y)
    for (int x = left; x < left + width; ++x) {
      const Color c = bmp.pixel(x, y);
      sum += (redOf(c) + greenOf(c) + blueOf(c)) / 3.0;
    }
  return sum / (width * height);
}

class GameDirCharacters : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    if (!std::filesystem::exists(std::filesystem::path(TRIVENZA_GAME_DIR) / "con0.mm4"))
      GTEST_SKIP() << "no generated characters in " << TRIVENZA_GAME_DIR;
    std::filesystem::current_path(TRIVENZA_GAME_DIR);
  }
  void TearDown() override { std::filesystem::current_path(previous_); }

  Bitmap Picture(const std::string& name) {
    Bitmap bmp;
    EXPECT_TRUE(LoadPicture(log_, name, bmp)) << name;
    return bmp;
  }
  static std::unique_ptr<AviClip> Clip(const std::string& name) {
    std::string error;
    auto clip = AviClip::load(name, &error);
    EXPECT_TRUE(clip) << name << ": " << error;
    return clip;
  }

  std::string pending_;
  ErrorLog log_{pending_, {}};

 private:
  std::filesystem::path previous_;
};

TEST_F(GameDirCharacters, FaceClipsHoldEverySegmentAndStartOnThePortrait) {
  for (int a = 0; a < kAppearanceCount; ++a) {
    SCOPED_TRACE("appearance " + std::to_string(a));
    const Bitmap portrait = Picture("cam2" + std::to_string(a) + ".mm1");
    ASSERT_EQ(portrait.width(), 180);
    ASSERT_EQ(portrait.height(), 185);
    auto clip = Clip("con" + std::to_string(a) + ".mm4");
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->width(), 96);
    EXPECT_EQ(clip->height(), 96);
    EXPECT_NEAR(clip->microsecondsPerFrame(), 66667, 2);  // 15 frames a second
    int last = 0;
    for (int s = 0; s < kFaceSegmentCount; ++s)
      last = std::max<int>(last, faceSegmentFrames(static_cast<FaceSegment>(s), a).end);
    EXPECT_GE(clip->frameCount(), last);
    // Frame 1 is the face of the portrait: no seam when the board starts it.
    Bitmap first;
    ASSERT_TRUE(clip->decodeFrame(0, first));
    EXPECT_LT(MeanDifference(first, portrait, kFaceOffsets[a].x, kFaceOffsets[a].y), 3.0);
    // Every frame decodes, and the face moves somewhere in the clip.
    Bitmap frame;
    double most = 0;
    for (int i = 0; i < clip->frameCount(); ++i) {
      ASSERT_TRUE(clip->decodeFrame(i, frame)) << "frame " << i;
      most = std::max(most, MeanDifference(frame, first, 0, 0));
    }
    EXPECT_GT(most, 1.0);
  }
  EXPECT_TRUE(pending_.empty()) << pending_;
}

TEST_F(GameDirCharacters, SegmentsReturnFromTheirReactions) {
  for (int a = 0; a < kAppearanceCount; ++a) {
    SCOPED_TRACE("appearance " + std::to_string(a));
    auto at = [a](FaceSegment s) { return faceSegmentFrames(s, a); };
    // A phrase's segments follow one another on a shared, closed-mouth frame.
    EXPECT_EQ(at(FaceSegment::IllTake).start, 1);
    EXPECT_EQ(at(FaceSegment::IllTake).end, at(FaceSegment::History).start);
    // The board finds a reaction's return from the reaction's end frame.
    for (auto [reaction, back] : {std::pair{FaceSegment::Thinking1, FaceSegment::Thinking1Return},
                                  std::pair{FaceSegment::Thinking2, FaceSegment::Thinking2Return},
                                  std::pair{FaceSegment::Right1, FaceSegment::Right1Return},
                                  std::pair{FaceSegment::Right2, FaceSegment::Right2Return}})
      EXPECT_EQ(segmentStartingAt(at(reaction).end, a), at(back));
    // Both endings of a glance end on the pose its return starts from.
    EXPECT_EQ(at(FaceSegment::GlanceLower1).start, at(FaceSegment::GlanceLower2).start);
    EXPECT_LT(at(FaceSegment::GlanceLower1).end, at(FaceSegment::GlanceLower2).end);
    EXPECT_EQ(at(FaceSegment::GlanceLower2).end, at(FaceSegment::GlanceLowerReturn).start);
    EXPECT_EQ(at(FaceSegment::GlanceHigher2).end, at(FaceSegment::GlanceHigherReturn).start);
    // Each number a cell can be worth has its own spoken segment.
    for (int v : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 15, 16, 18, 20, 21, 24, 27, 30}) {
      const auto seg = numberSegment(v);
      ASSERT_TRUE(seg.has_value()) << v;
      EXPECT_LT(at(*seg).start, at(*seg).end);
    }
    EXPECT_FALSE(numberSegment(11).has_value());
    EXPECT_EQ(categorySegment(2), FaceSegment::History);
    EXPECT_EQ(letterSegment(4), FaceSegment::LetterD);
  }
  EXPECT_EQ(faceSegmentFrames(FaceSegment::Closing, 6), FrameRange{});
  EXPECT_EQ(faceSegmentFrames(FaceSegment::Closing, -1), FrameRange{});
}

TEST_F(GameDirCharacters, HostClipStartsOnTheHostScene) {
  const Bitmap scene = Picture("cam1bknd.mm1");
  ASSERT_EQ(scene.width(), 800);
  ASSERT_EQ(scene.height(), 600);
  auto clip = Clip("host.mm4");
  ASSERT_TRUE(clip);
  EXPECT_EQ(clip->width(), 128);
  EXPECT_EQ(clip->height(), 176);
  EXPECT_GE(clip->frameCount(), 240);  // the last stretch ends on frame 230
  Bitmap first;
  ASSERT_TRUE(clip->decodeFrame(0, first));
  EXPECT_LT(MeanDifference(first, scene, 329, 28), 3.0);
  EXPECT_LT(MeanBrightness(scene, 16, 536, 769, 35), 40.0);  // caption line
}

TEST_F(GameDirCharacters, FigureSheetsFitTheirControlsAndBackdrops) {
  struct Sheet {
    const char* file;
    int left, top, width, height;
  };
  const struct {
    const char* backdrop;
    int width, height;
    Sheet sheets[3];
  } scenes[] = {
      {"cam4bknd.mm1", 800, 600,
       {{"cam4c1d.mm1", 545, 205, 37, 110}, {"cam4c2d.mm1", 618, 178, 46, 144},
        {"cam4c3d.mm1", 711, 142, 60, 189}}},
      {"cam4xbkd.mm1", 800, 572,
       {{"cam4xwin.mm1", 377, 211, 45, 118}, {"cam4x2nd.mm1", 441, 215, 35, 108},
        {"cam4x3rd.mm1", 476, 215, 35, 108}}},
  };
  for (const auto& scene : scenes) {
    const Bitmap backdrop = Picture(scene.backdrop);
    EXPECT_EQ(backdrop.width(), scene.width);
    EXPECT_EQ(backdrop.height(), scene.height);
    for (const Sheet& s : scene.sheets) {
      SCOPED_TRACE(s.file);
      const Bitmap sheet = Picture(s.file);
      ASSERT_EQ(sheet.width(), s.width);
      ASSERT_EQ(sheet.height(), s.height * kAppearanceCount);
      // The top rows of each figure are the backdrop above the head.
      for (int a = 0; a < kAppearanceCount; ++a) {
        Bitmap strip(s.width, 3);
        strip.copyRect({0, 0, s.width, 3}, sheet, {0, a * s.height, s.width, a * s.height + 3});
        EXPECT_LT(MeanDifference(strip, backdrop, s.left, s.top), 6.0) << "figure " << a;
      }
    }
  }
}

TEST_F(GameDirCharacters, HostFigureStandsOnTheTransparentColour) {
  Bitmap host;
  ASSERT_TRUE(LoadPicture(log_, "cam4xhst.mm2", host));
  ASSERT_EQ(host.width(), 46);
  ASSERT_EQ(host.height(), 118);
  const Color key = host.pixel(0, host.height() - 1);
  EXPECT_EQ(key, rgb(255, 0, 255));
  int keyed = 0;
  for (int y = 0; y < host.height(); ++y)
    for (int x = 0; x < host.width(); ++x) {
      keyed += host.pixel(x, y) == key;
    }
  // Mostly background around a figure of a good size.
  EXPECT_GT(keyed, host.width() * host.height() / 3);
  EXPECT_LT(keyed, host.width() * host.height() * 4 / 5);
}

TEST_F(GameDirCharacters, CardsAndSetupPictures) {
  for (int a = 0; a < kAppearanceCount; ++a) {
    const Bitmap card = Picture("cam2x" + std::to_string(a) + ".mm1");
    ASSERT_EQ(card.width(), 800);
    ASSERT_EQ(card.height(), 600);
    EXPECT_LT(MeanBrightness(card, 16, 536, 769, 35), 40.0) << "card " << a;
    EXPECT_GT(MeanBrightness(card, 200, 100, 400, 300), 40.0) << "card " << a;
  }
  const Bitmap strip = Picture("conpics.mm1");
  EXPECT_EQ(strip.width(), 241);
  EXPECT_EQ(strip.height(), 257 * kAppearanceCount);
}

}  // namespace
}  // namespace tvz
