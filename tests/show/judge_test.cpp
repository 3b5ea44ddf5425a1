// Judging an answer: right and wrong, the cell used under the defender, the
// points under the options, the time of the last right answer, the applause
// draw, the faces, the step that follows, and records a saved game damaged.
#include <gtest/gtest.h>

#include <limits>

#include "show/rules_judge.h"
#include "show_fixtures.h"

namespace tvz {
namespace {

using namespace tvz::testing;

constexpr int kDefender = kSeats.defender;
constexpr int kChallenger = kSeats.challenger;

// A challenge on the defender's `cell`, the right answer in slot B.
std::unique_ptr<GameRecord> ChallengeOn(int cell) {
  auto record = ShowInProgress();
  SetCurrentQuestion(*record, 2);
  record->Contestants[kDefender].SelectedCell = cell;
  return record;
}

JudgeOutcome JudgeAnswer(GameRecord& record, int answerer, int slot, std::uint32_t tick = 5000) {
  record.Contestants[answerer].AnswerSlot = slot;
  const std::optional<JudgeOutcome> outcome = Judge(record, kSeats, answerer, tick);
  EXPECT_TRUE(outcome.has_value());
  return outcome.value_or(JudgeOutcome{});
}

TEST(Judge, RightAnswerScoresTheCellAndEndsTheChallenge) {
  auto record = ChallengeOn(6);
  const JudgeOutcome outcome = JudgeAnswer(*record, kDefender, 2, 123456);
  EXPECT_TRUE(outcome.right);
  EXPECT_EQ(outcome.line, JudgeLine::Right);
  EXPECT_EQ(outcome.cell, 6);
  EXPECT_EQ(outcome.points, 7);
  EXPECT_EQ(outcome.score, 7);
  EXPECT_EQ(outcome.nextStep, kStepEndChallenge);
  const ContestantRecord& defender = record->Contestants[kDefender];
  EXPECT_EQ(defender.Score, 7);
  EXPECT_EQ(defender.LastCorrectTick, 123456u);
  EXPECT_EQ(defender.CellUsed[6], 1);
  EXPECT_EQ(std::count(std::begin(defender.CellUsed), std::end(defender.CellUsed), 1), 1);
  // A right answer at tick 0 still counts as a right answer in the ranking.
  auto another = ChallengeOn(0);
  JudgeAnswer(*another, kDefender, 2, 0);
  EXPECT_NE(another->Contestants[kDefender].LastCorrectTick, 0u);
}

TEST(Judge, NoAnswerAndWrongAnswerAreToldApart) {
  for (bool deduct : {false, true}) {
    auto record = ChallengeOn(4);
    record->DeductIncorrect = deduct;
    const JudgeOutcome none = JudgeAnswer(*record, kDefender, 0);
    EXPECT_FALSE(none.right);
    EXPECT_EQ(none.line, JudgeLine::NoAnswer);  // "Sorry,", whatever the board showed before
    EXPECT_EQ(none.points, deduct ? -5 : 0);
    EXPECT_EQ(none.nextStep, kStepRevealAnswer);
    EXPECT_EQ(none.stepDelay, kJudgeDelayMs);
    EXPECT_EQ(record->Contestants[kDefender].CellUsed[4], 1);  // used, right or wrong
    EXPECT_EQ(record->Contestants[kDefender].LastCorrectTick, 0u);

    const JudgeOutcome wrong = JudgeAnswer(*record, kDefender, 3);
    EXPECT_EQ(wrong.line, JudgeLine::Wrong);  // "Sorry, that's incorrect."
    EXPECT_EQ(wrong.score, deduct ? -10 : 0);
  }
  // An answer slot no scene writes is no answer, judged wrong.
  auto record = ChallengeOn(4);
  for (int slot : {-1, 5, 1 << 20}) EXPECT_EQ(JudgeAnswer(*record, kDefender, slot).line, JudgeLine::NoAnswer);
}

// Each row of the points table, on a cell worth 30 (cell 9 in round 3).
TEST(Judge, PointsPerChallengeUnderTheOptions) {
  struct Row {
    bool deduct;
    int defenderSlot, challengerSlot;  // -1 = the challenger does not answer
    int defenderPoints, challengerPoints;
  };
  const Row rows[] = {
      {true, 2, -1, 30, 0},  {false, 1, -1, 0, 0},  {true, 0, -1, -30, 0},
      {false, 3, 2, 0, 30},  {true, 3, 2, -30, 30}, {true, 4, 1, -30, -30},
      {true, 0, 0, -30, -30}, {false, 1, 3, 0, 0},
  };
  for (const Row& row : rows) {
    auto record = ChallengeOn(9);
    record->Round = 3;
    for (ContestantRecord& who : record->Contestants)
      for (int cell = 0; cell < kCellCount; ++cell) who.CellValue[cell] = 3 * (cell + 1);
    record->DeductIncorrect = row.deduct;
    record->ChallengerMayAnswer = row.challengerSlot >= 0;
    const JudgeOutcome first = JudgeAnswer(*record, kDefender, row.defenderSlot);
    if (row.challengerSlot >= 0) {
      ASSERT_EQ(first.nextStep, kStepOfferBack);
      EXPECT_EQ(record->Contestants[kChallenger].SelectedCell, 9);
      const JudgeOutcome second = JudgeAnswer(*record, kChallenger, row.challengerSlot);
      EXPECT_EQ(second.nextStep, second.right ? kStepEndChallenge : kStepRevealAnswer);
    }
    EXPECT_EQ(record->Contestants[kDefender].Score, row.defenderPoints);
    EXPECT_EQ(record->Contestants[kChallenger].Score, row.challengerPoints);
    // The cell is the defender's: the challenger's own board is untouched.
    EXPECT_EQ(record->Contestants[kDefender].CellUsed[9], 1);
    EXPECT_EQ(std::count(std::begin(record->Contestants[kChallenger].CellUsed),
                         std::end(record->Contestants[kChallenger].CellUsed), 1), 0);
  }
}

TEST(Judge, ChallengerRightAfterMissKeepsTheTickOfItsOwnAnswer) {
  auto record = ChallengeOn(2);
  record->ChallengerMayAnswer = 1;
  JudgeAnswer(*record, kDefender, 1, 1000);
  JudgeAnswer(*record, kChallenger, 2, 2000);
  EXPECT_EQ(record->Contestants[kDefender].LastCorrectTick, 0u);
  EXPECT_EQ(record->Contestants[kChallenger].LastCorrectTick, 2000u);
  EXPECT_EQ(record->Contestants[kChallenger].Score, 3);
}

// Applause for a right answer: (cell + 40 + 15 x mood)%, loudly for the
// lowest draws, with the longer delay.
TEST(Judge, ApplauseChanceAndVolumes) {
  struct Case {
    int cell, mood;
    double chance;
  };
  for (const Case& c : {Case{9, 2, 0.79}, Case{0, 0, 0.40}, Case{5, 1, 0.60}}) {
    const int draws = 20000;
    std::map<int, int> byDelay;
    const auto volumes = Tally(draws, [&] {
      auto record = ChallengeOn(c.cell);
      record->AudienceMood = c.mood;
      const JudgeOutcome outcome = JudgeAnswer(*record, kDefender, 2);
      ++byDelay[static_cast<int>(outcome.stepDelay)];
      EXPECT_EQ(outcome.applauseVolume.has_value(), outcome.stepDelay == kApplauseDelayMs);
      return outcome.applauseVolume ? static_cast<int>(*outcome.applauseVolume * 10 + 0.5f) : 0;
    });
    EXPECT_NEAR(Share(byDelay[kApplauseDelayMs], draws), c.chance, 0.02) << c.cell << " " << c.mood;
    EXPECT_NEAR(Share(byDelay[kJudgeDelayMs], draws), 1 - c.chance, 0.02);
    EXPECT_NEAR(Share(volumes.at(9), draws), 0.10, 0.01);
    EXPECT_NEAR(Share(volumes.at(6), draws), 0.15, 0.015);
    EXPECT_NEAR(Share(volumes.at(4), draws), c.chance - 0.25, 0.02);
    EXPECT_EQ(volumes.size(), 4u);  // none, 0.4, 0.6, 0.9 and nothing else
  }
  // A mood no preference writes applauds like a lively audience, not always.
  auto record = ChallengeOn(0);
  record->AudienceMood = 1 << 29;
  const auto damaged = Tally(20000, [&] { return JudgeAnswer(*record, kDefender, 2).applauseVolume.has_value(); });
  EXPECT_NEAR(Share(damaged.at(1), 20000), 0.70, 0.02);
}

TEST(Judge, FacesOneTimeInTwoEitherVariant) {
  for (bool right : {true, false}) {
    const int draws = 20000;
    const auto faces = Tally(draws, [&] {
      auto record = ChallengeOn(3);
      const JudgeOutcome outcome = JudgeAnswer(*record, kDefender, right ? 2 : 1);
      return outcome.reaction ? static_cast<int>(*outcome.reaction) : -1;
    });
    const FaceSegment first = right ? FaceSegment::Right1 : FaceSegment::Wrong1;
    const FaceSegment second = right ? FaceSegment::Right2 : FaceSegment::Wrong2;
    ASSERT_EQ(faces.size(), 3u);
    EXPECT_NEAR(Share(faces.at(-1), draws), 0.5, 0.02);
    EXPECT_NEAR(Share(faces.at(static_cast<int>(first)), draws), 0.25, 0.02);
    EXPECT_NEAR(Share(faces.at(static_cast<int>(second)), draws), 0.25, 0.02);
  }
}

TEST(Judge, WhatComesNext) {
  // Defender's miss with the option on: back to the challenger for the same cell.
  auto record = ChallengeOn(7);
  record->ChallengerMayAnswer = 1;
  record->Contestants[kChallenger].SelectedCell = -1;
  EXPECT_EQ(JudgeAnswer(*record, kDefender, 0).nextStep, kStepOfferBack);
  EXPECT_EQ(record->Contestants[kChallenger].SelectedCell, 7);
  // The challenger's miss: the host tells the answer; its own board untouched.
  EXPECT_EQ(JudgeAnswer(*record, kChallenger, 4).nextStep, kStepRevealAnswer);
  // With the option off the defender's miss goes to the answer too.
  record = ChallengeOn(7);
  EXPECT_EQ(JudgeAnswer(*record, kDefender, 4).nextStep, kStepRevealAnswer);
  EXPECT_EQ(record->Contestants[kChallenger].SelectedCell, -1);
}

TEST(Judge, DamagedRecordsStayInsideTheBoard) {
  // A defender's cell outside 0..9 becomes its lowest unused cell.
  auto record = ChallengeOn(12);
  record->Contestants[kDefender].CellUsed[0] = 1;
  JudgeOutcome outcome = JudgeAnswer(*record, kDefender, 2);
  EXPECT_EQ(outcome.cell, 1);
  EXPECT_EQ(outcome.points, 2);
  EXPECT_EQ(record->Contestants[kDefender].SelectedCell, 1);
  EXPECT_EQ(record->Contestants[kDefender].CellUsed[1], 1);

  // A challenger's cell outside 0..9 is the defender's cell.
  record = ChallengeOn(5);
  record->Contestants[kChallenger].SelectedCell = -40;
  outcome = JudgeAnswer(*record, kChallenger, 2);
  EXPECT_EQ(outcome.cell, 5);
  EXPECT_EQ(outcome.points, 6);

  // Scores saturate instead of overflowing.
  record = ChallengeOn(9);
  record->Contestants[kDefender].Score = std::numeric_limits<std::int32_t>::max() - 3;
  EXPECT_EQ(JudgeAnswer(*record, kDefender, 2).score, std::numeric_limits<std::int32_t>::max());
  record = ChallengeOn(9);
  record->DeductIncorrect = 1;
  record->Contestants[kDefender].CellValue[9] = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(JudgeAnswer(*record, kDefender, 1).score, std::numeric_limits<std::int32_t>::max());

  // Seats that are not two contestants, or an answerer who is neither seat.
  record = ChallengeOn(3);
  EXPECT_FALSE(Judge(*record, {0, 0}, 0, 1).has_value());
  EXPECT_FALSE(Judge(*record, {-1, 2}, 2, 1).has_value());
  EXPECT_FALSE(Judge(*record, {0, 3}, 0, 1).has_value());
  EXPECT_FALSE(Judge(*record, kSeats, 1, 1).has_value());
  EXPECT_EQ(record->Contestants[kDefender].CellUsed[3], 0);
}

}  // namespace
}  // namespace tvz
