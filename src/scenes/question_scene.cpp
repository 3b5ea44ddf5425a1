#include "scenes/question_scene.h"

#include "core/services.h"
#include "platform/application.h"
#include "scenes/question_text.h"

namespace tvz {

QuestionScene::QuestionScene(const CategoryLook& look) : CategoryScene(look) {
  BkgndImg = add<Picture>(0, 0, 800, 600);
  CategoryImg = add<Picture>(61, 70, 685, 459);
  QuestionLbl = add<Label>(104, 184, 601, 108, "Question");
  QuestionLbl->setTransparent(true);
  QuestionLbl->setWordWrap(true);
  AnswerALbl = AddAnswer(320, "A. Answer", 1);
  AnswerBLbl = AddAnswer(352, "B. Answer", 2);
  AnswerCLbl = AddAnswer(384, "C. Answer", 3);
  AnswerDLbl = AddAnswer(416, "D. Answer", 4);
  AddTimeLabel(392, 472);
}

// An answer is a label button keyed by its letter, its text on the left.
Label* QuestionScene::AddAnswer(int top, const char* caption, int slot) {
  Label* answer = buttons_.add(add<Label>(104, top, 601, 27, caption), [this, slot] { Choose(slot); },
                               {'A' + slot - 1});
  answer->setAlignment(Alignment::Left);
  answer->setLayout(VerticalAlignment::Top);
  return answer;
}

bool QuestionScene::LoadPictures() {
  BkgndImg->setBitmap(Services->Backdrop);
  if (!LoadInto(CategoryImg, CategoryPicture())) {
    Close();
    return false;
  }
  return true;
}

void QuestionScene::FormShow() {
  const bool human = AnswererIsHuman();
  // During a computer's turn the answers are only a picture: no pointer, no
  // tooltip, and they take neither clicks nor keys.
  for (Label* answer : {AnswerALbl, AnswerBLbl, AnswerCLbl, AnswerDLbl}) answer->setEnabled(human);
  if (human) {
    Application::current().setScreenCursor(Cursor::Default);
    SetTooltip("Click on the correct answer");
    if (!ShowTurnCardOf(Contestant)) return;
  } else {
    Application::current().setScreenCursor(Cursor::None);
    setHint({});
  }
  // The audience sees the clock run during a computer's turn too.
  StartClock();
  ShowQuestion(*Services, QuestionLbl, {AnswerALbl, AnswerBLbl, AnswerCLbl, AnswerDLbl});
}

bool QuestionScene::AnswererIsHuman() const {
  const ContestantRecord* answerer = Seat(Contestant);
  return answerer && answerer->IsHuman;
}

void QuestionScene::FormKeyDown(int& key, ShiftState shift) {
  if (swallowAltF4(key, shift) || !AnswererIsHuman()) return;
  if (buttons_.keyDown(key)) key = 0;
}

void QuestionScene::FormKeyUp(int& key, ShiftState) {
  if (!AnswererIsHuman()) return;
  if (buttons_.keyUp(key)) key = 0;
}

void QuestionScene::Choose(std::int32_t slot) {
  if (releasing() || !AnswererIsHuman()) return;
  Seat(Contestant)->AnswerSlot = slot;
  Close();
}

void QuestionScene::ClockRanOut() {
  if (ContestantRecord* answerer = Seat(Contestant)) answerer->AnswerSlot = 0;
  Close();
}

}  // namespace tvz
