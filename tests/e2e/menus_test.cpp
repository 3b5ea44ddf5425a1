// The top menu and the screens it leads to, by keys and by mouse.
#include "harness/game_session.h"
#include "menus/game_menu.h"
#include "menus/player_menu.h"
#include "platform/sound_output.h"
#include "shell/help_menu.h"
#include "shell/top_menu.h"
#include "store/champions.h"

namespace tvz::testing {
namespace {

class Menus : public GameSession {
 protected:
  void SetUp() override {
    GameSession::SetUp();
    linkMedia();
  }
};

bool visible(const Form* form) { return form && form->visible(); }

TEST_F(Menus, QuitEndsTheProgramWithoutAnErrorBox) {
  play([&](Driver& d) {
    ASSERT_TRUE(reachTopMenu(d));
    d.capture("top-menu.png");
    d.keyDown('Q');
    EXPECT_FALSE(TopMenu->QuitBtn->transparent()) << "pressed look while Q is held";
    d.keyUp('Q');
    d.ticks(3);
    EXPECT_TRUE(d.app().terminated());
  });
  // In a window, its close button ends the program from the menus as Quit does.
  play([&](Driver& d) {
    ASSERT_TRUE(reachTopMenu(d));
    d.app().setFullscreen(false);
    d.closeRequest();
    d.ticks(3);
    EXPECT_TRUE(d.app().terminated());
  });
  EXPECT_FALSE(fileExists("error.log"));
}

TEST_F(Menus, EntriesWorkByClickAndByKeyAndCancelComesBack) {
  play([&](Driver& d) {
    ASSERT_TRUE(reachTopMenu(d));
    clickOn(d, TopMenu->NewGameBtn);
    ASSERT_TRUE(d.until([] { return visible(GameMenu) && !TopMenu; }, 10));
    d.capture("game-options.png");
    clickOn(d, GameMenu->CancelBtn);
    ASSERT_TRUE(d.until([] { return visible(TopMenu) && !GameMenu; }, 10));

    d.press('C');
    ASSERT_TRUE(d.until([] { return visible(Champions); }, 10));
    d.capture("champions.png");
    d.press(vk::Escape);
    ASSERT_TRUE(d.until([] { return visible(TopMenu) && !Champions; }, 10));

    d.press('H');
    ASSERT_TRUE(d.until([] { return visible(HelpMenu); }, 10));
    EXPECT_GT(HelpMenu->HelpMemo->lines().size(), 20u);
    d.capture("help.png");
    d.press(vk::Next);
    EXPECT_GT(HelpMenu->HelpMemo->topLine(), 0) << "Page Down scrolls the help text";
    d.press('X');
    EXPECT_EQ(HelpMenu->MenuPressed, 0) << "other letters do nothing";
    d.press('M');
    ASSERT_TRUE(d.until([] { return visible(TopMenu) && !HelpMenu; }, 10));
  });
}

TEST_F(Menus, ReleasingTheMouseOutsideAButtonDoesNotClickIt) {
  play([&](Driver& d) {
    ASSERT_TRUE(reachTopMenu(d));
    const Rect r = TopMenu->NewGameBtn->boundsRect();
    d.mouseDown(r.left + 10, r.top + 10);
    EXPECT_FALSE(TopMenu->NewGameBtn->transparent());
    d.mouseUp(20, 580);
    d.ticks(3);
    EXPECT_TRUE(TopMenu->NewGameBtn->transparent());
    EXPECT_EQ(GameMenu, nullptr);
  });
}

TEST_F(Menus, HelpWithoutItsTextIsReportedAndTheMenuStays) {
  std::filesystem::remove(dir_ / "he.mm3");
  play([&](Driver& d) {
    ASSERT_TRUE(reachTopMenu(d));
    d.press('H');
    d.ticks(5);
    EXPECT_TRUE(visible(TopMenu));
    EXPECT_EQ(HelpMenu, nullptr);
    EXPECT_EQ(TopMenu->HelpPressed, 0);
    d.press('N');
    EXPECT_TRUE(d.until([] { return visible(GameMenu); }, 10)) << "the menu still works";
  });
  EXPECT_EQ(readFile("error.log"), "Err : Insufficent memory or resources available\nLocn: 3800\n\n");
}

TEST_F(Menus, GameOptionsAreKeptForTheWholeRun) {
  play([&](Driver& d) {
    ASSERT_TRUE(reachTopMenu(d));
    d.press('N');
    ASSERT_TRUE(d.until([] { return visible(GameMenu); }, 10));
    EXPECT_EQ(GameMenu->TwoRbtn->caption(), "(o) 2");
    EXPECT_EQ(GameMenu->UnlimitedRbtn->caption(), "(o) Unlimited");
    d.press('R');  // 3 rounds
    d.press('T');  // 30 seconds
    d.press('T');  // 20 seconds
    d.press('C');
    d.press('M');
    EXPECT_EQ(TvzMain->RoundCount, 3);
    EXPECT_EQ(TvzMain->TimeLimit, 20);
    EXPECT_EQ(TvzMain->ChallengerMayAnswer, 1);
    EXPECT_EQ(TvzMain->MultiplyByRound, 1);
    EXPECT_EQ(GameMenu->ThreeRbtn->caption(), "(o) 3");
    EXPECT_EQ(GameMenu->TwentyRbtn->caption(), "(o) 20 sec.");
    EXPECT_EQ(GameMenu->MultiplyChk->caption(), "[x] Multiply question value by round");

    // One round hides and clears the round rules; M then does nothing.
    clickOn(d, GameMenu->OneRbtn);
    EXPECT_FALSE(GameMenu->MultiplyChk->visible());
    EXPECT_EQ(TvzMain->MultiplyByRound, 0);
    d.press('M');
    EXPECT_EQ(TvzMain->MultiplyByRound, 0);
    d.press('R');  // back to 2 rounds: the rule is shown unticked
    EXPECT_TRUE(GameMenu->MultiplyChk->visible());
    EXPECT_EQ(GameMenu->MultiplyChk->caption(), "[  ] Multiply question value by round");

    d.press(vk::Escape);
    ASSERT_TRUE(d.until([] { return visible(TopMenu); }, 10));
    d.press('M');  // Multi-Player shows the same options
    ASSERT_TRUE(d.until([] { return visible(GameMenu); }, 10));
    EXPECT_EQ(TvzMain->PlayMode, 5);
    EXPECT_EQ(GameMenu->TwoRbtn->caption(), "(o) 2");
    EXPECT_EQ(GameMenu->TwentyRbtn->caption(), "(o) 20 sec.");
    EXPECT_EQ(GameMenu->ChallengerChk->caption(), "[x] Challenger may answer");

    d.press('N');
    ASSERT_TRUE(d.until([] { return visible(PlayerMenu); }, 10));
    d.press('P');
    ASSERT_TRUE(d.until([] { return visible(GameMenu); }, 10));
    EXPECT_EQ(GameMenu->TwentyRbtn->caption(), "(o) 20 sec.") << "back from setup with the same choices";
    d.press(vk::Escape);
    ASSERT_TRUE(d.until([] { return visible(TopMenu); }, 10));
    d.ticks(1);
    EXPECT_EQ(TvzMain->PlayMode, 0) << "the top menu returns to single-player mode";
  });
}

// R and T step through the rounds and the answer times and wrap round.
TEST_F(Menus, OptionKeysRAndTWrapRound) {
  play([&](Driver& d) {
    ASSERT_TRUE(reachTopMenu(d));
    d.press('N');
    ASSERT_TRUE(d.until([] { return visible(GameMenu); }, 10));
    const Label* roundOption[] = {nullptr, GameMenu->OneRbtn, GameMenu->TwoRbtn, GameMenu->ThreeRbtn};
    for (int expected : {3, 1, 2, 3, 1}) {
      d.press('R');
      EXPECT_EQ(TvzMain->RoundCount, expected);
      EXPECT_TRUE(isMarked(roundOption[expected])) << expected << " rounds";
    }
    const std::pair<int, const Label*> times[] = {{30, GameMenu->ThirtyRbtn},
                                                  {20, GameMenu->TwentyRbtn},
                                                  {10, GameMenu->TenRbtn},
                                                  {0, GameMenu->UnlimitedRbtn},
                                                  {30, GameMenu->ThirtyRbtn}};
    for (const auto& [seconds, option] : times) {
      d.press('T');
      EXPECT_EQ(TvzMain->TimeLimit, seconds);
      EXPECT_TRUE(isMarked(option)) << seconds << " seconds";
    }
  });
}

// Sound off: nothing reaches the sound output from the splashes to the last
// menu, and every screen still answers its buttons.
TEST_F(Menus, WithSoundOffNoClipPlaysAndEveryScreenStillWorks) {
  SoundOutput& output = SoundOutput::instance();
  output.setRecordHistory(true);
  output.clearHistory();
  play([&](Driver& d) {
    TvzMain->SoundOn = 0;
    ASSERT_TRUE(reachTopMenu(d));
    d.press('N');
    ASSERT_TRUE(d.until([] { return visible(GameMenu); }, 10));
    d.press('C');
    EXPECT_EQ(TvzMain->ChallengerMayAnswer, 1);
    d.press('N');
    ASSERT_TRUE(d.until([] { return visible(PlayerMenu); }, 10));
    d.press('A');
    d.press('K');
    d.press('P');
    ASSERT_TRUE(d.until([] { return visible(GameMenu); }, 10));
    d.press(vk::Escape);
    ASSERT_TRUE(d.until([] { return visible(TopMenu); }, 10));
    d.press('C');
    ASSERT_TRUE(d.until([] { return visible(Champions); }, 10));
    d.press('M');
    ASSERT_TRUE(d.until([] { return visible(TopMenu); }, 10));
    d.press('H');
    ASSERT_TRUE(d.until([] { return visible(HelpMenu); }, 10));
    d.press(vk::Escape);
    ASSERT_TRUE(d.until([] { return visible(TopMenu); }, 10));
    EXPECT_TRUE(output.history().empty()) << output.history().size() << " sounds played";
    EXPECT_GT(TvzMain->PlayedClips.size(), 10u) << "the clicks were still asked for";
    TvzMain->SoundOn = 1;  // and the probe hears a click once sound is on
    d.press('N');
    EXPECT_EQ(output.history().size(), 1u);
  });
  output.setRecordHistory(false);
  output.clearHistory();
}

}  // namespace
}  // namespace tvz::testing
