// The four question scenes: a human answers by letter or click, a computer's
// turn is only a picture (its decision stands, clicks and keys do nothing).
#include "platform/application.h"
#include "scene_session.h"
#include "scenes/camera3h.h"
#include "scenes/camera3m.h"
#include "scenes/camera3s.h"
#include "scenes/camera3t.h"
#include "scenes/question_text.h"

namespace tvz::testing {
namespace {

class QuestionScene : public SceneSession {
 protected:
  template <class Check>
  static void ForEachQuestionScene(Check check) {
    check(Camera3h, kHistoryColours, "history");
    check(Camera3m, kMusicColours, "music");
    check(Camera3s, kSportsColours, "sports");
    check(Camera3t, kTvArtsColours, "tv-arts");
  }
};

TEST_F(QuestionScene, HumanAnswersByLetterWithThePressedLook) {
  run([&](Driver& d) {
    SeatLineUp();
    game().TimeLimit = 20;
    ContestantRecord& answerer = game().Contestants[0];
    const int letters[] = {'A', 'B', 'C', 'D'};
    int round = 0;
    ForEachQuestionScene([&](auto*& slot, const CategoryColours& colours, const std::string& name) {
      SCOPED_TRACE(name);
      const int slotIndex = round++;
      ASSERT_NE(Open(d, slot, 0), nullptr);
      EXPECT_EQ(d.app().screenCursor(), Cursor::Default);
      EXPECT_EQ(slot->hint(), "Click on the correct answer");
      EXPECT_EQ(slot->color(), colours.normal);
      EXPECT_EQ(slot->QuestionLbl->caption(), QuestionText(game()));
      Label* const answers[] = {slot->AnswerALbl, slot->AnswerBLbl, slot->AnswerCLbl, slot->AnswerDLbl};
      for (int k = 0; k < 4; ++k) EXPECT_EQ(answers[k]->caption(), AnswerLine(game(), k));
      EXPECT_EQ(answers[1]->caption().substr(0, 3), "B. ");
      d.capture("question-" + name + ".png");
      const int key = letters[slotIndex];
      d.keyDown(key);
      Label* pressed = answers[slotIndex];
      EXPECT_EQ(FontColour(pressed), colours.highlight);
      EXPECT_FALSE(pressed->transparent());
      if (name == "history") d.capture("question-history-b-pressed.png");
      d.keyUp(key);
      EXPECT_EQ(answerer.AnswerSlot, slotIndex + 1);
      EXPECT_EQ(LastSoundPlayed(), std::vector<std::string>{"click.mm3"});
      d.settle();
      EXPECT_EQ(slot, nullptr);
    });
  });
}

TEST_F(QuestionScene, ClickAnswersAndTheLastKeyReleasedDecides) {
  run([&](Driver& d) {
    SeatLineUp();
    ContestantRecord& answerer = game().Contestants[1];
    answerer.IsHuman = 1;
    ASSERT_NE(Open(d, Camera3s, 1), nullptr);
    // Pressing on an answer and letting go elsewhere answers nothing.
    d.mouseDown(Camera3s->AnswerCLbl->left() + 30, Camera3s->AnswerCLbl->top() + 10);
    EXPECT_EQ(FontColour(Camera3s->AnswerCLbl), kSportsColours.highlight);
    d.mouseUp(400, 560);
    EXPECT_EQ(FontColour(Camera3s->AnswerCLbl), kSportsColours.normal);
    EXPECT_EQ(answerer.AnswerSlot, 0);
    clickOn(d, Camera3s->AnswerCLbl);
    EXPECT_EQ(answerer.AnswerSlot, 3);
    EXPECT_EQ(Camera3s, nullptr);

    // Key down A, key up B: A keeps its pressed look and the answer is B.
    ASSERT_NE(Open(d, Camera3t, 1), nullptr);
    d.keyDown('A');
    EXPECT_EQ(FontColour(Camera3t->AnswerALbl), kTvArtsColours.highlight);
    d.keyUp('B');
    EXPECT_EQ(answerer.AnswerSlot, 2);
    EXPECT_EQ(Camera3t, nullptr);
  });
}

// A computer contestant's answer is decided by the show before the scene
// opens. Nobody can answer for it: no pointer, and neither keys nor clicks.
TEST_F(QuestionScene, ComputerTurnIgnoresKeysAndClicks) {
  run([&](Driver& d) {
    SeatLineUp();
    game().TimeLimit = 30;
    ContestantRecord& computer = game().Contestants[2];
    computer.AnswerSlot = 4;  // the computer's decision
    ForEachQuestionScene([&](auto*& slot, const CategoryColours& colours, const std::string& name) {
      SCOPED_TRACE(name);
      ASSERT_NE(Open(d, slot, 2), nullptr);
      EXPECT_EQ(d.app().screenCursor(), Cursor::None);
      EXPECT_EQ(slot->hint(), "");
      EXPECT_TRUE(slot->TimeLbl->visible()) << "the audience sees the clock";
      EXPECT_EQ(slot->AnswerBLbl->caption(), AnswerLine(game(), 1));
      for (int key : {'A', 'B', 'C', 'D'}) d.press(key);
      for (Label* answer : {slot->AnswerALbl, slot->AnswerBLbl, slot->AnswerCLbl, slot->AnswerDLbl}) {
        d.mouseDown(answer->left() + 40, answer->top() + 10);
        EXPECT_EQ(FontColour(answer), colours.normal);
        EXPECT_TRUE(answer->transparent());
        d.mouseUp(answer->left() + 40, answer->top() + 10);
      }
      d.settle();
      ASSERT_NE(slot, nullptr) << "still up: the show closes it after the thinking time";
      EXPECT_EQ(computer.AnswerSlot, 4);
      if (name == "music") d.capture("question-music-computer.png");
      slot->Close();  // the show's thinking time is over
      d.settle();
      EXPECT_EQ(computer.AnswerSlot, 4);
    });
  });
}

TEST_F(QuestionScene, LongQuestionIsCutAtTheLabel) {
  run([&](Driver& d) {
    SeatLineUp();
    std::string longest;
    for (const std::string& text : game().QuestionTexts)
      if (text.size() > longest.size()) longest = text;
    std::string overlong = longest + " " + longest + " " + longest;
    game().QuestionTexts[game().QuestionTextRef] = overlong;
    ASSERT_NE(Open(d, Camera3h, 0), nullptr);
    EXPECT_EQ(Camera3h->QuestionLbl->caption(), overlong);
    EXPECT_GT(static_cast<int>(Camera3h->QuestionLbl->lines().size()) * 27, 108);
    d.capture("question-history-overlong.png");
    // Nothing of the question is drawn over answer A.
    const Bitmap screen = d.capture();
    const Bitmap alone = [&] {
      Camera3h->QuestionLbl->hide();
      return d.capture();
    }();
    for (int y = 292; y < 320; ++y)
      for (int x = 104; x < 705; x += 3)
        ASSERT_EQ(screen.pixel(x, y), alone.pixel(x, y)) << x << "," << y;
    Camera3h->Close();
  });
}

TEST_F(QuestionScene, DamagedPanelIsReported) {
  linkMedia({"cam3hist.mm1"});
  writeFile("cam3hist.mm1", std::string(300, 'x'));
  run([&](Driver& d) {
    SeatLineUp();
    game().Contestants[0].AnswerSlot = 2;
    EXPECT_EQ(Open(d, Camera3h, 0), nullptr);
    d.settle();
    EXPECT_EQ(Camera3h, nullptr);
    EXPECT_EQ(ErrorLog(), "Err : Error loading file\n      cam3hist.mm1\nLocn: 115\n\n");
    EXPECT_EQ(game().Contestants[0].AnswerSlot, 2);
  });
}

}  // namespace
}  // namespace tvz::testing
