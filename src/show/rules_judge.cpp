#include "show/rules_judge.h"

#include <algorithm>
#include <limits>

#include "platform/random.h"

namespace tvz {
namespace {

// The cell a challenge is played on, as kept with the answerer. A value the
// game never writes is replaced: the challenger plays the defender's cell,
// and otherwise the defender's lowest unused cell is taken, as when one cell
// is left.
int CellInPlay(GameRecord& record, Seats seats, int answerer) {
  ContestantRecord& who = record.Contestants[answerer];
  if (IsCell(who.SelectedCell)) return who.SelectedCell;
  const ContestantRecord& defender = record.Contestants[seats.defender];
  who.SelectedCell = answerer != seats.defender && IsCell(defender.SelectedCell)
                         ? defender.SelectedCell
                         : LowestUnusedCell(defender);
  return who.SelectedCell;
}

// Points and scores stay inside 32 bits whatever values a saved game held.
std::int32_t Saturate(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// One time in two the answerer pulls a face, one of two variants.
std::optional<FaceSegment> DrawReaction(FaceSegment first, FaceSegment second) {
  if (Random(2) != 0) return std::nullopt;
  return Random(2) == 0 ? first : second;
}

bool AnsweredRight(const GameRecord& record, int slot) {
  return IsAnswerSlot(slot) && record.AnswerIds[slot - 1] == record.CorrectAnswerId;
}

void ScoreRight(GameRecord& record, ContestantRecord& who, JudgeOutcome& outcome,
                std::uint32_t tick) {
  outcome.line = JudgeLine::Right;
  outcome.applauseVolume = DrawApplause(outcome.cell, PlayedAudienceMood(record));
  outcome.stepDelay = outcome.applauseVolume ? kApplauseDelayMs : kJudgeDelayMs;
  // Tick 0 means "never answered right" to the ranking.
  who.LastCorrectTick = tick != 0 ? tick : 1;
  outcome.points = who.CellValue[outcome.cell];
  outcome.reaction = DrawReaction(FaceSegment::Right1, FaceSegment::Right2);
  outcome.nextStep = kStepEndChallenge;
}

void ScoreWrong(GameRecord& record, Seats seats, int answerer, JudgeOutcome& outcome) {
  const ContestantRecord& who = record.Contestants[answerer];
  // Decided by the answer itself, not by what the board last showed: a game
  // loaded at this step has no caption yet.
  outcome.line = IsAnswerSlot(who.AnswerSlot) ? JudgeLine::Wrong : JudgeLine::NoAnswer;
  if (record.DeductIncorrect) outcome.points = Saturate(-std::int64_t{who.CellValue[outcome.cell]});
  outcome.reaction = DrawReaction(FaceSegment::Wrong1, FaceSegment::Wrong2);
  if (record.ChallengerMayAnswer && answerer == seats.defender) {
    record.Contestants[seats.challenger].SelectedCell = outcome.cell;
    outcome.nextStep = kStepOfferBack;
  } else {
    outcome.nextStep = kStepRevealAnswer;
  }
}

}  // namespace

std::optional<float> DrawApplause(int cell, int audienceMood) {
  const int d = 1 + Random(100);
  if (cell + 15 * audienceMood + 40 < d) return std::nullopt;
  if (d <= 10) return 0.9f;
  if (d <= 25) return 0.6f;
  return 0.4f;
}

std::optional<JudgeOutcome> Judge(GameRecord& record, Seats seats, int answerer,
                                  std::uint32_t tick) {
  if (!SeatsValid(seats) || (answerer != seats.defender && answerer != seats.challenger))
    return std::nullopt;
  ContestantRecord& who = record.Contestants[answerer];
  JudgeOutcome outcome;
  outcome.cell = CellInPlay(record, seats, answerer);
  // The cell is the defender's: it is used up by the defender's answer, right
  // or wrong, and a challenger answering after a miss plays it once more.
  if (who.Role == kDefenderRole) who.CellUsed[outcome.cell] = 1;

  outcome.right = AnsweredRight(record, who.AnswerSlot);
  if (outcome.right)
    ScoreRight(record, who, outcome, tick);
  else
    ScoreWrong(record, seats, answerer, outcome);
  who.Score = Saturate(std::int64_t{who.Score} + outcome.points);
  outcome.score = who.Score;
  return outcome;
}

}  // namespace tvz
