#pragma once
// The codes of the game record as the rules read them. A saved game is a file
// anyone can edit, so every code that picks an array entry is checked here
// once, and a code the game never writes is read as a harmless one instead of
// reaching past an array.
#include <cstdint>

#include "core/game_record.h"

namespace tvz {

// The board's two seats of a challenge: the contestant in control and the one
// challenging it, contestant indexes 0..2.
struct Seats {
  int defender = -1;
  int challenger = -1;
};
// Both seats are contestants and they are not the same one.
bool SeatsValid(Seats seats);
bool IsContestant(int index);

inline constexpr int kNoAnswer = 0;  // AnswerSlot: no answer or the clock ran out
inline constexpr int kDefenderRole = 1;
inline constexpr int kChallengerRole = 2;

// The category code a challenge is played in: 1..5 as they are; anything else
// (0 none, 6 the defender picks, a damaged value) plays as History, code 1.
int PlayedCategory(int categoryCode);
// The question index category 0..3 of a category code 1..5 (codes 1 and 2 are
// both History); -1 for any other code.
int QuestionCategoryOf(int categoryCode);
// The contestant's chance value for a category code, read through
// PlayedCategory.
std::int32_t CategoryKnowledgeOf(const ContestantRecord& contestant, int categoryCode);

// Knowledge 1 Beginner, 2 Average, 3 Expert as played; anything else plays as
// Average, the level every contestant starts from.
int PlayedKnowledge(int knowledge);

bool IsCell(int cell);          // 0..9
bool IsAnswerSlot(int slot);    // 1..4 = A..D
// The contestant's lowest unused cell, or 0 when every cell is used.
int LowestUnusedCell(const ContestantRecord& contestant);

// Seconds on the answer clocks, 0 = no clock. The options offer 10, 20 and
// 30; a larger saved value is read as 30 so the computer's delays stay sane.
int AnswerSeconds(const GameRecord& record);

// The audience mood 0 Difficult, 1 General, 2 Lively, limited to that range.
int PlayedAudienceMood(const GameRecord& record);

}  // namespace tvz
