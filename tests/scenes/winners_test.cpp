// The winners' stage and the commercial breaks: figures in finishing order,
// the host cut out by his see-through colour, the credits' timing with a key
// remembered, and the pictures each needs.
#include "platform/application.h"
#include "platform/sound_output.h"
#include "scene_session.h"
#include "scenes/camera4x.h"
#include "scenes/camera5a.h"
#include "scenes/camera5b.h"
#include "scenes/camera5c.h"
#include "scenes/closing_soundtrack.h"
#include "scenes/figure_sheet.h"

namespace tvz::testing {
namespace {

class Winners : public SceneSession {
 protected:
  void Rank(std::int32_t first, std::int32_t second, std::int32_t third) {
    game().FirstPlace = first;
    game().SecondPlace = second;
    game().ThirdPlace = third;
  }
  // The main window's frames while the scene is up: ElapsedMs grows by 33 ms a
  // frame and the scene is asked whether the show is over. The frames it took.
  int FramesUntilOver(Driver& d, std::uint32_t& elapsed, int maxFrames) {
    for (int frame = 1; frame <= maxFrames; ++frame) {
      d.ticks(1);
      elapsed += kFrameMs;
      if (Camera4x->CreditsOver(elapsed)) return frame;
    }
    return -1;
  }
};

bool SameFigure(const Picture* picture, const Bitmap& sheet, std::int32_t appearance) {
  const Rect r = FigureRect(appearance, picture->width(), picture->height());
  const Bitmap& shown = picture->bitmap();
  if (shown.width() != r.width() || shown.height() != r.height()) return false;
  for (int y = 0; y < r.height(); ++y)
    for (int x = 0; x < r.width(); ++x)
      if (shown.pixel(x, y) != sheet.pixel(x, r.top + y)) return false;
  return true;
}

TEST_F(Winners, FiguresStandInFinishingOrderBesideTheHost) {
  run([&](Driver& d) {
    SeatLineUp();
    Rank(2, 0, 1);  // appearances 4, 0, 3
    ASSERT_TRUE(AssembleClosingSoundtrack(game()));
    ASSERT_NE(OpenPlain(d, Camera4x), nullptr);
    EXPECT_EQ(d.app().screenCursor(), Cursor::None);
    const char* sheets[] = {"cam4xwin.mm1", "cam4x2nd.mm1", "cam4x3rd.mm1"};
    const Picture* places[] = {Camera4x->WinnerImg, Camera4x->SecondImg, Camera4x->ThirdImg};
    const std::int32_t appearances[] = {4, 0, 3};
    for (int p = 0; p < 3; ++p) {
      SCOPED_TRACE(p);
      Bitmap sheet;
      ASSERT_TRUE(game().LoadPicture(sheets[p], sheet));
      EXPECT_TRUE(SameFigure(places[p], sheet, appearances[p]));
    }
    ASSERT_TRUE(Camera4x->HostImg->visible());
    EXPECT_TRUE(Camera4x->HostImg->transparent());
    // The host's see-through colour never reaches the screen.
    const Bitmap& host = Camera4x->HostImg->bitmap();
    const Color key = host.pixel(0, host.height() - 1);
    const Bitmap screen = d.capture();
    int keyed = 0;
    for (int y = 0; y < host.height(); ++y)
      for (int x = 0; x < host.width(); ++x)
        if (host.pixel(x, y) == key) {
          ++keyed;
          EXPECT_NE(screen.pixel(342 + x, 212 + y), key);
        }
    EXPECT_GT(keyed, 0);
    d.capture("winners.png");
    Camera4x->StartCredits();
    d.advance(12000);
    d.capture("winners-credits.png");
  });
}

TEST_F(Winners, WithoutARankingOnlyTheStageAndTheCreditsShow) {
  run([&](Driver& d) {
    SeatLineUp();
    Rank(-1, -1, -1);
    ASSERT_NE(OpenPlain(d, Camera4x), nullptr);
    EXPECT_FALSE(Camera4x->HostImg->visible());
    EXPECT_TRUE(Camera4x->WinnerImg->bitmap().empty());
    EXPECT_TRUE(Camera4x->ThirdImg->bitmap().empty());
    d.capture("winners-no-ranking.png");
  });
}

// Credits 15 s after the stage is shown, the end 46 s after that.
TEST_F(Winners, CreditsAfterFifteenSecondsAndTheEndAfterFortySixMore) {
  run([&](Driver& d) {
    SeatLineUp();
    Rank(0, 1, 2);
    ASSERT_NE(OpenPlain(d, Camera4x), nullptr);
    std::uint32_t elapsed = 0;
    EXPECT_EQ(FramesUntilOver(d, elapsed, 454), -1);  // 14 982 ms
    EXPECT_FALSE(Camera4x->CreditsStarted);
    EXPECT_EQ(FramesUntilOver(d, elapsed, 1), -1);  // 15 015 ms
    EXPECT_TRUE(Camera4x->CreditsStarted);
    EXPECT_TRUE(Camera4x->CreditsAni->active());
    EXPECT_EQ(elapsed, 0u);
    const int frames = FramesUntilOver(d, elapsed, 2000);
    EXPECT_EQ(frames, 1394) << "the first frame at 46 000 ms";
    EXPECT_GE(elapsed, 46000u);
    EXPECT_TRUE(Camera4x->CreditsOver(elapsed)) << "once over, it stays over";
  });
}

TEST_F(Winners, KeyReleasedBeforeTheCreditsEndsTheShowOnceTheyRoll) {
  run([&](Driver& d) {
    SeatLineUp();
    Rank(1, 2, 0);
    ASSERT_NE(OpenPlain(d, Camera4x), nullptr);
    std::uint32_t elapsed = 0;
    d.click(400, 300);
    d.press('Q');  // remembered
    EXPECT_TRUE(Camera4x->KeyReleased);
    EXPECT_EQ(FramesUntilOver(d, elapsed, 455), -1) << "the credits start first";
    EXPECT_TRUE(Camera4x->CreditsStarted);
    EXPECT_EQ(FramesUntilOver(d, elapsed, 10), 1);
  });
}

TEST_F(Winners, ClosingShowsThePointerStopsTheMusicAndFreesIt) {
  run([&](Driver& d) {
    SeatLineUp();
    Rank(0, 1, 2);
    game().SoundOn = 1;
    ASSERT_TRUE(AssembleClosingSoundtrack(game()));
    ASSERT_NE(OpenPlain(d, Camera4x), nullptr);
    OnAppThread(d, [&] { ASSERT_TRUE(game().PlayStream(game().VoiceStream)); });
    EXPECT_TRUE(SoundOutput::instance().playing());
    d.click(400, 300);
    d.settle();
    ASSERT_NE(Camera4x, nullptr) << "clicks do nothing";
    OnAppThread(d, [&] { Camera4x->Close(); });
    EXPECT_EQ(Camera4x, nullptr);
    EXPECT_FALSE(SoundOutput::instance().playing());
    EXPECT_EQ(game().VoiceStream.bytes.capacity(), 0u) << "the closing theme is freed with the stage";
    EXPECT_EQ(d.app().screenCursor(), Cursor::Default);
  });
}

// The champion has been announced: a damaged or missing credits clip is
// reported, and the show ends when the credits would have rolled.
TEST_F(Winners, DamagedOrMissingCreditsAreReportedAndSkipped) {
  linkMedia({"creds.mm4"});
  for (const bool present : {true, false}) {
    SCOPED_TRACE(present ? "damaged" : "missing");
    if (present) writeFile("creds.mm4", "RIFF\x10\0\0\0AVI not really");
    run([&](Driver& d) {
      SeatLineUp();
      Rank(0, 1, 2);
      ASSERT_NE(OpenPlain(d, Camera4x), nullptr);
      EXPECT_TRUE(Camera4x->CreditsMissing);
      EXPECT_EQ(ErrorLog(), "Err : Error loading file\n      creds.mm4\nLocn: 1910\n\n");
      std::uint32_t elapsed = 0;
      EXPECT_EQ(FramesUntilOver(d, elapsed, 455), -1) << "the stage keeps its fifteen seconds";
      EXPECT_FALSE(Camera4x->CreditsAni->active());
      EXPECT_EQ(FramesUntilOver(d, elapsed, 1), 1) << "and the show ends";
      OnAppThread(d, [&] { Camera4x->Close(); });
    });
    std::filesystem::remove("error.log");
    std::filesystem::remove("creds.mm4");
  }
}

class Breaks : public SceneSession {};

TEST_F(Breaks, EachBreakShowsItsStillAndTakesNoInput) {
  run([&](Driver& d) {
    auto check = [&](auto*& slot, const char* picture, const char* voiceOver, const char* png) {
      SCOPED_TRACE(picture);
      ASSERT_NE(OpenPlain(d, slot), nullptr);
      EXPECT_EQ(std::string(slot->VoiceOver()), voiceOver);
      Bitmap expected;
      ASSERT_TRUE(game().LoadPicture(picture, expected));
      EXPECT_EQ(slot->BkgndImg->bitmap().pixel(400, 300), expected.pixel(400, 300));
      d.capture(png);
      d.click(400, 300);
      d.press(vk::Escape);
      d.press('Q');
      d.keyDown(vk::F4, {.alt = true});
      d.settle();
      ASSERT_NE(slot, nullptr);
      EXPECT_TRUE(slot->visible());
      slot->Close();
      d.settle();
      EXPECT_EQ(slot, nullptr);
    };
    check(Camera5a, "cam5see.mm1", "hcfresh.mm3", "break-a.png");
    check(Camera5b, "cam5step.mm1", "hstepup.mm3", "break-b.png");
    check(Camera5c, "cam5cust.mm1", "hperson.mm3", "break-c.png");
  });
}

TEST_F(Breaks, MissingStillIsReported) {
  linkMedia({"cam5step.mm1"});
  run([&](Driver& d) {
    EXPECT_EQ(OpenPlain(d, Camera5b), nullptr);
    d.settle();
    EXPECT_EQ(Camera5b, nullptr);
    EXPECT_EQ(ErrorLog(), "Err : File does not exist\n      cam5step.mm1\nLocn: 120\n\n");
  });
}

}  // namespace
}  // namespace tvz::testing
