// The computer's answer: right by its chance value, knowledge level and the
// question's difficulty; its wrong answers and silences; its thinking time
// and face.
#include <gtest/gtest.h>

#include "platform/random.h"
#include "show/computer_answer.h"
#include "show_fixtures.h"

namespace tvz {
namespace {

using namespace tvz::testing;

constexpr int kDefender = kSeats.defender;
constexpr int kChallenger = kSeats.challenger;

// The share of right answers of a defender with `chance` in the category.
double RightShare(int knowledge, int difficulty, int chance, int draws = 20000) {
  auto record = ShowInProgress();
  SetCurrentQuestion(*record, 3, difficulty);
  record->Category = 4;
  ContestantRecord& who = record->Contestants[kDefender];
  who.Knowledge = knowledge;
  who.CategoryKnowledge[3] = chance;
  const auto slots = Tally(draws, [&] { return ComputerAnswer(*record, kSeats, kDefender); });
  return slots.count(3) ? Share(slots.at(3), draws) : 0.0;
}

TEST(ComputerAnswer, RightByChanceKnowledgeAndDifficulty) {
  struct Case {
    int knowledge, difficulty, chance;
    double right;
  };
  const Case cases[] = {
      {2, 4, 56, 0.56}, {1, 1, 56, 0.56}, {1, 10, 56, 0.11}, {2, 7, 56, 0.41},
      {3, 1, 56, 0.86}, {3, 10, 56, 0.41}, {3, 7, 32, 0.32}, {1, 4, 80, 0.65},
      {3, 1, 80, 1.00}, {1, 10, 32, 0.00},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(RightShare(c.knowledge, c.difficulty, c.chance), c.right, 0.02)
        << "knowledge " << c.knowledge << " difficulty " << c.difficulty << " chance " << c.chance;
}

TEST(ComputerAnswer, ChanceOfTheCurrentCategory) {
  auto record = ShowInProgress();
  SetCurrentQuestion(*record, 1, 4);
  ContestantRecord& who = record->Contestants[kDefender];
  for (std::int32_t& chance : who.CategoryKnowledge) chance = -100;  // never right
  who.CategoryKnowledge[2] = 500;                                      // always right in Music
  record->Category = 3;
  for (int i = 0; i < 200; ++i) ASSERT_EQ(ComputerAnswer(*record, kSeats, kDefender), 1);
  record->Category = 2;
  for (int i = 0; i < 200; ++i) ASSERT_NE(ComputerAnswer(*record, kSeats, kDefender), 1);
  // Damaged codes play as History; a damaged level as Average.
  who.CategoryKnowledge[0] = 500;
  who.Knowledge = -4;
  record->Category = 77;
  EXPECT_EQ(ComputerAnswer(*record, kSeats, kDefender), 1);
  EXPECT_EQ(KnowledgeHeadStart(-4), 20);
}

std::map<int, int> WrongAnswers(int timeLimit, int answerer, int defendersSlot, int rightSlot,
                                int draws = 20000) {
  auto record = ShowInProgress();
  SetCurrentQuestion(*record, rightSlot);
  record->TimeLimit = timeLimit;
  record->Contestants[answerer].CategoryKnowledge[0] = -1000;  // never right
  record->Category = 1;
  record->Contestants[kDefender].AnswerSlot = defendersSlot;
  return Tally(draws, [&] { return ComputerAnswer(*record, kSeats, answerer); });
}

TEST(ComputerAnswer, WrongSlotsEquallyLikelyAndSilenceOnlyWithAClock) {
  const int draws = 20000;
  const auto noClock = WrongAnswers(0, kDefender, 0, 2);
  ASSERT_EQ(noClock.size(), 3u);  // slots 1, 3, 4: never right, never silent
  for (int slot : {1, 3, 4}) EXPECT_NEAR(Share(noClock.at(slot), draws), 1.0 / 3, 0.02);

  const auto clock = WrongAnswers(20, kDefender, 0, 2);
  ASSERT_EQ(clock.size(), 4u);
  EXPECT_NEAR(Share(clock.at(kNoAnswer), draws), 0.25, 0.02);
  for (int slot : {1, 3, 4}) EXPECT_NEAR(Share(clock.at(slot), draws), 0.25, 0.02);
}

TEST(ComputerAnswer, ChallengerNeverRepeatsTheDefendersLetter) {
  for (int timeLimit : {0, 10}) {
    for (int rightSlot = 1; rightSlot <= 4; ++rightSlot) {
      for (int defendersSlot = 1; defendersSlot <= 4; ++defendersSlot) {
        if (defendersSlot == rightSlot) continue;
        const auto answers = WrongAnswers(timeLimit, kChallenger, defendersSlot, rightSlot, 10000);
        EXPECT_EQ(answers.count(defendersSlot), 0u) << defendersSlot;
        EXPECT_EQ(answers.count(rightSlot), 0u);
        EXPECT_EQ(answers.count(kNoAnswer) != 0, timeLimit != 0);
      }
    }
  }
  // The defender gave no answer: every wrong letter is open to the challenger.
  EXPECT_EQ(WrongAnswers(0, kChallenger, 0, 4, 2000).size(), 3u);
}

TEST(ComputerAnswer, DamagedQuestionsGiveNoAnswerInsteadOfHanging) {
  auto record = ShowInProgress();
  SetCurrentQuestion(*record, 1);
  record->Category = 1;
  record->Contestants[kChallenger].CategoryKnowledge[0] = -1000;
  record->Contestants[kDefender].AnswerSlot = 2;
  // Every slot shows the right answer's line: no wrong answer to give.
  for (std::int32_t& line : record->AnswerIds) line = record->CorrectAnswerId;
  Randomize(1);
  EXPECT_EQ(ComputerAnswer(*record, kSeats, kChallenger), kNoAnswer);
  // Only the defender's letter is wrong: the challenger has nothing left to give.
  record->AnswerIds[1] = 55;
  EXPECT_EQ(ComputerAnswer(*record, kSeats, kChallenger), kNoAnswer);
  // The right answer in no slot: a knowing computer still answers a slot.
  record->Contestants[kChallenger].CategoryKnowledge[0] = 1000;
  SetCurrentQuestion(*record, 1);
  record->CorrectAnswerId = 42;
  const int slot = ComputerAnswer(*record, kSeats, kChallenger);
  EXPECT_TRUE(slot >= 1 && slot <= 4 && slot != 2) << slot;
  // Seats that are not a challenge.
  EXPECT_EQ(ComputerAnswer(*record, {2, 2}, 2), -1);
  EXPECT_EQ(ComputerAnswer(*record, kSeats, 1), -1);
}

TEST(ComputerThinking, DelaysAndFacesByClock) {
  auto record = ShowInProgress();
  const int draws = 20000;
  auto tally = [&](int timeLimit, int slot, bool faces) {
    record->TimeLimit = timeLimit;
    return Tally(draws, [&] {
      const ThinkingTime thinking = ComputerThinkingTime(*record, slot);
      if (faces) return thinking.face ? static_cast<int>(*thinking.face) : -1;
      return static_cast<int>(thinking.delayMs);
    });
  };
  // Ten seconds on the clock: an answer after 4 to 8 s.
  const auto answering = tally(10, 2, false);
  EXPECT_EQ(answering.size(), 5u);
  EXPECT_EQ(answering.begin()->first, 4000);
  EXPECT_EQ(answering.rbegin()->first, 8000);
  EXPECT_EQ(tally(30, 2, false).rbegin()->first, 28000);
  // No answer: the clock's own 10 s run out first.
  EXPECT_EQ(tally(10, kNoAnswer, false), (std::map<int, int>{{10500, draws}}));
  // No clock: 4.5 to 8.5 s, no face.
  const auto unlimited = tally(0, 1, false);
  EXPECT_EQ(unlimited.begin()->first, 4500);
  EXPECT_EQ(unlimited.rbegin()->first, 8500);
  EXPECT_EQ(tally(0, 1, true), (std::map<int, int>{{-1, draws}}));

  const int first = static_cast<int>(FaceSegment::Thinking1);
  const int second = static_cast<int>(FaceSegment::Thinking2);
  const auto answeringFaces = tally(20, 4, true);
  EXPECT_NEAR(Share(answeringFaces.at(-1), draws), 0.8, 0.02);
  EXPECT_NEAR(Share(answeringFaces.at(first), draws), 0.1, 0.015);
  EXPECT_NEAR(Share(answeringFaces.at(second), draws), 0.1, 0.015);
  const auto silentFaces = tally(20, kNoAnswer, true);
  EXPECT_NEAR(Share(silentFaces.at(-1), draws), 0.25, 0.02);
  EXPECT_NEAR(Share(silentFaces.at(first), draws), 0.375, 0.02);
  EXPECT_NEAR(Share(silentFaces.at(second), draws), 0.375, 0.02);
}

}  // namespace
}  // namespace tvz
