// The answers of a challenge: the host offers the challenge, the question
// scene opens, the answer is given and judged; after the defender's miss the
// same question may go to the challenger. Then the challenge ends and the
// show moves on to the next challenger, the next defender, a break or the
// crowning of the champion.
#include "core/services.h"
#include "platform/clock.h"
#include "platform/random.h"
#include "show/board.h"
#include "show/computer_answer.h"
#include "show/rules_judge.h"
#include "show/rules_turns.h"
#include "show/show_flow.h"
#include "show/show_scenes.h"
#include "show/show_steps.h"

namespace tvz {

namespace {
constexpr std::int32_t kJudgeFailedLocation = 825;

HostLine JudgeLineOf(const JudgeOutcome& outcome) {
  switch (outcome.line) {
    case JudgeLine::Right: return HostLine::Right;
    case JudgeLine::NoAnswer: return HostLine::NoAnswerWrong;
    case JudgeLine::Wrong: break;
  }
  return HostLine::Wrong;
}
}  // namespace

bool ShowSteps::Offer(int answerer, HostLine offer) {
  LineRequest line;
  line.contestant = answerer;
  line.value = ValueAtStake(answerer);
  if (!SpeakLine(offer, line)) return false;
  Seat(answerer).AnswerSlot = kNoAnswer;
  Schedule(kLineDelayMs);
  GoTo(board_.ShowStep + 1);
  return true;
}

bool ShowSteps::Answer(int answerer) {
  const bool computer = !IsHuman(answerer);
  // The computer makes up its mind before the question comes up; the scene
  // is then only a picture for the audience while it seems to think.
  if (computer) ComputerAnswer(game_, Challenge(), answerer);
  board_.SetCaption("");
  if (!OpenQuestion(game_.Category, answerer, computer)) return false;
  Schedule(kLineDelayMs);
  if (computer) {
    const ThinkingTime thinking = ComputerThinkingTime(game_, Seat(answerer).AnswerSlot);
    board_.StepDelay = thinking.delayMs;
    if (thinking.face) board_.QueueReaction(answerer, *thinking.face);
  }
  GoTo(board_.ShowStep + 1);
  return true;
}

bool ShowSteps::SayAnswer(int answerer) {
  // A computer's thinking time is over: its answer is given now.
  CloseQuestion();
  ContestantRecord& who = Seat(answerer);
  if (!IsAnswerSlot(who.AnswerSlot)) who.AnswerSlot = kNoAnswer;
  LineRequest line;
  line.contestant = answerer;
  line.answerSlot = who.AnswerSlot;
  const bool answered = who.AnswerSlot != kNoAnswer;
  // Only an answer is spoken with a phrase; the buzzer draws nothing, so it
  // leaves the rest of the show's draws as they were.
  if (answered) line.phrase = static_cast<AnswerPhrase>(Random(3));
  if (!SpeakLine(answered ? HostLine::AnswerGiven : HostLine::NoAnswer, line)) return false;
  Schedule(kLineDelayMs);
  GoTo(board_.ShowStep + 1);
  return true;
}

bool ShowSteps::Judge(int answerer) {
  const bool defenderAnswers = Seat(answerer).Role == kDefenderRole;
  const std::optional<JudgeOutcome> outcome = tvz::Judge(game_, Challenge(), answerer, GetTickCount());
  if (!outcome) {
    // Seats are checked before every step of a challenge; this is a record
    // that no step of the show could have written.
    game_.ReportFileError("Damaged contestant record", "Contestant " + std::to_string(answerer + 1),
                          kJudgeFailedLocation);
    return false;
  }
  if (defenderAnswers) board_.ShowCell(board_.Defender, outcome->cell, CellState::Used);
  LineRequest line;
  line.contestant = answerer;
  line.applauseVolume = outcome->applauseVolume.value_or(0.0f);
  line.reactionDrawn = true;
  line.reaction = outcome->reaction;
  if (!SpeakLine(JudgeLineOf(*outcome), line)) return false;
  board_.ShowScore(answerer);
  Schedule(outcome->stepDelay);
  GoTo(outcome->nextStep);
  return true;
}

bool ShowSteps::RevealAnswer() {
  if (!SpeakLine(HostLine::CorrectAnswer)) return false;
  Schedule(kLineDelayMs);
  GoTo(kEndChallenge);
  return true;
}

bool ShowSteps::EndChallenge() {
  board_.SetRole(board_.Challenger, 0);
  board_.QueueReturns();
  if (MidRoundBreakDue(game_)) {
    GoTo(kAnnounceBreak);
  } else if (BoardsExhausted(game_)) {
    ++game_.Round;
    if (game_.Round > game_.RoundCount) {
      GoTo(kCrownChampion);
    } else {
      for (int c = 0; c < kContestantCount; ++c) board_.SetRole(c, 0);
      GoTo(kAnnounceBreak);
    }
  } else if (const int next = NextChallenger(game_, board_.Defender); next >= 0) {
    board_.Challenger = next;
    board_.SetRole(next, kChallengerRole);
    GoTo(kDrawCategory);
  } else {
    PassControl();
    GoTo(kAnnounceDefender);
  }
  board_.DrawNamePlates();
  return true;
}

}  // namespace tvz
