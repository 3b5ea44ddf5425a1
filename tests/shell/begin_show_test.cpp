// The hand-over from the opening to the show, on its own: from any seated
// line-up the show begins in round 1 with one defender drawn at random, the
// board made and loaded first when there is none yet.
#include <set>

#include "harness/show_session.h"
#include "menus/in_game_menu.h"
#include "shell/main_window.h"

namespace tvz::testing {
namespace {

ContestantRecord& seat(int c) { return TvzMain->Contestants[c]; }

class BeginningAShow : public ShowSession {};

TEST_F(BeginningAShow, WithoutABoardMakesOneWithItsMenu) {
  play([&](Driver& d) {
    QuietShow();  // seats 1 and 2 hold roles from an earlier show
    TvzMain->BreakScene = 2;
    TvzMain->Round = 3;
    ASSERT_EQ(Camera2, nullptr);
    ASSERT_TRUE(InFrame(d, [] { return TvzMain->BeginShow(); }));
    ASSERT_NE(Camera2, nullptr);
    EXPECT_TRUE(Camera2->visible());
    EXPECT_GT(Camera2->BkgndImg->bitmap().width(), 0) << "its pictures are loaded";
    ASSERT_NE(InGameMenu, nullptr);
    EXPECT_FALSE(InGameMenu->visible());
    EXPECT_EQ(TvzMain->Round, 1);
    EXPECT_EQ(TvzMain->BreakScene, 0);
    EXPECT_EQ(TvzMain->OpeningPhase, 0);
    EXPECT_EQ(TvzMain->ElapsedMs, 0u);
    EXPECT_EQ(Camera2->Defender, -1);
    EXPECT_EQ(Camera2->Challenger, -1);
    EXPECT_EQ(Camera2->ShowStep, 0);
    int defenders = 0;
    for (int c = 0; c < 3; ++c) {
      EXPECT_TRUE(seat(c).Role == 0 || seat(c).Role == 1) << "nobody keeps an earlier show's role";
      defenders += seat(c).Role == 1;
    }
    EXPECT_EQ(defenders, 1);
  });
}

TEST_F(BeginningAShow, AnyContestantMayDefendFirst) {
  play([&](Driver& d) {
    QuietShow();
    ASSERT_TRUE(OpenBoard(d));
    std::set<int> defenders;
    for (int show = 0; show < 60; ++show) {
      ASSERT_TRUE(InFrame(d, [] { return TvzMain->BeginShow(); }));
      for (int c = 0; c < 3; ++c)
        if (seat(c).Role == 1) defenders.insert(c);
    }
    EXPECT_EQ(defenders, (std::set<int>{0, 1, 2}));
  });
}

}  // namespace
}  // namespace tvz::testing
