#pragma once
// The current question and its four answers as the value and question
// scenes show them: "A. " before the answer in slot 1, and so on.
#include <array>
#include <string>

#include "core/game_record.h"
#include "platform/label.h"

namespace tvz {

std::string QuestionText(const GameRecord& record);
// Slot 0..3 is answer A..D.
std::string AnswerLine(const GameRecord& record, int slot);
void ShowQuestion(const GameRecord& record, Label* question, const std::array<Label*, 4>& answers);

}  // namespace tvz
