#pragma once
// Whose turn it is: the order in which contestants defend and challenge, and
// when a round has its commercial break or comes to an end. A defender's turn
// has two challenges, first by the contestant seated before it (wrapping
// round), then by the other one; each challenge plays one of the defender's
// ten cells, so a board lasts five turns per contestant and round.
#include "core/game_record.h"

namespace tvz {

// The contestant seated before / after `seat` (0 <- 2 and 2 -> 0).
int SeatBefore(int seat);
int SeatAfter(int seat);

int UnusedCells(const ContestantRecord& contestant);
// The last challenge of the defender's fifth turn: one cell left, played
// without a value to choose.
bool OneCellLeft(const ContestantRecord& defender);

// Round 1 has its commercial break half way, when every contestant has six
// unused cells left.
bool MidRoundBreakDue(const GameRecord& record);
// Every cell of every contestant is used: the round is over.
bool BoardsExhausted(const GameRecord& record);

// The defender's next challenger: the lowest-index contestant other than the
// defender that has not challenged it yet; -1 when both have.
int NextChallenger(const GameRecord& record, int defender);

// The contestant in control: the highest index whose Role is 1; -1 when none.
int ContestantInControl(const GameRecord& record);

}  // namespace tvz
