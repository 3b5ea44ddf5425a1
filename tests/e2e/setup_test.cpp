// Contestant setup in single and multi-player mode.
#include <cstring>
#include <set>

#include "core/contestant_names.h"
#include "harness/game_session.h"
#include "menus/game_menu.h"
#include "menus/player_menu.h"
#include "platform/random.h"
#include "shell/top_menu.h"
#include "store/champions.h"

namespace tvz::testing {
namespace {

class Setup : public GameSession {
 protected:
  void SetUp() override {
    GameSession::SetUp();
    linkMedia();
  }
  // From the top menu through the options to contestant setup.
  static bool openSetup(Driver& d, int entryKey) {
    if (!reachTopMenu(d)) return false;
    d.press(entryKey);
    if (!d.until([] { return GameMenu && GameMenu->visible(); }, 10)) return false;
    d.press('N');
    return d.until([] { return PlayerMenu && PlayerMenu->visible(); }, 10);
  }
};

ContestantRecord& seat(int k) { return TvzMain->Contestants[k]; }

TEST_F(Setup, SinglePlayerSetsUpContestantZeroAndStarts) {
  play([&](Driver& d) {
    ASSERT_TRUE(openSetup(d, 'N'));
    d.capture("contestant-setup.png");
    EXPECT_FALSE(PlayerMenu->NextBtn->visible());
    EXPECT_EQ(seat(0).IsHuman, 1);
    EXPECT_EQ(seat(0).Knowledge, 2);
    EXPECT_EQ(PlayerMenu->AverageRbtn->caption(), "(o) Average");
    EXPECT_EQ(PlayerMenu->NameMemo->text(), ListName(*TvzMain, seat(0)));
    const std::string occupation = Occupation(*TvzMain, seat(0));
    EXPECT_EQ(PlayerMenu->InfoLbl->caption(),
              Article(occupation, true) + occupation + " from " + Residence(*TvzMain, seat(0)));

    d.press('N');  // no "Next Human" in single-player mode
    EXPECT_EQ(PlayerMenu->CurrentContestant, 0);

    d.press('A');
    EXPECT_EQ(seat(0).Appearance, 2);
    EXPECT_EQ(seat(0).AppearanceNo, 2);
    d.press('G');
    EXPECT_EQ(seat(0).Appearance, 3);
    const std::int32_t firstIdx = seat(0).FirstNameIdx;
    EXPECT_EQ(PlayerMenu->NameMemo->text(), ListName(*TvzMain, seat(0)))
        << "gender keeps the position, so the other list's name shows";
    d.press('F');
    EXPECT_EQ(seat(0).FirstNameIdx, (firstIdx + 1) % 12);
    d.press('K');
    EXPECT_EQ(seat(0).Knowledge, 3);
    EXPECT_EQ(PlayerMenu->ExpertRbtn->caption(), "(o) Expert");

    d.press('S');
    EXPECT_EQ(PlayerMenu->StartPressed, 1);
    EXPECT_EQ(seat(0).CustomName[0], '\0') << "the list name stays in use";
  });
}

TEST_F(Setup, PrevInSinglePlayerGoesBackToTheOptions) {
  play([&](Driver& d) {
    ASSERT_TRUE(openSetup(d, 'N'));
    clickOn(d, PlayerMenu->PrevBtn);
    ASSERT_TRUE(d.until([] { return GameMenu && GameMenu->visible() && !PlayerMenu; }, 10));
    EXPECT_EQ(Champions, nullptr) << "the hidden champions list goes with the setup screen";
    d.press('N');
    ASSERT_TRUE(d.until([] { return PlayerMenu && PlayerMenu->visible(); }, 10)) << "and setup opens again";
    EXPECT_EQ(PlayerMenu->CurrentContestant, 0);
    d.press(vk::Escape);  // Escape is "< Prev" too
    EXPECT_TRUE(d.until([] { return GameMenu && GameMenu->visible() && !PlayerMenu; }, 10));
  });
}

// The info line acts as "Appearance" when clicked but is no button: it keeps
// the arrow, while the buttons show the hand.
TEST_F(Setup, TheInfoLineKeepsTheArrowAndStillChangesThePicture) {
  play([&](Driver& d) {
    ASSERT_TRUE(openSetup(d, 'N'));
    auto pointAt = [&](const Control* control) {
      const Rect r = control->boundsRect();
      d.mouseMove(r.left + r.width() / 2, r.top + r.height() / 2);
      return d.app().effectiveCursor();
    };
    EXPECT_EQ(pointAt(PlayerMenu->InfoLbl), Cursor::Arrow);
    EXPECT_EQ(pointAt(PlayerMenu->ChangeAppBtn), Cursor::HandPoint);
    const std::int32_t appearance = seat(0).Appearance;
    const std::string info = PlayerMenu->InfoLbl->caption();
    const Rect r = PlayerMenu->InfoLbl->boundsRect();
    d.mouseDown(r.left + 20, r.top + 5);
    EXPECT_FALSE(PlayerMenu->ChangeAppBtn->transparent()) << "the button it stands for looks pressed";
    d.mouseUp(r.left + 20, r.top + 5);
    EXPECT_EQ(seat(0).Appearance, appearance + 2);
    EXPECT_EQ(PlayerMenu->InfoLbl->caption(), info);
  });
}

TEST_F(Setup, TypedNamesBecomeListPositionsOrAStoredName) {
  play([&](Driver& d) {
    ASSERT_TRUE(openSetup(d, 'N'));
    clickOn(d, PlayerMenu->NameMemo);
    ASSERT_TRUE(PlayerMenu->NameMemo->focused());
    // Replace the last name by another of the list: digits and blanks are dropped.
    d.press(vk::End);
    const std::string last = LastName(*TvzMain, seat(0));
    for (std::size_t i = 0; i < last.size(); ++i) d.press(vk::Back);
    const std::string wanted = TvzMain->LastNames[(seat(0).LastNameIdx + 5) % 24];
    d.type(wanted + " 7");
    EXPECT_EQ(PlayerMenu->NameMemo->text(), FirstName(*TvzMain, seat(0)) + " " + wanted);
    ShiftState alt;
    alt.alt = true;
    d.keyDown('S', alt);  // shortcuts work with Alt while typing
    d.keyUp('S', alt);
    EXPECT_EQ(PlayerMenu->StartPressed, 1);
    EXPECT_EQ(LastName(*TvzMain, seat(0)), wanted);
    EXPECT_EQ(seat(0).CustomName[0], '\0');

    // A single word is kept as typed.
    d.press(vk::Home);
    for (int i = 0; i < 30; ++i) d.press(vk::Delete);
    d.type("Zanzibar");
    d.keyDown('S', alt);
    d.keyUp('S', alt);
    EXPECT_STREQ(seat(0).CustomName, "Zanzibar");
  });
}

TEST_F(Setup, MultiPlayerWalksThroughThreeHumansAndBack) {
  play([&](Driver& d) {
    ASSERT_TRUE(openSetup(d, 'M'));
    EXPECT_TRUE(PlayerMenu->NextBtn->visible());
    d.press('N');
    EXPECT_EQ(PlayerMenu->CurrentContestant, 1);
    d.press('N');
    EXPECT_EQ(PlayerMenu->CurrentContestant, 2);
    EXPECT_FALSE(PlayerMenu->NextBtn->visible()) << "three people at most";
    for (int k = 0; k < 3; ++k) EXPECT_EQ(seat(k).IsHuman, 1);
    d.press('P');
    d.press('P');
    EXPECT_EQ(PlayerMenu->CurrentContestant, 0);
    EXPECT_TRUE(PlayerMenu->NextBtn->visible());
    EXPECT_EQ(seat(2).IsHuman, 1) << "going back keeps a seat human";
    d.press('P');
    EXPECT_TRUE(d.until([] { return GameMenu && GameMenu->visible(); }, 10));
  });
}

TEST_F(Setup, ComputerContestantsNeverSharePicturesOrSameGenderFirstNames) {
  play([&](Driver& d) {
    ASSERT_TRUE(openSetup(d, 'N'));
    seat(0).Knowledge = 3;
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
      Randomize(seed);
      seat(1).IsHuman = seat(2).IsHuman = 0;
      PlayerMenu->CompleteLineUp();
      std::set<int> pictures;
      for (int k = 0; k < 3; ++k) pictures.insert(seat(k).Appearance);
      ASSERT_EQ(pictures.size(), 3u) << "seed " << seed;
      for (int a = 0; a < 3; ++a) {
        for (int b = a + 1; b < 3; ++b) {
          if (seat(a).Appearance % 2 == seat(b).Appearance % 2) {
            ASSERT_NE(seat(a).FirstNameIdx, seat(b).FirstNameIdx) << "seed " << seed;
          }
        }
      }
      for (int k = 0; k < 3; ++k) {
        ASSERT_EQ(seat(k).CategoryKnowledge[0], seat(k).CategoryKnowledge[1]);
        for (int c = 0; c < 5; ++c) {
          ASSERT_GE(seat(k).CategoryKnowledge[c], 32);
          ASSERT_LE(seat(k).CategoryKnowledge[c], 80);
        }
        ASSERT_EQ(seat(k).AppearanceNo, seat(k).Appearance / 2 + 1);
      }
      ASSERT_EQ(seat(1).Knowledge, 3) << "computers follow the strongest human";
    }
  });
}

TEST_F(Setup, AReturningChampionIsAnnounced) {
  play([&](Driver& d) {
    ASSERT_TRUE(openSetup(d, 'N'));
    ASSERT_NE(Champions, nullptr) << "setup keeps a hidden champions list";
    EXPECT_FALSE(Champions->visible());
    ContestantRecord champion = seat(0);
    champion.Score = 42;
    Champions->AddChampion(champion);
    d.press('L');  // rebuilds the info line for a new last name: no longer the champion
    EXPECT_EQ(seat(0).IsReturningChampion, 0);
    for (int i = 0; i < 23; ++i) d.press('L');  // all the way round to the champion's name
    EXPECT_EQ(seat(0).IsReturningChampion, 1);
    EXPECT_EQ(PlayerMenu->InfoLbl->caption().rfind("Our returning champion, ", 0), 0u);
    d.press('A');  // another picture is another person
    d.press('L');
    for (int i = 0; i < 23; ++i) d.press('L');
    EXPECT_EQ(seat(0).IsReturningChampion, 0);
  });
}

}  // namespace
}  // namespace tvz::testing
