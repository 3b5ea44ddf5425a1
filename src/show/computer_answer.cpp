#include "show/computer_answer.h"

#include "platform/random.h"
#include "show/rules_question.h"

namespace tvz {
namespace {

bool IsRightSlot(const GameRecord& record, int slot) {
  return record.AnswerIds[slot - 1] == record.CorrectAnswerId;
}

// A wrong slot the answerer may give: not the right answer and, for a
// challenger, not the defender's letter. A damaged question whose slots all
// hold the right answer has none.
bool AnyWrongSlotLeft(const GameRecord& record, int avoidedSlot) {
  for (int slot = 1; slot <= 4; ++slot)
    if (slot != avoidedSlot && !IsRightSlot(record, slot)) return true;
  return false;
}

// Draws slots until one is wrong; with a clock a fifth outcome, "no answer",
// is drawn as often as each slot. The defender's letter is skipped to the next
// slot (D to A).
int DrawWrongSlot(const GameRecord& record, int avoidedSlot) {
  if (!AnyWrongSlotLeft(record, avoidedSlot)) return kNoAnswer;
  const bool clock = AnswerSeconds(record) != 0;
  for (;;) {
    int s = Random(clock ? 5 : 4);
    if (s == 4) return kNoAnswer;
    if (s + 1 == avoidedSlot) s = (s + 1) % 4;
    if (!IsRightSlot(record, s + 1)) return s + 1;
  }
}

}  // namespace

int KnowledgeHeadStart(int knowledge) {
  const int headStart[] = {5, 20, 35};
  return headStart[PlayedKnowledge(knowledge) - 1];
}

int ComputerAnswer(GameRecord& record, Seats seats, int answerer) {
  if (!SeatsValid(seats) || (answerer != seats.defender && answerer != seats.challenger))
    return -1;
  ContestantRecord& who = record.Contestants[answerer];
  const int roll = 1 + Random(100);
  const int needed = roll + 5 * CurrentDifficulty(record) - KnowledgeHeadStart(who.Knowledge);
  const int rightSlot = RightAnswerSlot(record);
  if (rightSlot != 0 && needed <= CategoryKnowledgeOf(who, record.Category)) {
    who.AnswerSlot = rightSlot;
  } else {
    const bool afterDefendersMiss = who.Role == kChallengerRole;
    const int avoided = afterDefendersMiss ? record.Contestants[seats.defender].AnswerSlot : kNoAnswer;
    who.AnswerSlot = DrawWrongSlot(record, avoided);
  }
  return who.AnswerSlot;
}

ThinkingTime ComputerThinkingTime(const GameRecord& record, int answerSlot) {
  const int seconds = AnswerSeconds(record);
  ThinkingTime thinking;
  bool pullsFace = false;
  if (seconds == 0) {
    thinking.delayMs = 4500 + 1000 * static_cast<std::uint32_t>(Random(5));
    return thinking;
  }
  if (answerSlot != kNoAnswer) {
    thinking.delayMs = 4000 + 1000 * static_cast<std::uint32_t>(Random(seconds - 5));
    pullsFace = Random(5) == 0;
  } else {
    // Longer than the question scene's own clock, which closes it first.
    thinking.delayMs = 1000 * static_cast<std::uint32_t>(seconds) + 500;
    pullsFace = Random(4) <= 2;
  }
  if (pullsFace) thinking.face = Random(2) == 0 ? FaceSegment::Thinking1 : FaceSegment::Thinking2;
  return thinking;
}

}  // namespace tvz
