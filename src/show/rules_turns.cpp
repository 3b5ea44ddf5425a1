#include "show/rules_turns.h"

#include <algorithm>

#include "show/rules_codes.h"

namespace tvz {

int SeatBefore(int seat) { return seat <= 0 ? kContestantCount - 1 : seat - 1; }

int SeatAfter(int seat) { return seat >= kContestantCount - 1 ? 0 : seat + 1; }

int UnusedCells(const ContestantRecord& contestant) {
  return static_cast<int>(std::count(std::begin(contestant.CellUsed), std::end(contestant.CellUsed), 0));
}

bool OneCellLeft(const ContestantRecord& defender) { return UnusedCells(defender) == 1; }

bool MidRoundBreakDue(const GameRecord& record) {
  if (record.Round != 1) return false;
  return std::all_of(std::begin(record.Contestants), std::end(record.Contestants),
                     [](const ContestantRecord& who) { return UnusedCells(who) == 6; });
}

bool BoardsExhausted(const GameRecord& record) {
  return std::all_of(std::begin(record.Contestants), std::end(record.Contestants),
                     [](const ContestantRecord& who) { return UnusedCells(who) == 0; });
}

int NextChallenger(const GameRecord& record, int defender) {
  for (int seat = 0; seat < kContestantCount; ++seat)
    if (seat != defender && !record.Contestants[seat].HasChallenged) return seat;
  return -1;
}

int ContestantInControl(const GameRecord& record) {
  for (int seat = kContestantCount - 1; seat >= 0; --seat)
    if (record.Contestants[seat].Role == kDefenderRole) return seat;
  return -1;
}

}  // namespace tvz
