#pragma once
// What a computer contestant answers, and how long it appears to think while
// the question is up.
#include <cstdint>
#include <optional>

#include "core/game_record.h"
#include "show/rules_codes.h"
#include "show/segment_table.h"

namespace tvz {

// The knowledge level's head start on a question: 5 Beginner, 20 Average,
// 35 Expert.
int KnowledgeHeadStart(int knowledge);

// Decides the answer of a computer `answerer` before the question scene opens
// and writes it into its `AnswerSlot`; returns it (0 = no answer). Right with
// chance (CategoryKnowledge + head start - 5 x difficulty)%. Otherwise one of
// the wrong slots; a challenger answering after the defender's miss never
// gives the defender's letter, and with a clock one wrong answer in four is no
// answer at all. -1 when the seats or the answerer are not valid.
int ComputerAnswer(GameRecord& record, Seats seats, int answerer);

struct ThinkingTime {
  std::uint32_t delayMs = 0;
  std::optional<FaceSegment> face;  // a thinking face, one of two variants
};

// The computer's thinking time for the answer it has decided (`answerSlot`,
// 0 = none). With a clock: an answer comes 4 s to the clock less 2 s in, with
// a thinking face one time in five; no answer waits out the clock and half a
// second more, with a thinking face three times in four. Without a clock:
// 4.5 to 8.5 s and no face.
ThinkingTime ComputerThinkingTime(const GameRecord& record, int answerSlot);

}  // namespace tvz
