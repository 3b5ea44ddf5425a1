// The line-up that opens the show: figures from the sheets by appearance,
// captions, the soundtrack started on showing, and sheets that are too short.
#include <filesystem>

#include "scene_session.h"
#include "scenes/camera4.h"
#include "scenes/figure_sheet.h"

namespace tvz::testing {
namespace {

class LineUp : public SceneSession {};

bool SamePixels(const Bitmap& a, const Bitmap& b) {
  return a.width() == b.width() && a.height() == b.height() &&
         std::equal(a.pixels(), a.pixels() + a.width() * a.height() * 3, b.pixels());
}

Bitmap Crop(const Bitmap& sheet, const Rect& r) {
  Bitmap out(r.width(), r.height());
  out.copyRect({0, 0, r.width(), r.height()}, sheet, r);
  return out;
}

TEST_F(LineUp, FiguresComeFromTheSheetsByAppearance) {
  run([&](Driver& d) {
    SeatLineUp();
    ASSERT_NE(OpenPlain(d, Camera4), nullptr);
    const char* sheets[] = {"cam4c1d.mm1", "cam4c2d.mm1", "cam4c3d.mm1"};
    Picture* podiums[] = {Camera4->Con1Img, Camera4->Con2Img, Camera4->Con3Img};
    for (int k = 0; k < 3; ++k) {
      SCOPED_TRACE(k);
      Bitmap sheet;
      ASSERT_TRUE(game().LoadPicture(sheets[k], sheet));
      const int w = podiums[k]->width(), h = podiums[k]->height();
      EXPECT_EQ(sheet.height(), 6 * h) << "one figure per appearance";
      const std::int32_t a = game().Contestants[k].Appearance;
      EXPECT_TRUE(SamePixels(podiums[k]->bitmap(), Crop(sheet, {0, a * h, w, a * h + h})));
    }
    Camera4->AdvanceCaption();
    d.capture("lineup.png");
  });
}

TEST_F(LineUp, CaptionsAdvanceTwiceAndHideWhenCaptionsAreOff) {
  run([&](Driver& d) {
    SeatLineUp();
    ASSERT_NE(OpenPlain(d, Camera4), nullptr);
    EXPECT_EQ(Camera4->CCLbl->caption(), "");
    EXPECT_TRUE(Camera4->CCLbl->visible());
    Camera4->AdvanceCaption();
    EXPECT_EQ(Camera4->CCLbl->caption(), "This is Trivenza.");
    Camera4->AdvanceCaption();
    EXPECT_EQ(Camera4->CCLbl->caption(), "Lets meet tonight's contestants.");
    Camera4->AdvanceCaption();
    EXPECT_EQ(Camera4->CCLbl->caption(), "Lets meet tonight's contestants.");
    Camera4->Close();
    d.settle();
    game().CaptionsOn = 0;
    ASSERT_NE(OpenPlain(d, Camera4), nullptr);
    Camera4->AdvanceCaption();
    EXPECT_FALSE(Camera4->CCLbl->visible());
    EXPECT_EQ(Camera4->CCLbl->caption(), "This is Trivenza.") << "the sequence still reads it";
  });
}

TEST_F(LineUp, ShowingPlaysTheAssembledSoundtrack) {
  run([&](Driver& d) {
    SeatLineUp();
    std::vector<std::string> soundtrack;
    OnAppThread(d, [&] {
      ASSERT_NE(createForm(&Camera4), nullptr);
      ASSERT_TRUE(Camera4->LoadPictures());
      ASSERT_TRUE(Camera4->AssembleSoundtrack());
      soundtrack = game().VoiceStream.clips;
      Camera4->Show();
    });
    EXPECT_EQ(soundtrack.front(), "theme.mm3");
    EXPECT_EQ(LastSoundPlayed(), soundtrack);
  });
}

TEST_F(LineUp, MissingSheetIsReportedAndTheSceneCloses) {
  linkMedia({"cam4c3d.mm1"});
  run([&](Driver& d) {
    SeatLineUp();
    EXPECT_EQ(OpenPlain(d, Camera4), nullptr);
    d.settle();
    EXPECT_EQ(Camera4, nullptr);
    EXPECT_EQ(ErrorLog(), "Err : File does not exist\n      cam4c3d.mm1\nLocn: 120\n\n");
  });
}

// A sheet that does not hold the asked figure in full is never read past: the
// figure is left out and the studio behind shows.
TEST_F(LineUp, FiguresOutsideTheSheetAreLeftOut) {
  run([&](Driver&) {
    Form* form = createForm<Form>();
    Picture* figure = form->add<Picture>(0, 0, 37, 110);
    Bitmap sheet(37, 6 * 110);
    for (int y = 0; y < sheet.height(); ++y) sheet.setPixel(0, y, rgb(y / 110, 0, 0));
    EXPECT_TRUE(DrawFigure(sheet, 5, figure));
    EXPECT_EQ(figure->bitmap().pixel(0, 109), rgb(5, 0, 0));
    for (std::int32_t a : {-1, 6, 1 << 30, INT32_MAX, INT32_MIN}) {
      EXPECT_FALSE(DrawFigure(sheet, a, figure)) << a;
      EXPECT_TRUE(figure->bitmap().empty()) << a;
    }
    Bitmap shortSheet(37, 200);  // one figure and most of a second
    EXPECT_TRUE(DrawFigure(shortSheet, 0, figure));
    EXPECT_FALSE(DrawFigure(shortSheet, 1, figure));
    Bitmap narrowSheet(30, 660);
    EXPECT_FALSE(DrawFigure(narrowSheet, 0, figure));
    EXPECT_FALSE(DrawFigure(Bitmap(), 0, figure));
    destroyForm(form);
  });
}

TEST_F(LineUp, AppearanceOutsideTheSheetsShowsAnEmptyPodium) {
  run([&](Driver& d) {
    SeatLineUp();
    game().Contestants[1].Appearance = 7;
    game().Contestants[2].Appearance = -3;
    ASSERT_NE(OpenPlain(d, Camera4), nullptr);
    EXPECT_FALSE(Camera4->Con1Img->bitmap().empty());
    EXPECT_TRUE(Camera4->Con2Img->bitmap().empty());
    EXPECT_TRUE(Camera4->Con3Img->bitmap().empty());
    d.capture("lineup-empty-podiums.png");
  });
}

// A sheet file that holds fewer figures than the appearances ask for (here a
// full-screen picture in place of the third podium's sheet).
TEST_F(LineUp, ShortSheetFileLeavesTheFigureOut) {
  linkMedia({"cam4c3d.mm1"});
  std::filesystem::copy_file(std::filesystem::path(TRIVENZA_GAME_DIR) / "cam2x0.mm1", "cam4c3d.mm1");
  run([&](Driver& d) {
    SeatLineUp();
    game().Contestants[2].Appearance = 3;  // rows 567..756 of a 600-row picture
    ASSERT_NE(OpenPlain(d, Camera4), nullptr);
    EXPECT_TRUE(Camera4->Con3Img->bitmap().empty());
    EXPECT_FALSE(Camera4->Con2Img->bitmap().empty());
    Camera4->Close();
    d.settle();
    game().Contestants[2].Appearance = 2;  // rows 378..567 are there
    ASSERT_NE(OpenPlain(d, Camera4), nullptr);
    EXPECT_FALSE(Camera4->Con3Img->bitmap().empty());
  });
}

}  // namespace
}  // namespace tvz::testing
