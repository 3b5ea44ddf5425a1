#pragma once
// The challenge value scene, written once for the four categories: a human
// challenger previews the defender's question and stakes one of the
// defender's unplayed cells, by click or digit key (1..9, 0 for the tenth),
// against the answer clock. The choice goes into the defender's
// SelectedCell; when the clock runs out the highest unplayed cell is staked
// (-1 when every cell is played).
#include <array>
#include <cstdint>

#include "platform/picture.h"
#include "scenes/category_scene.h"

namespace tvz {

class ChallengeValueScene : public CategoryScene {
 public:
  Picture* BkgndImg;  // the category's challenge picture
  // Value01Lbl .. Value10Lbl in cell order: cell 1 rightmost, cell 10 leftmost.
  std::array<Label*, kCellCount> ValueLbls;
  Label* QuestionLbl;
  Label* AnswerALbl;
  Label* AnswerBLbl;
  Label* AnswerCLbl;
  Label* AnswerDLbl;

  // The challenger, whose card goes on top in multi-player mode; -1 (the
  // default) means the contestant holding the challenger's role.
  std::int32_t Challenger = -1;

  bool LoadPictures() override;

  void FormShow() override;
  void FormKeyDown(int& key, ShiftState shift) override;
  void FormKeyUp(int& key, ShiftState shift) override;

 protected:
  explicit ChallengeValueScene(const CategoryLook& look);
  void ClockRanOut() override;
  bool NothingToChoose() const override;

 private:
  Label* AddText(int left, int top, int width, int height, const char* caption);
  void ShowCells();
  void Choose(std::int32_t cell);
  std::int32_t CardContestant() const;
};

}  // namespace tvz
