// The answer clock of the category, challenge value and question scenes,
// stepped as the show steps it: once per 33 ms frame.
#include <cstdlib>

#include "scene_session.h"
#include "scenes/camera2a.h"
#include "scenes/camera2b.h"
#include "scenes/camera3h.h"
#include "scenes/camera3mc.h"
#include "scenes/camera3w.h"

namespace tvz::testing {
namespace {

class AnswerClockTest : public SceneSession {
 protected:
  // Frames until the scene closes; every number the label showed is checked
  // against the time counted since the scene was shown, and collected.
  template <class Scene>
  std::vector<int> RunOut(Driver& d, Scene*& slot, std::uint32_t shownAt) {
    std::vector<int> shown{std::atoi(slot->TimeLbl->caption().c_str())};
    for (int frame = 0; frame < 2000 && slot; ++frame) {
      Frame(d, slot);
      const std::uint32_t elapsed = d.clock().tickCount() - shownAt;
      if (elapsed >= 10000) {
        EXPECT_EQ(slot, nullptr) << "still up at " << elapsed << " ms";
        break;
      }
      if (!slot) {
        ADD_FAILURE() << "closed early, at " << elapsed << " ms";
        break;
      }
      const int seconds = std::atoi(slot->TimeLbl->caption().c_str());
      EXPECT_EQ(seconds, 10 - static_cast<int>(elapsed / 1000)) << "at " << elapsed << " ms";
      if (seconds != shown.back()) shown.push_back(seconds);
    }
    return shown;
  }
  const std::vector<int> kTenToOne{10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
};

TEST_F(AnswerClockTest, TenSecondsCountDownAndEndWithTheNoChoiceResult) {
  run([&](Driver& d) {
    SeatLineUp();
    game().TimeLimit = 10;

    game().Category = 3;
    ASSERT_NE(Open(d, Camera3w, 0), nullptr);
    std::uint32_t shownAt = d.clock().tickCount();
    EXPECT_TRUE(Camera3w->TimeLbl->visible());
    EXPECT_EQ(RunOut(d, Camera3w, shownAt), kTenToOne);
    EXPECT_EQ(game().Category, 0);

    // Cells 10 and 9 played: the clock stakes cell 8 (index 7).
    game().Contestants[1].CellUsed[9] = game().Contestants[1].CellUsed[8] = 1;
    ASSERT_NE(Open(d, Camera3mc, 1), nullptr);
    shownAt = d.clock().tickCount();
    EXPECT_EQ(RunOut(d, Camera3mc, shownAt), kTenToOne);
    EXPECT_EQ(game().Contestants[1].SelectedCell, 7);

    game().Contestants[0].AnswerSlot = 3;
    ASSERT_NE(Open(d, Camera3h, 0), nullptr);
    shownAt = d.clock().tickCount();
    EXPECT_EQ(RunOut(d, Camera3h, shownAt), kTenToOne);
    EXPECT_EQ(game().Contestants[0].AnswerSlot, 0);
  });
}

// The clock runs for the audience during a computer's turn too, and its
// expiry means no answer.
TEST_F(AnswerClockTest, ComputerAnswererStillRunsOutOfTime) {
  run([&](Driver& d) {
    SeatLineUp();
    game().TimeLimit = 10;
    game().Contestants[2].AnswerSlot = 2;  // the computer's decision
    ASSERT_NE(Open(d, Camera3h, 2), nullptr);
    const std::uint32_t shownAt = d.clock().tickCount();
    EXPECT_EQ(RunOut(d, Camera3h, shownAt), kTenToOne);
    EXPECT_EQ(game().Contestants[2].AnswerSlot, 0);
  });
}

TEST_F(AnswerClockTest, NoLimitMeansNoClock) {
  run([&](Driver& d) {
    SeatLineUp();
    game().TimeLimit = 0;
    game().Category = 4;
    ASSERT_NE(Open(d, Camera3w, 0), nullptr);
    ASSERT_NE(Open(d, Camera3mc, 1), nullptr);
    EXPECT_FALSE(Camera3w->TimeLbl->visible());
    EXPECT_FALSE(Camera3mc->TimeLbl->visible());
    for (int frame = 0; frame < 3000; ++frame) {  // 99 s
      d.ticks(1);
      Camera3w->Update();
      Camera3mc->Update();
    }
    d.settle();
    ASSERT_NE(Camera3w, nullptr);
    ASSERT_NE(Camera3mc, nullptr);
    EXPECT_EQ(Camera3w->Clock().ClockElapsed, 0u);
    EXPECT_EQ(game().Category, 4);
    EXPECT_EQ(game().Contestants[1].SelectedCell, -1);
    Camera3mc->Close();
    Camera3w->Close();
  });
}

// While a turn card covers the scene the label stands still, but the time is
// counted: the first frame after the card has gone shows the right second.
TEST_F(AnswerClockTest, SecondsCountWhileATurnCardCoversTheScene) {
  run([&](Driver& d) {
    SeatLineUp();
    game().PlayMode = 5;
    game().TimeLimit = 10;
    ASSERT_NE(Open(d, Camera3w, 0), nullptr);
    const std::uint32_t shownAt = d.clock().tickCount();
    ASSERT_NE(Camera2a, nullptr);
    for (int frame = 0; frame < 130; ++frame) Frame(d, Camera3w);  // 4.29 s
    EXPECT_EQ(Camera3w->TimeLbl->caption(), "10");
    d.click(400, 300);  // the card goes
    d.settle();
    ASSERT_EQ(Camera2a, nullptr);
    Frame(d, Camera3w);
    const std::uint32_t elapsed = d.clock().tickCount() - shownAt;
    EXPECT_EQ(Camera3w->TimeLbl->caption(), std::to_string(10 - elapsed / 1000));
    EXPECT_EQ(Camera3w->TimeLbl->caption(), "6");
    Camera3w->Close();
  });
}

TEST_F(AnswerClockTest, TimeUsedUpUnderTheCardEndsAtTheFirstFrameAfterIt) {
  run([&](Driver& d) {
    SeatLineUp();
    game().PlayMode = 5;
    game().TimeLimit = 10;
    game().Contestants[1].Role = 2;
    ASSERT_NE(Open(d, Camera3mc, 0), nullptr);
    ASSERT_NE(Camera2b, nullptr) << "the challenger's card";
    for (int frame = 0; frame < 400; ++frame) Frame(d, Camera3mc);  // 13.2 s
    ASSERT_NE(Camera3mc, nullptr);
    EXPECT_EQ(Camera3mc->TimeLbl->caption(), "10");
    d.press('X');  // a key release dismisses the card
    ASSERT_EQ(Camera2b, nullptr);
    ASSERT_NE(Camera3mc, nullptr);
    Frame(d, Camera3mc);
    EXPECT_EQ(Camera3mc, nullptr);
    EXPECT_EQ(game().Contestants[0].SelectedCell, 9);
  });
}

}  // namespace
}  // namespace tvz::testing
