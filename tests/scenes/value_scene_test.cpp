// The four challenge value scenes: the row of the defender's remaining
// values, digits and clicks, the pressed look in the category's colours, the
// question preview, and the clock's choice when every cell is played.
#include "scene_session.h"
#include "scenes/camera3hc.h"
#include "scenes/camera3mc.h"
#include "scenes/camera3sc.h"
#include "scenes/camera3tc.h"
#include "scenes/question_text.h"

namespace tvz::testing {
namespace {

class ValueScene : public SceneSession {
 protected:
  // Runs the check on each of the four scenes with its colours and name.
  template <class Check>
  static void ForEachValueScene(Check check) {
    check(Camera3hc, kHistoryColours, "history");
    check(Camera3mc, kMusicColours, "music");
    check(Camera3sc, kSportsColours, "sports");
    check(Camera3tc, kTvArtsColours, "tv-arts");
  }
};

int DigitKey(int cell) { return cell == 9 ? '0' : '1' + cell; }

TEST_F(ValueScene, RowShowsTheRemainingValuesFromTenDownToOne) {
  run([&](Driver& d) {
    SeatLineUp();
    game().TimeLimit = 30;
    ContestantRecord& defender = game().Contestants[1];
    for (int cell = 0; cell < kCellCount; ++cell) defender.CellValue[cell] = 2 * (cell + 1);  // round 2
    defender.CellUsed[3] = defender.CellUsed[6] = 1;
    ForEachValueScene([&](auto*& slot, const CategoryColours& colours, const std::string& name) {
      SCOPED_TRACE(name);
      ASSERT_NE(Open(d, slot, 1), nullptr);
      EXPECT_EQ(slot->color(), colours.normal);
      EXPECT_EQ(slot->HighlightColour, colours.highlight);
      // Left to right: the tenth cell first, 48 pixels apart, gaps for played cells.
      std::vector<std::string> row;
      for (int cell = kCellCount - 1; cell >= 0; --cell) {
        const Label* value = slot->ValueLbls[cell];
        EXPECT_EQ(value->left(), 599 - 48 * cell);
        EXPECT_EQ(value->top(), 448);
        EXPECT_EQ(FontColour(value), colours.normal);
        row.push_back(value->visible() ? value->caption() : "_");
      }
      EXPECT_EQ(row, (std::vector<std::string>{"20", "18", "16", "_", "12", "10", "_", "6", "4", "2"}));
      // The defender's question, previewed.
      EXPECT_EQ(slot->QuestionLbl->caption(), QuestionText(game()));
      EXPECT_FALSE(slot->QuestionLbl->caption().empty());
      EXPECT_EQ(slot->AnswerALbl->caption(), "A. " + game().AnswerTexts[game().AnswerIds[0]]);
      EXPECT_EQ(slot->AnswerDLbl->caption(), "D. " + game().AnswerTexts[game().AnswerIds[3]]);
      EXPECT_EQ(slot->TimeLbl->caption(), "30");
      d.capture("value-" + name + ".png");
      slot->Close();
      d.settle();
    });
  });
}

TEST_F(ValueScene, DigitsShowThePressedLookAndChooseOnRelease) {
  run([&](Driver& d) {
    SeatLineUp();
    ContestantRecord& defender = game().Contestants[2];
    defender.CellUsed[9] = defender.CellUsed[8] = 1;
    ForEachValueScene([&](auto*& slot, const CategoryColours& colours, const std::string& name) {
      SCOPED_TRACE(name);
      ASSERT_NE(Open(d, slot, 2), nullptr);
      d.press('0');  // cell 10 is played: nothing happens
      d.press('9');
      ASSERT_NE(slot, nullptr);
      Label* five = slot->ValueLbls[4];
      d.keyDown('5');
      EXPECT_EQ(FontColour(five), colours.highlight);
      EXPECT_FALSE(five->transparent());
      EXPECT_EQ(five->color(), colours.normal);
      const Bitmap screen = d.capture();
      EXPECT_EQ(screen.pixel(five->left() + 1, five->top() + 1), colours.normal)
          << "the pressed value is a box of the normal colour";
      if (name == "sports") d.capture("value-sports-5-pressed.png");
      EXPECT_EQ(defender.SelectedCell, -1);
      const std::size_t sounds = game().PlayedClips.size();
      d.keyUp('5');
      EXPECT_EQ(defender.SelectedCell, 4);
      EXPECT_EQ(game().PlayedClips.size(), sounds + 1);
      EXPECT_EQ(LastSoundPlayed(), std::vector<std::string>{"click.mm3"});
      EXPECT_EQ(slot, nullptr);
      defender.SelectedCell = -1;
    });
  });
}

TEST_F(ValueScene, EveryDigitNamesItsCell) {
  run([&](Driver& d) {
    SeatLineUp();
    for (int cell = 0; cell < kCellCount; ++cell) {
      ASSERT_NE(Open(d, Camera3tc, 0), nullptr);
      d.press(DigitKey(cell));
      EXPECT_EQ(game().Contestants[0].SelectedCell, cell);
      EXPECT_EQ(Camera3tc, nullptr);
    }
  });
}

TEST_F(ValueScene, ClickChoosesAndReleasingElsewhereOnlyRestoresTheLook) {
  run([&](Driver& d) {
    SeatLineUp();
    ContestantRecord& defender = game().Contestants[0];
    ASSERT_NE(Open(d, Camera3mc, 0), nullptr);
    Label* seven = Camera3mc->ValueLbls[6];
    d.mouseDown(seven->left() + 10, seven->top() + 10);
    EXPECT_EQ(FontColour(seven), kMusicColours.highlight);
    d.mouseUp(300, 100);
    EXPECT_EQ(FontColour(seven), kMusicColours.normal);
    EXPECT_TRUE(seven->transparent());
    EXPECT_EQ(defender.SelectedCell, -1);
    // The previewed answers are no buttons, and A..D are no keys here.
    clickOn(d, Camera3mc->AnswerBLbl);
    d.press('B');
    EXPECT_EQ(defender.SelectedCell, -1);
    ASSERT_NE(Camera3mc, nullptr);
    clickOn(d, seven);
    EXPECT_EQ(defender.SelectedCell, 6);
    EXPECT_EQ(Camera3mc, nullptr);
  });
}

// With every cell played there is nothing to stake: the clock's no-choice
// ends the scene, and without a clock it ends at once instead of waiting for
// a choice that cannot come (a saved game can hold such a defender).
TEST_F(ValueScene, EveryCellPlayedChoosesNoneWithOrWithoutAClock) {
  run([&](Driver& d) {
    SeatLineUp();
    ContestantRecord& defender = game().Contestants[1];
    for (auto& used : defender.CellUsed) used = 1;
    for (const std::int32_t seconds : {10, 0}) {
      SCOPED_TRACE(seconds);
      game().TimeLimit = seconds;
      defender.SelectedCell = 3;
      ASSERT_NE(Open(d, Camera3sc, 1), nullptr);
      for (const Label* value : Camera3sc->ValueLbls) EXPECT_FALSE(value->visible());
      int frames = 0;
      for (; frames < 400 && Camera3sc; ++frames) Frame(d, Camera3sc);
      EXPECT_EQ(Camera3sc, nullptr);
      EXPECT_EQ(defender.SelectedCell, -1);
      if (seconds == 0) {
        EXPECT_EQ(frames, 1);
      }
    }
  });
}

TEST_F(ValueScene, MissingPictureIsReportedAndNothingIsChosen) {
  linkMedia({"cam3cspo.mm1"});
  run([&](Driver& d) {
    SeatLineUp();
    EXPECT_EQ(Open(d, Camera3sc, 0), nullptr);
    d.settle();
    EXPECT_EQ(Camera3sc, nullptr);
    EXPECT_EQ(ErrorLog(), "Err : File does not exist\n      cam3cspo.mm1\nLocn: 120\n\n");
    EXPECT_EQ(game().Contestants[0].SelectedCell, -1);
  });
}

}  // namespace
}  // namespace tvz::testing
