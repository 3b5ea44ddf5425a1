#include "scenes/question_text.h"

#include "core/contestant_names.h"

namespace tvz {

std::string QuestionText(const GameRecord& record) {
  return ListEntry(record.QuestionTexts, record.QuestionTextRef);
}

std::string AnswerLine(const GameRecord& record, int slot) {
  static const char* const kLetters[4] = {"A. ", "B. ", "C. ", "D. "};
  return kLetters[slot] + ListEntry(record.AnswerTexts, record.AnswerIds[slot]);
}

void ShowQuestion(const GameRecord& record, Label* question, const std::array<Label*, 4>& answers) {
  question->setCaption(QuestionText(record));
  for (int slot = 0; slot < 4; ++slot) answers[slot]->setCaption(AnswerLine(record, slot));
}

}  // namespace tvz
