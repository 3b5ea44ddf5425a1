#pragma once
// The decisions of a contestant played by the computer: the category it picks,
// how long it reviews a question, which of the defender's cells it challenges
// for, and (computer_answer.h) what it answers and how long it thinks.
// Chances come from the contestant's `Knowledge` and `CategoryKnowledge`.
#include <cstdint>

#include "core/game_record.h"
#include "show/computer_answer.h"
#include "show/rules_codes.h"

namespace tvz {

// The category code 1..5 with the highest chance value; the lowest code wins
// a tie, so History is always code 1.
int StrongestCategory(const ContestantRecord& contestant);
// The category code 1..5 with the lowest chance value, ties likewise.
int WeakestCategory(const ContestantRecord& contestant);

// A computer defender picks its strongest category: writes `Category` (not
// for a defender that is no contestant) and returns the pause before the
// category is announced, 1 to 5 seconds.
std::uint32_t ChooseComputerCategory(GameRecord& record, int defender);

// How long a computer challenger looks at the question, added to the review
// line's 4500 ms: up to the clock's seconds less 3, or up to 4 s with no clock.
std::uint32_t ComputerReviewTime(const GameRecord& record);

// Among the defender's unused cells in ascending order, the lower half
// (rounded down) is the low choice and the rest the high choice; every cell of
// a half is equally likely. A defender with no unused cell gives cell 0.
int PickLowValue(const ContestantRecord& defender);
int PickHighValue(const ContestantRecord& defender);

// A computer challenger stakes a cell of the defender: high when the category
// is its strongest or the defender's weakest (compared as codes, so History
// drawn as code 2 is neither), low otherwise. Writes and returns the
// defender's `SelectedCell`; -1 when the seats are not valid.
int ChooseComputerValue(GameRecord& record, Seats seats);

}  // namespace tvz
