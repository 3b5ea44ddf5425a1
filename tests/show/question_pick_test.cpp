// Picking the defender's question: category, difficulty band and its rise,
// the draws passed over for their difficulty, questions used once, the right
// answer's slot, and a category that runs out of questions.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/random.h"
#include "show/rules_question.h"
#include "show_fixtures.h"

namespace tvz {
namespace {

using namespace tvz::testing;

TEST(QuestionPick, RealBankQuestionIsOfTheCategoryAndBecomesCurrent) {
  auto record = ShowInProgress();
  UseRealBank(*record);
  Randomize(7);
  const int expectedCategory[] = {-1, 0, 0, 1, 2, 3};
  for (int code = 1; code <= 5; ++code) {
    for (int pick = 0; pick < 12; ++pick) {
      record->Category = code;
      ASSERT_TRUE(PickQuestion(*record, kSeats.defender));
      const int f = record->QuestionRecord;
      ASSERT_GE(f, 0);
      ASSERT_LT(f, 400);
      const QuestionIndexRecord& q = record->QuestionIndex[f];
      EXPECT_EQ(q.Category, expectedCategory[code]);
      EXPECT_TRUE(record->QuestionUsed[f]);
      EXPECT_EQ(record->QuestionTextRef, q.QuestionLine);
      EXPECT_EQ(record->CorrectAnswerId, q.RightAnswer);
      std::multiset<int> shown(std::begin(record->AnswerIds), std::end(record->AnswerIds));
      EXPECT_EQ(shown, (std::multiset<int>{q.RightAnswer, q.WrongAnswers[0], q.WrongAnswers[1],
                                           q.WrongAnswers[2]}));
    }
  }
}

TEST(QuestionPick, NoQuestionRepeatsInAThreeRoundShow) {
  auto record = ShowInProgress();
  UseRealBank(*record);
  Randomize(11);
  std::set<int> asked;
  // 90 questions, History drawn twice as often: at most 100 of a category.
  for (int challenge = 0; challenge < 90; ++challenge) {
    record->Category = 1 + challenge % 5;
    ASSERT_TRUE(PickQuestion(*record, kSeats.defender));
    EXPECT_TRUE(asked.insert(record->QuestionRecord).second) << "repeated " << record->QuestionRecord;
  }
  EXPECT_EQ(std::count(std::begin(record->QuestionUsed), std::end(record->QuestionUsed), 1), 90);
}

// The first question of a fresh show for each level and round, over many
// shows: the band holds, with the lowest difficulty rising per round.
TEST(QuestionPick, DifficultyBandByKnowledgeAndRound) {
  struct Case {
    int knowledge, round;
    bool harder;
    int lowest, highest;
  };
  const Case cases[] = {
      {1, 1, false, 1, 4}, {2, 1, false, 4, 7}, {3, 1, false, 7, 10}, {3, 3, false, 7, 10},
      {1, 2, true, 2, 4},  {2, 3, true, 6, 7},  {3, 3, true, 9, 10},
  };
  auto record = ShowInProgress();
  UseRealBank(*record);
  for (const Case& c : cases) {
    record->Contestants[kSeats.defender].Knowledge = c.knowledge;
    record->Round = c.round;
    record->HarderEachRound = c.harder;
    const DifficultyBand band = QuestionBand(*record, record->Contestants[kSeats.defender]);
    EXPECT_EQ(band.lowest, c.lowest);
    EXPECT_EQ(band.highest, c.highest);
    int inBand = 0;
    const int shows = 2000;
    Randomize(static_cast<std::uint32_t>(c.knowledge * 10 + c.round));
    for (int show = 0; show < shows; ++show) {
      std::fill(std::begin(record->QuestionUsed), std::end(record->QuestionUsed), 0);
      record->Category = 1 + show % 5;
      ASSERT_TRUE(PickQuestion(*record, kSeats.defender));
      inBand += band.contains(record->QuestionIndex[record->QuestionRecord].Difficulty);
    }
    // A band of two difficulties is 20 of a category's 100 questions: 34
    // draws all miss it about once in 2000 shows.
    EXPECT_GE(Share(inBand, shows), c.highest - c.lowest >= 2 ? 1.0 : 0.995)
        << "knowledge " << c.knowledge << " round " << c.round;
  }
}

// With no question of the band in the category, the 34th draw that lands in
// the category is taken: 33 are passed over for their difficulty.
TEST(QuestionPick, ThirtyThreeDrawsArePassedOverThenAnyIsTaken) {
  auto record = ShowInProgress();
  std::vector<BankQuestion> bank;
  for (int f = 0; f < 40; ++f) bank.push_back({f % 4 == 0 ? 0 : 1, f % 4 == 0 ? 1 + f % 3 : 8});
  UseBank(*record, bank);
  record->Contestants[kSeats.defender].Knowledge = 3;  // Expert: 7..10, History has 1..3 only
  record->Category = 1;
  for (std::uint32_t seed = 1; seed <= 50; ++seed) {
    Randomize(seed);
    int historyDraws = 0, expected = -1;
    while (expected < 0) {
      const int f = Random(40);
      if (f % 4 == 0 && ++historyDraws == kMostPassedOver + 1) expected = f;
    }
    std::fill(std::begin(record->QuestionUsed), std::end(record->QuestionUsed), 0);
    Randomize(seed);
    ASSERT_TRUE(PickQuestion(*record, kSeats.defender));
    EXPECT_EQ(record->QuestionRecord, expected) << "seed " << seed;
  }
}

TEST(QuestionPick, RightAnswerInEachSlotEquallyWrongOnesKeepRecordOrder) {
  auto record = ShowInProgress();
  UseBank(*record, {{0, 5}});
  const QuestionIndexRecord& q = record->QuestionIndex[0];
  const int r = q.RightAnswer, w1 = q.WrongAnswers[0], w2 = q.WrongAnswers[1], w3 = q.WrongAnswers[2];
  const std::vector<int> layouts[] = {{r, w2, w3, w1}, {w1, r, w3, w2}, {w1, w2, r, w3}, {w1, w2, w3, r}};
  const int draws = 20000;
  const auto counts = Tally(draws, [&] {
    std::fill(std::begin(record->QuestionUsed), std::end(record->QuestionUsed), 0);
    EXPECT_TRUE(PickQuestion(*record, kSeats.defender));
    const int slot = RightAnswerSlot(*record);
    EXPECT_EQ(std::vector<int>(std::begin(record->AnswerIds), std::end(record->AnswerIds)),
              layouts[slot - 1]);
    return slot;
  });
  for (int slot = 1; slot <= 4; ++slot) EXPECT_NEAR(Share(counts.at(slot), draws), 0.25, 0.02);
}

TEST(QuestionPick, OnlyRecordsOfTheQuestionLinesAreDrawn) {
  auto record = ShowInProgress();
  UseRealBank(*record);
  record->QuestionTexts.resize(250);
  Randomize(3);
  for (int pick = 0; pick < 600; ++pick) {
    record->Category = 1 + pick % 5;
    ASSERT_TRUE(PickQuestion(*record, kSeats.defender));
    EXPECT_LT(record->QuestionRecord, 250);
  }
}

// A small custom bank, or a saved game that used many: the category's
// questions come round again, never the one just asked while it has another.
TEST(QuestionPick, ExhaustedCategoryOffersItsQuestionsAgain) {
  auto record = ShowInProgress();
  UseBank(*record, {{1, 5}, {0, 5}, {2, 5}, {0, 6}, {3, 9}});  // History: records 1 and 3
  record->Category = 2;
  Randomize(5);
  std::vector<int> asked;
  for (int pick = 0; pick < 5; ++pick) {
    ASSERT_TRUE(PickQuestion(*record, kSeats.defender));
    asked.push_back(record->QuestionRecord);
  }
  EXPECT_EQ(asked, (std::vector<int>{asked[0], 4 - asked[0], asked[0], 4 - asked[0], asked[0]}));
  EXPECT_TRUE(asked[0] == 1 || asked[0] == 3);
  for (int pick = 0; pick < 100; ++pick) {
    const int last = record->QuestionRecord;
    ASSERT_TRUE(PickQuestion(*record, kSeats.defender));
    ASSERT_EQ(record->QuestionRecord, 4 - last) << "pick " << pick;
  }
  EXPECT_FALSE(record->QuestionUsed[0]);  // other categories are left alone

  // A category of a single question asks it every time.
  record->Category = 5;
  for (int pick = 0; pick < 3; ++pick) {
    ASSERT_TRUE(PickQuestion(*record, kSeats.defender));
    EXPECT_EQ(record->QuestionRecord, 4);
  }
}

TEST(QuestionPick, SavedGameWithEveryQuestionUsedGoesOn) {
  auto record = ShowInProgress();
  UseRealBank(*record);
  std::fill(std::begin(record->QuestionUsed), std::end(record->QuestionUsed), 1);
  record->QuestionRecord = 123456;  // damaged too
  record->Category = 4;
  Randomize(9);
  ASSERT_TRUE(PickQuestion(*record, kSeats.defender));
  EXPECT_EQ(record->QuestionIndex[record->QuestionRecord].Category, 2);
  // Only Sports came round again.
  int unused = 0;
  for (int f = 0; f < 400; ++f) unused += !record->QuestionUsed[f];
  EXPECT_EQ(unused, 99);
}

TEST(QuestionPick, RefusedWhenItCannotPick) {
  auto record = ShowInProgress();
  UseBank(*record, {{0, 5}, {1, 5}});
  record->Category = 4;  // no Sports question at all
  EXPECT_FALSE(PickQuestion(*record, kSeats.defender));
  record->Category = 1;
  EXPECT_FALSE(PickQuestion(*record, -1));
  EXPECT_FALSE(PickQuestion(*record, 3));
  UseBank(*record, {});
  EXPECT_FALSE(PickQuestion(*record, kSeats.defender));
}

TEST(QuestionPick, DamagedCodesPlaySafely) {
  auto record = ShowInProgress();
  UseBank(*record, {{0, 1}, {1, 1}, {2, 1}, {3, 1}});
  for (int code : {0, 6, -3, 99}) {
    record->Category = code;
    ASSERT_TRUE(PickQuestion(*record, kSeats.defender));
    EXPECT_EQ(record->Category, 1) << code;
    EXPECT_EQ(record->QuestionRecord, 0);
  }
  // A knowledge level the game never writes plays as Average.
  record->Contestants[kSeats.defender].Knowledge = 17;
  const DifficultyBand band = QuestionBand(*record, record->Contestants[kSeats.defender]);
  EXPECT_EQ(band.lowest, 4);
  EXPECT_EQ(band.highest, 7);
  // A round far out of range rises at most as in round 3.
  record->HarderEachRound = 1;
  record->Round = 1 << 30;
  EXPECT_EQ(QuestionBand(*record, record->Contestants[kSeats.defender]).lowest, 6);
  record->Round = -5;
  EXPECT_EQ(QuestionBand(*record, record->Contestants[kSeats.defender]).lowest, 4);
}

TEST(QuestionPick, CurrentQuestionReadersStayInsideTheRecord) {
  auto record = ShowInProgress();
  SetCurrentQuestion(*record, 3, 8);
  EXPECT_EQ(RightAnswerSlot(*record), 3);
  EXPECT_EQ(CurrentDifficulty(*record), 8);
  EXPECT_EQ(AnswerLineInSlot(*record, 3), 0);
  EXPECT_EQ(AnswerLineInSlot(*record, 0), -1);
  EXPECT_EQ(AnswerLineInSlot(*record, 5), -1);
  record->CorrectAnswerId = 77;
  EXPECT_EQ(RightAnswerSlot(*record), 0);
  for (int f : {-1, 1, 400, 1 << 30}) {
    record->QuestionRecord = f;
    EXPECT_EQ(CurrentDifficulty(*record), 10) << f;
  }
}

}  // namespace
}  // namespace tvz
