#pragma once
// Which question the defender is asked, and how its four answers are laid out
// in the slots A to D. The same question serves the challenger when the
// challenge comes back after a miss.
#include <cstdint>

#include "core/game_record.h"

namespace tvz {

// Difficulties a defender is asked, bounds included.
struct DifficultyBand {
  int lowest = 1;
  int highest = 10;
  bool contains(int difficulty) const { return difficulty >= lowest && difficulty <= highest; }
};

// Beginner 1..4, Average 4..7, Expert 7..10; with "Harder questions each
// round" the lowest difficulty rises by one per round after the first.
DifficultyBand QuestionBand(const GameRecord& record, const ContestantRecord& defender);

// How many draws of the right category may be passed over for their
// difficulty; the draw after that is taken whatever its difficulty.
inline constexpr int kMostPassedOver = 33;

// The records a draw can land on: one per question line, at most 400.
int DrawableQuestions(const GameRecord& record);

// Draws the defender's question in the category of `Category` and makes it
// the current one: marks it used, sets `QuestionRecord`, `QuestionTextRef`,
// `AnswerIds` and `CorrectAnswerId`, the right answer in a random slot. When
// every question of the category has been asked, the category's questions
// are offered again (the one just asked last); a question may then repeat but
// the show goes on. A `Category` outside 1..5 is played as History and written
// back. False only when the defender is not a contestant or the bank holds no
// question of the category (the bank's load check refuses such a bank).
bool PickQuestion(GameRecord& record, int defender);

// The slot 1..4 that shows the right answer, or 0 when none does (a damaged
// saved game).
int RightAnswerSlot(const GameRecord& record);

// The answer line shown in a slot 1..4, or -1 for any other slot.
std::int32_t AnswerLineInSlot(const GameRecord& record, int slot);

// The difficulty 1..10 of the current question; a `QuestionRecord` outside the
// bank is taken as the hardest, 10.
int CurrentDifficulty(const GameRecord& record);

}  // namespace tvz
