#pragma once
// The question scene, written once for the four categories: the question
// and its four answers for the contestant who must answer, against the
// answer clock. A human answers by click or by A..D; the answer goes into
// the answerer's AnswerSlot (1..4, 0 when the clock ran out). For a computer
// answerer the scene is a picture for the audience: the pointer is hidden
// and neither keys nor clicks answer, so the computer's own decision, made
// by the show before the scene opened, stands.
#include <array>
#include <cstdint>

#include "platform/picture.h"
#include "scenes/category_scene.h"

namespace tvz {

class QuestionScene : public CategoryScene {
 public:
  Picture* BkgndImg;     // the menu backdrop
  Picture* CategoryImg;  // the category's question panel
  Label* QuestionLbl;
  Label* AnswerALbl;
  Label* AnswerBLbl;
  Label* AnswerCLbl;
  Label* AnswerDLbl;

  bool LoadPictures() override;

  void FormShow() override;
  void FormKeyDown(int& key, ShiftState shift) override;
  void FormKeyUp(int& key, ShiftState shift) override;

 protected:
  explicit QuestionScene(const CategoryLook& look);
  void ClockRanOut() override;

 private:
  Label* AddAnswer(int top, const char* caption, int slot);
  bool AnswererIsHuman() const;
  void Choose(std::int32_t slot);
};

}  // namespace tvz
