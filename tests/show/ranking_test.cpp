// The final ranking: score first, the later last right answer on a tie,
// index order when neither tells them apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "platform/random.h"
#include "show/rules_ranking.h"
#include "show_fixtures.h"

namespace tvz {
namespace {

using namespace tvz::testing;

using Places = std::array<int, 3>;

Places Rank(const std::array<std::int32_t, 3>& scores, const std::array<std::uint32_t, 3>& ticks = {}) {
  auto record = ShowInProgress();
  for (int k = 0; k < 3; ++k) {
    record->Contestants[k].Score = scores[k];
    record->Contestants[k].LastCorrectTick = ticks[k];
  }
  RankContestants(*record);
  return {record->FirstPlace, record->SecondPlace, record->ThirdPlace};
}

TEST(Ranking, HighestScoreFirstWhateverTheSeat) {
  std::array<std::int32_t, 3> scores = {-4, 12, 30};
  do {
    const Places places = Rank(scores);
    EXPECT_EQ(scores[places[0]], 30);
    EXPECT_EQ(scores[places[1]], 12);
    EXPECT_EQ(scores[places[2]], -4);
  } while (std::next_permutation(scores.begin(), scores.end()));
}

TEST(Ranking, TiesGoToTheLaterRightAnswer) {
  // Two contestants on 25: the later last right answer wins, in either seat.
  EXPECT_EQ(Rank({25, 10, 25}, {9000, 500, 7000}), (Places{0, 2, 1}));
  EXPECT_EQ(Rank({25, 10, 25}, {7000, 500, 9000}), (Places{2, 0, 1}));
  // A tie for second place likewise.
  EXPECT_EQ(Rank({3, 3, 40}, {100, 200, 50}), (Places{2, 1, 0}));
  // Three on 0 with no right answer keep index order.
  EXPECT_EQ(Rank({0, 0, 0}), (Places{0, 1, 2}));
  // Ticks compare unsigned: one past 2^31 is later, not negative.
  EXPECT_EQ(Rank({5, 5, 1}, {0x10000000u, 0x90000000u, 0}), (Places{1, 0, 2}));
}

// Over many shows with close scores and ticks, the places are a stable sort
// by score then tick, both highest first.
TEST(Ranking, MatchesAStableSortOverManyShows) {
  Randomize(4);
  for (int show = 0; show < 5000; ++show) {
    std::array<std::int32_t, 3> scores;
    std::array<std::uint32_t, 3> ticks;
    for (int k = 0; k < 3; ++k) {
      scores[k] = Random(5) - 2;
      ticks[k] = static_cast<std::uint32_t>(Random(3));
    }
    Places expected = {0, 1, 2};
    std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
      return scores[a] != scores[b] ? scores[a] > scores[b] : ticks[a] > ticks[b];
    });
    ASSERT_EQ(Rank(scores, ticks), expected) << scores[0] << " " << scores[1] << " " << scores[2];
  }
}

// Deductions can never bring a score this low in a real show; a damaged saved
// game still crowns a champion and places all three.
TEST(Ranking, VeryNegativeScoresStillCrownAChampion) {
  EXPECT_EQ(Rank({-20000, -10000, -30000}), (Places{1, 0, 2}));
  EXPECT_EQ(Rank({-10000, -10000, -10000}, {0, 5, 0}), (Places{1, 0, 2}));
  EXPECT_EQ(Rank({INT32_MIN, INT32_MIN, INT32_MIN}), (Places{0, 1, 2}));
}

}  // namespace
}  // namespace tvz
