// The show's sets as the game loads them from the game directory, through the
// game's own picture loader and animation decoder, checked where the game
// writes over them: each label area is light under dark text and dark under
// light text, the category tiles sit where their click areas are, the studio
// ident's still and emblem meet on black, and both clips have the frames and
// the pace the screens play.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include "core/error_log.h"
#include "core/media.h"
#include "platform/avi.h"
#include "platform/bitmap.h"

namespace tvz {
namespace {

struct Area {
  int left, top, width, height;
};

struct Shade {
  double mean = 0;
  int brightest = 0;
  double red = 0, green = 0, blue = 0;
};

// Brightness is the mean of the three channels.
Shade Measure(const Bitmap& bmp, Area a) {
  Shade s;
  double sum = 0;
  for (int y = a.top; y < a.top + a.height; ++y) {
    const std::uint8_t* p = bmp.row(y) + a.left * 3;
    for (int x = 0; x < a.width; ++x, p += 3) {
      const int v = (p[0] + p[1] + p[2]) / 3;
      sum += v;
      s.brightest = std::max(s.brightest, v);
      s.red += p[0];
      s.green += p[1];
      s.blue += p[2];
    }
  }
  const double n = double(a.width) * a.height;
  s.mean = sum / n;
  s.red /= n;
  s.green /= n;
  s.blue /= n;
  return s;
}

double MeanDifference(const Bitmap& a, const Bitmap& b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int i = 0; i < a.width() * 3; ++i) sum += std::abs(int(a.row(y)[i]) - int(b.row(y)[i]));
  return sum / (a.width() * a.height() * 3.0);
}

// Text in `text` brightness reads on a ground at least this far from it.
constexpr double kContrast = 100.0;

class GameDirScenery : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    if (!std::filesystem::exists(std::filesystem::path(TRIVENZA_GAME_DIR) / "cam3bknd.mm1"))
      GTEST_SKIP() << "no generated scenery in " << TRIVENZA_GAME_DIR;
    std::filesystem::current_path(TRIVENZA_GAME_DIR);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    EXPECT_TRUE(pending_.empty()) << pending_;
  }

  Bitmap Picture(const std::string& name, int width, int height) {
    Bitmap bmp;
    EXPECT_TRUE(LoadPicture(log_, name, bmp)) << name;
    EXPECT_EQ(bmp.width(), width) << name;
    EXPECT_EQ(bmp.height(), height) << name;
    if (bmp.width() != width || bmp.height() != height) bmp.resize(width, height);
    return bmp;
  }
  static std::unique_ptr<AviClip> Clip(const std::string& name) {
    std::string error;
    auto clip = AviClip::load(name, &error);
    EXPECT_TRUE(clip) << name << ": " << error;
    return clip;
  }
  // The area under a label reads with text of brightness `text`.
  static void ExpectReadable(const Bitmap& bmp, Area a, int text, const std::string& what) {
    const double ground = Measure(bmp, a).mean;
    EXPECT_GT(std::abs(ground - text), kContrast)
        << what << ": ground " << ground << " under text of brightness " << text;
  }

  std::string pending_;
  ErrorLog log_{pending_, {}};

 private:
  std::filesystem::path previous_;
};

TEST_F(GameDirScenery, MenuBackdropStaysCalmAndDarkWhereTheMenusWrite) {
  const Bitmap backdrop = Picture("cam3bknd.mm1", 800, 600);
  // Titles, options and buttons of every menu fall within x 80..720, y 88..510;
  // no patch there may light up behind an orange or grey text.
  for (int y = 88; y + 40 <= 510; y += 40)
    for (int x = 80; x + 40 <= 720; x += 40)
      EXPECT_LT(Measure(backdrop, {x, y, 40, 40}).mean, 60.0) << "patch at " << x << "," << y;
  EXPECT_LT(Measure(backdrop, {80, 88, 640, 422}).mean, 45.0);
}

TEST_F(GameDirScenery, QuestionAndChallengePicturesReadInTheirCategoryColour) {
  struct Category {
    const char* panel;
    const char* challenge;
    int text;  // brightness of the labels' colour
  };
  const Category categories[] = {{"cam3hist.mm1", "cam3chis.mm1", 0},
                                 {"cam3musi.mm1", "cam3cmus.mm1", 204},
                                 {"cam3spor.mm1", "cam3cspo.mm1", 255},
                                 {"cam3tval.mm1", "cam3ctva.mm1", 204}};
  for (const Category& c : categories) {
    SCOPED_TRACE(c.panel);
    // The question panel lies at 61,70 over the backdrop.
    const Bitmap panel = Picture(c.panel, 685, 459);
    ExpectReadable(panel, {104 - 61, 184 - 70, 601, 108}, c.text, "question");
    for (int k = 0; k < 4; ++k)
      ExpectReadable(panel, {104 - 61, 320 + 32 * k - 70, 601, 27}, c.text, "answer");
    ExpectReadable(panel, {392 - 61, 472 - 70, 33, 27}, c.text, "seconds");

    const Bitmap scene = Picture(c.challenge, 800, 600);
    ExpectReadable(scene, {104, 152, 601, 108}, c.text, "question");
    for (int k = 0; k < 4; ++k) ExpectReadable(scene, {104, 288 + 32 * k, 601, 27}, c.text, "answer");
    for (int k = 0; k < 10; ++k) ExpectReadable(scene, {167 + 48 * k, 448, 33, 27}, c.text, "value");
    ExpectReadable(scene, {392, 504, 33, 27}, c.text, "seconds");
  }
}

TEST_F(GameDirScenery, CategoryTilesLieUnderTheirClickAreas) {
  const Bitmap choice = Picture("cam3choo.mm1", 685, 459);
  // Click areas minus the picture's place (64,69), shrunk to the tiles' middles.
  const Shade tv = Measure(choice, {6 + 40, 7 + 20, 258, 60});
  const Shade music = Measure(choice, {344 + 40, 7 + 20, 255, 60});
  const Shade sports = Measure(choice, {6 + 40, 231 + 20, 258, 60});
  const Shade history = Measure(choice, {344 + 40, 231 + 20, 255, 60});
  EXPECT_GT(tv.red, tv.green + 40);
  EXPECT_GT(tv.red, tv.blue + 40);
  EXPECT_GT(music.blue, music.red + 40);
  EXPECT_GT(sports.green, sports.red + 40);
  EXPECT_GT(sports.green, sports.blue + 40);
  EXPECT_GT(history.red, history.blue + 60);  // gold
  EXPECT_GT(history.green, history.blue + 40);
  // The seconds are written in black on a light dial.
  ExpectReadable(choice, {392 - 64 + 6, 472 - 69 + 4, 21, 19}, 0, "seconds");
}

TEST_F(GameDirScenery, BoardKeepsItsLabelsReadable) {
  const Bitmap board = Picture("cam2bknd.mm1", 800, 600);
  const int scoreLeft[] = {48, 328, 602};
  for (int left : scoreLeft) ExpectReadable(board, {left + 60, 270, 93, 27}, 192, "score");
  const int columns[3][4] = {{64, 100, 136, 172}, {330, 366, 402, 438}, {596, 632, 668, 704}};
  const int rows[3][3] = {{413, 437, 461}, {413, 437, 461}, {412, 436, 460}};
  for (int c = 0; c < 3; ++c) {
    for (int r = 0; r < 2; ++r)
      for (int x : columns[c]) ExpectReadable(board, {x, rows[c][r], 34, 23}, 192, "cell");
    ExpectReadable(board, {columns[c][1], rows[c][2], 34, 23}, 192, "cell");
    ExpectReadable(board, {columns[c][2], rows[c][2], 34, 23}, 192, "cell");
  }
  ExpectReadable(board, {16, 536, 769, 35}, 192, "caption");
  // The menu tab is drawn in the picture: it stands out from the band around it.
  EXPECT_GT(Measure(board, {360, 8, 89, 25}).mean, Measure(board, {260, 8, 80, 25}).mean + 20);

  // Name plates: no role, defender, challenger; a black name in the middle.
  const Bitmap plates = Picture("cam2nbrd.mm2", 153, 237);
  Shade row[3];
  for (int r = 0; r < 3; ++r) {
    ExpectReadable(plates, {15, 79 * r + 24, 121, 27}, 0, "name plate " + std::to_string(r));
    row[r] = Measure(plates, {15, 79 * r + 24, 121, 27});
  }
  EXPECT_GT(row[1].red, row[1].blue + 60);    // the defender's plate is lit gold
  EXPECT_GT(row[2].blue, row[2].red + 40);    // the challenger's is lit cyan
}

TEST_F(GameDirScenery, TitleSplashLeavesALightPlateForTheVersion) {
  const Bitmap title = Picture("titlespl.mm1", 800, 600);
  ExpectReadable(title, {630, 545, 115, 17}, 0x44, "version");
}

TEST_F(GameDirScenery, StudioStillAndEmblemMeetOnBlack) {
  // The still fills 536 x 348 of a black screen; the emblem's box (453,158,
  // 152 x 235) covers its lower-right corner and runs on over the black.
  const Bitmap still = Picture("vantosplsh.mm1", 536, 348);
  EXPECT_LT(Measure(still, {453, 158, 536 - 453, 348 - 158}).brightest, 12);
  EXPECT_LT(Measure(still, {535, 0, 1, 348}).brightest, 12);
  EXPECT_LT(Measure(still, {0, 347, 536, 1}).brightest, 12);
  EXPECT_GT(Measure(still, {40, 180, 400, 100}).mean, 40.0);  // the wordmark

  auto clip = Clip("vantosplsh.mm4");
  ASSERT_TRUE(clip);
  EXPECT_EQ(clip->width(), 152);
  EXPECT_EQ(clip->height(), 235);
  EXPECT_NEAR(clip->microsecondsPerFrame(), 66667, 2);  // 15 frames a second
  ASSERT_GE(clip->frameCount(), 44);                     // the splash plays 1..44
  Bitmap frame, previous;
  for (int i = 0; i < 44; ++i) {
    ASSERT_TRUE(clip->decodeFrame(i, frame)) << "frame " << i;
    // The box's edges stay black like the control's own background.
    EXPECT_LT(Measure(frame, {0, 0, 152, 1}).brightest, 12) << "frame " << i;
    EXPECT_LT(Measure(frame, {0, 234, 152, 1}).brightest, 12) << "frame " << i;
    EXPECT_LT(Measure(frame, {0, 0, 1, 235}).brightest, 12) << "frame " << i;
    EXPECT_LT(Measure(frame, {151, 0, 1, 235}).brightest, 12) << "frame " << i;
    if (i == 0) {
      EXPECT_LT(Measure(frame, {0, 0, 152, 235}).mean, 5.0);
    }
    if (i == 43) {
      EXPECT_GT(Measure(frame, {46, 60, 60, 80}).mean, 60.0);  // the emblem stands
      EXPECT_LT(MeanDifference(frame, previous), 1.0);        // and has settled
    }
    previous = frame;
  }
}

TEST_F(GameDirScenery, CreditsRollOnBlackForFortySeconds) {
  auto clip = Clip("creds.mm4");
  ASSERT_TRUE(clip);
  EXPECT_EQ(clip->width(), 320);
  EXPECT_EQ(clip->height(), 160);
  ASSERT_GE(clip->frameCount(), 460);
  EXPECT_NEAR(clip->frameCount() * double(clip->microsecondsPerFrame()) / 1e6, 40.0, 1.0);
  Bitmap frame, previous;
  int moving = 0;
  for (int i = 0; i < 460; ++i) {
    ASSERT_TRUE(clip->decodeFrame(i, frame)) << "frame " << i;
    if (i == 0) {
      EXPECT_LT(Measure(frame, {0, 0, 320, 160}).brightest, 12);  // starts on black
    }
    if (i > 0 && MeanDifference(frame, previous) > 0.05) ++moving;
    if (i == 230 || i == 459) {
      EXPECT_GT(Measure(frame, {0, 0, 320, 160}).mean, 3.0) << i;
    }
    previous = frame;
  }
  EXPECT_GT(moving, 380);  // rolls nearly all the way, then holds the last card
}

}  // namespace
}  // namespace tvz
