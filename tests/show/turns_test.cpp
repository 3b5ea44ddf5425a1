// Whose turn it is: seats before and after, the last cell, the break half way
// through round 1, the end of a round and the next challenger.
#include <gtest/gtest.h>

#include "show/rules_turns.h"
#include "show_fixtures.h"

namespace tvz {
namespace {

using namespace tvz::testing;

void UseCells(ContestantRecord& who, int count) {
  for (int cell = 0; cell < kCellCount; ++cell) who.CellUsed[cell] = cell < count;
}

TEST(Turns, ChallengersComeFromTheSeatBeforeAndDefendersMoveOnToTheSeatAfter) {
  EXPECT_EQ(SeatBefore(0), 2);
  EXPECT_EQ(SeatBefore(1), 0);
  EXPECT_EQ(SeatBefore(2), 1);
  EXPECT_EQ(SeatAfter(0), 1);
  EXPECT_EQ(SeatAfter(2), 0);

  auto record = ShowInProgress();
  // Defender 1, first challenged by 0 (the seat before): then 2 is next,
  // and after both nobody.
  record->Contestants[0].HasChallenged = 1;
  EXPECT_EQ(NextChallenger(*record, 1), 2);
  record->Contestants[2].HasChallenged = 1;
  EXPECT_EQ(NextChallenger(*record, 1), -1);
  // The defender's own flag never makes it a challenger.
  record->Contestants[2].HasChallenged = 0;
  record->Contestants[1].HasChallenged = 0;
  EXPECT_EQ(NextChallenger(*record, 1), 2);
  EXPECT_EQ(NextChallenger(*record, 2), 1);
}

TEST(Turns, TheContestantInControlIsTheHighestWithTheDefendersRole) {
  auto record = ShowInProgress();
  for (ContestantRecord& who : record->Contestants) who.Role = 0;
  EXPECT_EQ(ContestantInControl(*record), -1);
  record->Contestants[0].Role = kDefenderRole;
  EXPECT_EQ(ContestantInControl(*record), 0);
  record->Contestants[2].Role = kDefenderRole;
  EXPECT_EQ(ContestantInControl(*record), 2);
  record->Contestants[2].Role = kChallengerRole;
  EXPECT_EQ(ContestantInControl(*record), 0);
}

TEST(Turns, BreaksAndTheEndOfARoundFollowTheCellsLeft) {
  auto record = ShowInProgress();
  auto& seats = record->Contestants;
  EXPECT_FALSE(OneCellLeft(seats[0]));
  UseCells(seats[0], 9);
  EXPECT_TRUE(OneCellLeft(seats[0]));
  EXPECT_EQ(UnusedCells(seats[0]), 1);

  // Half way through round 1: six cells left on every board.
  for (ContestantRecord& who : seats) UseCells(who, 4);
  EXPECT_TRUE(MidRoundBreakDue(*record));
  UseCells(seats[1], 5);
  EXPECT_FALSE(MidRoundBreakDue(*record)) << "after the next challenge the break is behind";
  UseCells(seats[1], 4);
  record->Round = 2;
  EXPECT_FALSE(MidRoundBreakDue(*record)) << "only round 1 breaks half way";

  EXPECT_FALSE(BoardsExhausted(*record));
  for (ContestantRecord& who : seats) UseCells(who, 10);
  EXPECT_TRUE(BoardsExhausted(*record));
  seats[2].CellUsed[7] = 0;
  EXPECT_FALSE(BoardsExhausted(*record));
}

}  // namespace
}  // namespace tvz
