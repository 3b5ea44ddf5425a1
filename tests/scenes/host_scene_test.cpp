// The host scene on the real game: the opening's captions, the stretches of
// the host's animation chosen by the caption and queued for the way back from
// a break, each played after the last has stopped, on the manual clock.
#include <filesystem>

#include "core/screens.h"
#include "harness/show_session.h"
#include "platform/application.h"
#include "scenes/host_scene.h"

namespace tvz::testing {
namespace {

namespace hs = host_stretches;

bool openHostScene(Driver& d, const std::string& caption) {
  if (!createForm(&Camera1) || !Camera1->LoadPictures()) return false;
  Camera1->CCLbl->setCaption(caption);
  Camera1->Show();
  d.settle();
  return Camera1 && Camera1->visible();
}

// Steps the scene once a tick until `count` stretches have started, checking
// each starts on a still host at its first frame.
std::vector<HostStretch> playStretches(Driver& d, std::size_t count, int maxTicks = 600) {
  std::vector<HostStretch> started;
  for (int t = 0; t < maxTicks && started.size() < count; ++t) {
    const auto before = Camera1->SegmentQueue;
    const bool wasAnimating = Camera1->Animating;
    Camera1->CaptionStep();
    if (Camera1->SegmentQueue != before) {
      EXPECT_FALSE(wasAnimating) << "a stretch started while the host moved";
      EXPECT_EQ(Camera1->HostAni->currentFrame(), before[0].first);
      started.push_back(before[0]);
    }
    d.ticks(1);
  }
  return started;
}

class HostScene : public ShowSession {};

TEST_F(HostScene, TheOpeningWelcomesNamesTheHostAndBegins) {
  play([&](Driver& d) {
    QuietShow();
    ASSERT_TRUE(createForm(&Camera1));
    EXPECT_EQ(Camera1->CCLbl->caption(), kWelcomeCaption) << "as designed";
    ASSERT_TRUE(Camera1->LoadPictures());
    Camera1->Show();
    d.settle();
    EXPECT_EQ(Application::current().screenCursor(), Cursor::None);
    EXPECT_EQ(Camera1->WelcomeCounter, 1);
    EXPECT_EQ(Camera1->SegmentQueue[0], hs::kWelcome);
    EXPECT_FALSE(Camera1->HostAni->visible()) << "the studio picture shows the host until he moves";

    Camera1->CaptionStep();  // the step that follows the showing leaves the welcome up
    EXPECT_EQ(Camera1->CCLbl->caption(), kWelcomeCaption);
    EXPECT_EQ(Camera1->WelcomeCounter, 2);
    EXPECT_TRUE(Camera1->Animating);
    EXPECT_TRUE(Camera1->HostAni->visible());
    EXPECT_TRUE(Camera1->SegmentQueue[0].empty());
    d.advance(3500);
    d.capture("host-welcome.png");
    EXPECT_GT(Camera1->HostAni->currentFrame(), 1);
    EXPECT_LE(Camera1->HostAni->currentFrame(), 72);

    Camera1->CaptionStep();
    EXPECT_EQ(Camera1->CCLbl->caption(), kHostNameCaption);
    Camera1->CaptionStep();
    EXPECT_EQ(Camera1->CCLbl->caption(), kLetsBeginCaption);
    Camera1->CaptionStep();
    EXPECT_EQ(Camera1->CCLbl->caption(), kLetsBeginCaption) << "the last line stays";
    EXPECT_TRUE(d.until([] { return !Camera1->Animating; }, 200));
    EXPECT_EQ(Camera1->HostAni->currentFrame(), 72);
  });
}

TEST_F(HostScene, OnTheWayBackEachStretchWaitsForTheLastToStop) {
  play([&](Driver& d) {
    QuietShow();
    ASSERT_TRUE(createForm(&Camera1));
    ASSERT_TRUE(Camera1->LoadPictures());
    Camera1->QueueReturnFromBreak(false, 2);
    Camera1->CCLbl->setCaption("Welcome back.  On to round two.");
    Camera1->Show();
    d.settle();
    EXPECT_EQ(Camera1->SegmentQueue[0], hs::kWelcomeBack) << "a caption of its own keeps the queue";
    const std::vector<HostStretch> expected = {hs::kWelcomeBack, hs::kOnToRound, hs::kRoundTwo};
    EXPECT_EQ(playStretches(d, 3), expected);
    EXPECT_EQ(Camera1->CCLbl->caption(), "Welcome back.  On to round two.");

    // After the break in the middle of round 1, and for rounds 1 and 3.
    Camera1->QueueReturnFromBreak(true, 1);
    EXPECT_EQ(Camera1->SegmentQueue[1], hs::kOnWithRound);
    EXPECT_EQ(Camera1->SegmentQueue[2], hs::kRoundOne);
    Camera1->QueueReturnFromBreak(false, 3);
    EXPECT_EQ(Camera1->SegmentQueue[2], hs::kRoundThree);
    Camera1->QueueReturnFromBreak(false, 9);
    EXPECT_TRUE(Camera1->SegmentQueue[2].empty()) << "no such round, no number";
  });
}

TEST_F(HostScene, ShowingPicksTheStretchOfItsCaption) {
  play([&](Driver& d) {
    QuietShow();
    struct Case {
      const char* caption;
      HostStretch first;
    };
    for (const Case& c : {Case{kRightBackCaption, hs::kRightBack}, Case{kThankYouCaption, hs::kThankYou},
                          Case{kGoodbyeCaption, {}}}) {
      SCOPED_TRACE(c.caption);
      ASSERT_TRUE(openHostScene(d, c.caption));
      EXPECT_EQ(Camera1->SegmentQueue[0], c.first);
      Camera1->CaptionStep();
      EXPECT_EQ(Camera1->CCLbl->caption(), c.caption) << "only the opening's captions move on";
      EXPECT_EQ(Camera1->Animating, !c.first.empty());
      if (c.first == hs::kThankYou) d.capture("host-thank-you.png");
      Camera1->Close();
      EXPECT_EQ(Camera1, nullptr);
      d.settle();
    }
  });
}

TEST_F(HostScene, AStepWhileTheHostMovesOnlyChangesTheCaption) {
  play([&](Driver& d) {
    QuietShow();
    ASSERT_TRUE(openHostScene(d, kWelcomeCaption));
    Camera1->CaptionStep();
    Camera1->SegmentQueue[0] = hs::kThankYou;
    d.ticks(3);
    const int frame = Camera1->HostAni->currentFrame();
    Camera1->CaptionStep();
    EXPECT_EQ(Camera1->CCLbl->caption(), kHostNameCaption);
    EXPECT_EQ(Camera1->SegmentQueue[0], hs::kThankYou) << "waits for the welcome to end";
    EXPECT_GE(Camera1->HostAni->currentFrame(), frame);
    EXPECT_LE(Camera1->HostAni->currentFrame(), 72);
  });
}

TEST_F(HostScene, WithCaptionsOffTheLineIsHiddenButStillMovesOn) {
  play([&](Driver& d) {
    QuietShow();
    TvzMain->CaptionsOn = 0;
    ASSERT_TRUE(openHostScene(d, kWelcomeCaption));
    EXPECT_FALSE(Camera1->CCLbl->visible());
    Camera1->CaptionStep();
    Camera1->CaptionStep();
    EXPECT_EQ(Camera1->CCLbl->caption(), kHostNameCaption);
    EXPECT_TRUE(Camera1->Animating);
  });
}

class HostSceneWithoutTheStudio : public ShowSession {
 protected:
  HostSceneWithoutTheStudio() { except_ = {"cam1bknd.mm1"}; }
};

TEST_F(HostSceneWithoutTheStudio, FailsWithTheLoadersReportAndCloses) {
  play([&](Driver& d) {
    QuietShow();
    ASSERT_TRUE(createForm(&Camera1));
    EXPECT_FALSE(Camera1->LoadPictures());
    EXPECT_EQ(Camera1, nullptr);
    d.settle();
    EXPECT_EQ(ErrorLogText(), "Err : File does not exist\n      cam1bknd.mm1\nLocn: 120\n\n");
  });
}

class HostSceneWithoutTheHost : public ShowSession {
 protected:
  HostSceneWithoutTheHost() { except_ = {"host.mm4"}; }
};

TEST_F(HostSceneWithoutTheHost, TheHostStandsInThePictureAndTheCaptionsGoOn) {
  play([&](Driver& d) {
    QuietShow();
    ASSERT_TRUE(openHostScene(d, kWelcomeCaption));
    for (int i = 0; i < 4; ++i) {
      Camera1->CaptionStep();
      d.ticks(1);
    }
    EXPECT_EQ(Camera1->CCLbl->caption(), kLetsBeginCaption);
    EXPECT_FALSE(Camera1->Animating);
    EXPECT_FALSE(Camera1->HostAni->visible());
    EXPECT_FALSE(std::filesystem::exists("error.log"));
  });
}

}  // namespace
}  // namespace tvz::testing
