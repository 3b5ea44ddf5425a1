// The computer contestants' choices: strongest and weakest category, the
// category a computer defender picks, how long a computer reviews, and which
// cell a computer challenger stakes.
#include <gtest/gtest.h>

#include <array>

#include "platform/random.h"
#include "show/computer_player.h"
#include "show_fixtures.h"

namespace tvz {
namespace {

using namespace tvz::testing;

ContestantRecord WithChances(std::array<std::int32_t, 5> chances) {
  ContestantRecord who{};
  std::copy(chances.begin(), chances.end(), who.CategoryKnowledge);
  return who;
}

// Cells 0..9 of which `used` are played.
ContestantRecord WithUsedCells(std::initializer_list<int> used) {
  ContestantRecord who{};
  for (int cell : used) who.CellUsed[cell] = 1;
  return who;
}

TEST(ComputerCategory, StrongestAndWeakestWithTiesToTheLowestCode) {
  EXPECT_EQ(StrongestCategory(WithChances({50, 50, 61, 40, 70})), 5);
  EXPECT_EQ(WeakestCategory(WithChances({50, 50, 61, 40, 70})), 4);
  // History holds codes 1 and 2 alike and is always reported as code 1.
  EXPECT_EQ(StrongestCategory(WithChances({80, 80, 32, 32, 32})), 1);
  EXPECT_EQ(WeakestCategory(WithChances({32, 32, 80, 80, 80})), 1);
  EXPECT_EQ(StrongestCategory(WithChances({40, 40, 66, 66, 50})), 3);
  EXPECT_EQ(WeakestCategory(WithChances({60, 60, 44, 50, 44})), 3);
  EXPECT_EQ(StrongestCategory(WithChances({56, 56, 56, 56, 56})), 1);
}

TEST(ComputerCategory, DefenderPicksItsStrongestAfterOneToFiveSeconds) {
  auto record = ShowInProgress();
  std::copy_n(std::array<std::int32_t, 5>{40, 40, 45, 79, 60}.begin(), 5,
              record->Contestants[kSeats.defender].CategoryKnowledge);
  record->Category = 6;
  const auto pauses = Tally(5000, [&] {
    return static_cast<int>(ChooseComputerCategory(*record, kSeats.defender));
  });
  EXPECT_EQ(record->Category, 4);
  ASSERT_EQ(pauses.size(), 5u);
  for (const auto& [pause, count] : pauses) {
    EXPECT_TRUE(pause % 1000 == 0 && pause >= 1000 && pause <= 5000) << pause;
    EXPECT_NEAR(Share(count, 5000), 0.2, 0.03);
  }
}

TEST(ComputerReview, UpToTheClockLessThreeOrFourSecondsWithoutOne) {
  struct Case {
    int timeLimit, longestMs;
  };
  for (const Case& c : {Case{30, 27000}, Case{20, 17000}, Case{10, 7000}, Case{0, 4000}}) {
    auto record = ShowInProgress();
    record->TimeLimit = c.timeLimit;
    const auto times = Tally(10000, [&] { return static_cast<int>(ComputerReviewTime(*record)); });
    EXPECT_EQ(times.begin()->first, 0);
    EXPECT_EQ(times.rbegin()->first, c.longestMs) << c.timeLimit;
    EXPECT_EQ(static_cast<int>(times.size()), c.longestMs / 1000 + 1);
  }
  // A clock no option sets is read as 30 seconds at most.
  auto record = ShowInProgress();
  record->TimeLimit = 1 << 30;
  const auto times = Tally(2000, [&] { return static_cast<int>(ComputerReviewTime(*record)); });
  EXPECT_EQ(times.rbegin()->first, 27000);
}

// Nine unused cells (cell 3 played): a low choice is one of the four lowest,
// a high one one of the five highest, each equally likely.
TEST(ComputerValue, LowAndHighHalvesOfNineUnusedCells) {
  const ContestantRecord defender = WithUsedCells({3});
  const int draws = 20000;
  const auto low = Tally(draws, [&] { return PickLowValue(defender); });
  const auto high = Tally(draws, [&] { return PickHighValue(defender); });
  ASSERT_EQ(low.size(), 4u);
  ASSERT_EQ(high.size(), 5u);
  for (int cell : {0, 1, 2, 4}) EXPECT_NEAR(Share(low.at(cell), draws), 0.25, 0.02) << cell;
  for (int cell : {5, 6, 7, 8, 9}) EXPECT_NEAR(Share(high.at(cell), draws), 0.20, 0.02) << cell;
}

TEST(ComputerValue, FewCellsLeft) {
  Randomize(1);
  // Two left: the lower is low, the higher is high.
  const ContestantRecord two = WithUsedCells({0, 1, 2, 4, 5, 6, 8, 9});
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(PickLowValue(two), 3);
    EXPECT_EQ(PickHighValue(two), 7);
  }
  // One left: both choices take it.
  const ContestantRecord one = WithUsedCells({0, 1, 2, 3, 4, 5, 6, 7, 9});
  EXPECT_EQ(PickLowValue(one), 8);
  EXPECT_EQ(PickHighValue(one), 8);
  // None left (a damaged game): cell 0 rather than a cell off the board.
  const ContestantRecord none = WithUsedCells({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  EXPECT_EQ(PickLowValue(none), 0);
  EXPECT_EQ(PickHighValue(none), 0);
}

TEST(ComputerValue, HighWhenStrongestOrDefendersWeakestCategory) {
  struct Case {
    int category;
    std::array<std::int32_t, 5> challenger, defender;
    bool high;
  };
  const Case cases[] = {
      {3, {40, 40, 70, 50, 50}, {56, 56, 56, 56, 56}, true},   // the challenger's strongest
      {5, {60, 60, 40, 40, 40}, {56, 56, 56, 56, 33}, true},   // the defender's weakest
      {4, {60, 60, 40, 40, 40}, {56, 56, 56, 56, 33}, false},  // neither
      {1, {70, 70, 40, 40, 40}, {56, 56, 56, 56, 56}, true},   // History drawn as code 1
      {2, {70, 70, 40, 40, 40}, {33, 33, 56, 56, 56}, false},  // drawn as code 2: neither
  };
  for (const Case& c : cases) {
    auto record = ShowInProgress();
    record->Category = c.category;
    std::copy(c.challenger.begin(), c.challenger.end(), record->Contestants[kSeats.challenger].CategoryKnowledge);
    std::copy(c.defender.begin(), c.defender.end(), record->Contestants[kSeats.defender].CategoryKnowledge);
    const auto cells = Tally(2000, [&] { return ChooseComputerValue(*record, kSeats); });
    for (const auto& [cell, count] : cells) {
      EXPECT_EQ(cell >= 5, c.high) << "category " << c.category << " cell " << cell;
      EXPECT_EQ(record->Contestants[kSeats.defender].SelectedCell >= 5, c.high);
    }
    EXPECT_EQ(cells.size(), 5u);
  }
  auto record = ShowInProgress();
  EXPECT_EQ(ChooseComputerValue(*record, {1, 1}), -1);
}

}  // namespace
}  // namespace tvz
