#include "scenes/value_scene.h"

#include <string>

#include "core/services.h"
#include "scenes/question_text.h"

namespace tvz {

namespace {
constexpr int kRightmostValueLeft = 599;
constexpr int kValueSpacing = 48;
constexpr std::int32_t kChallengerRole = 2;

// Digit keys of the main row: 1..9 are cells 1..9, 0 is cell 10.
int DigitKeyOf(int cell) { return cell == 9 ? '0' : '1' + cell; }
}  // namespace

ChallengeValueScene::ChallengeValueScene(const CategoryLook& look) : CategoryScene(look) {
  BkgndImg = add<Picture>(0, 0, 800, 600);
  for (int cell = kCellCount - 1; cell >= 0; --cell) {
    Label* value = add<Label>(kRightmostValueLeft - kValueSpacing * cell, 448, 33, 27,
                              std::to_string(cell + 1));
    buttons_.add(value, [this, cell] { Choose(cell); }, {DigitKeyOf(cell)});
    ValueLbls[cell] = value;
  }
  QuestionLbl = AddText(104, 152, 601, 108, "Question");
  QuestionLbl->setWordWrap(true);
  AnswerALbl = AddText(104, 288, 601, 27, "A. Answer");
  AnswerBLbl = AddText(104, 320, 601, 27, "B. Answer");
  AnswerCLbl = AddText(104, 352, 601, 27, "C. Answer");
  AnswerDLbl = AddText(104, 384, 601, 27, "D. Answer");
  AddTimeLabel(392, 504);
}

Label* ChallengeValueScene::AddText(int left, int top, int width, int height, const char* caption) {
  Label* label = add<Label>(left, top, width, height, caption);
  label->setTransparent(true);
  return label;
}

bool ChallengeValueScene::LoadPictures() {
  if (!LoadInto(BkgndImg, CategoryPicture())) {
    Close();
    return false;
  }
  return true;
}

void ChallengeValueScene::FormShow() {
  SetTooltip("Click on the desired challenge value");
  StartClock();
  ShowQuestion(*Services, QuestionLbl, {AnswerALbl, AnswerBLbl, AnswerCLbl, AnswerDLbl});
  ShowCells();
  ShowTurnCardOf(CardContestant());
}

// Played cells leave gaps in the row.
void ChallengeValueScene::ShowCells() {
  const ContestantRecord* defender = Seat(Contestant);
  for (int cell = 0; cell < kCellCount; ++cell) {
    Label* value = ValueLbls[cell];
    if (!defender || defender->CellUsed[cell]) {
      value->hide();
      continue;
    }
    value->setCaption(std::to_string(defender->CellValue[cell]));
    value->show();
  }
}

std::int32_t ChallengeValueScene::CardContestant() const {
  if (Challenger >= 0) return Challenger;
  for (int k = 0; k < kContestantCount; ++k)
    if (Services->Contestants[k].Role == kChallengerRole) return k;
  return -1;
}

void ChallengeValueScene::FormKeyDown(int& key, ShiftState shift) {
  if (swallowAltF4(key, shift)) return;
  if (buttons_.keyDown(key)) key = 0;
}

void ChallengeValueScene::FormKeyUp(int& key, ShiftState) {
  if (buttons_.keyUp(key)) key = 0;
}

void ChallengeValueScene::Choose(std::int32_t cell) {
  if (releasing()) return;
  if (ContestantRecord* defender = Seat(Contestant)) defender->SelectedCell = cell;
  Close();
}

// A defender with every cell played (only a saved game can bring one here)
// leaves nothing to stake.
bool ChallengeValueScene::NothingToChoose() const {
  const ContestantRecord* defender = Seat(Contestant);
  if (!defender) return true;
  for (const auto used : defender->CellUsed)
    if (!used) return false;
  return true;
}

// Expiry stakes the leftmost remaining cell on the screen.
void ChallengeValueScene::ClockRanOut() {
  if (ContestantRecord* defender = Seat(Contestant)) {
    defender->SelectedCell = -1;
    for (int cell = kCellCount - 1; cell >= 0; --cell) {
      if (!defender->CellUsed[cell]) {
        defender->SelectedCell = cell;
        break;
      }
    }
  }
  Close();
}

}  // namespace tvz
