#include "show/rules_codes.h"

#include <algorithm>

namespace tvz {

bool IsContestant(int index) { return index >= 0 && index < kContestantCount; }

bool SeatsValid(Seats seats) {
  return IsContestant(seats.defender) && IsContestant(seats.challenger) &&
         seats.defender != seats.challenger;
}

int PlayedCategory(int categoryCode) {
  return categoryCode >= 1 && categoryCode <= kCategoryCount ? categoryCode : 1;
}

int QuestionCategoryOf(int categoryCode) {
  if (categoryCode < 1 || categoryCode > kCategoryCount) return -1;
  return categoryCode <= 2 ? 0 : categoryCode - 2;
}

std::int32_t CategoryKnowledgeOf(const ContestantRecord& contestant, int categoryCode) {
  return contestant.CategoryKnowledge[PlayedCategory(categoryCode) - 1];
}

int PlayedKnowledge(int knowledge) { return knowledge >= 1 && knowledge <= 3 ? knowledge : 2; }

bool IsCell(int cell) { return cell >= 0 && cell < kCellCount; }

bool IsAnswerSlot(int slot) { return slot >= 1 && slot <= 4; }

int LowestUnusedCell(const ContestantRecord& contestant) {
  for (int cell = 0; cell < kCellCount; ++cell)
    if (!contestant.CellUsed[cell]) return cell;
  return 0;
}

int AnswerSeconds(const GameRecord& record) { return std::clamp(record.TimeLimit, 0, 30); }

int PlayedAudienceMood(const GameRecord& record) { return std::clamp(record.AudienceMood, 0, 2); }

}  // namespace tvz
