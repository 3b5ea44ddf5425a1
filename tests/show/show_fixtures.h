#pragma once
// Game records for the rules' tests: a show in progress with three seated
// contestants, the real generated question bank, small hand-built banks for
// the edge cases, and counting helpers for the statistical rules.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "core/game_record.h"
#include "show/rules_codes.h"

namespace tvz::testing {

// A record in the middle of round 1: contestant 0 defends against
// contestant 2 (the first challenger of a turn), every contestant Average
// with chance value 56 in every category, cells worth 1..10, none used.
std::unique_ptr<GameRecord> ShowInProgress();
inline constexpr Seats kSeats{0, 2};

// The bank the game ships, loaded from the game directory once per run.
void UseRealBank(GameRecord& record);

// A small bank of one line per record: question f is "Q<f>", its answers
// lines 4f (right) and 4f + 1 .. 4f + 3 (wrong).
struct BankQuestion {
  int category;    // 0 History, 1 Music, 2 Sports, 3 TV, Arts, and Literature
  int difficulty;  // 1..10
};
void UseBank(GameRecord& record, const std::vector<BankQuestion>& questions);

// A bank of one question, current, with its right answer (line 0) in
// `rightSlot` (1..4) and the wrong ones (lines 1..3) in the other slots.
void SetCurrentQuestion(GameRecord& record, int rightSlot, int difficulty = 5);

// How often each value comes back over `draws` calls, the generator seeded
// with `seed` first.
std::map<int, int> Tally(int draws, const std::function<int()>& draw, std::uint32_t seed = 1);

// The share of `count` in `draws`, for EXPECT_NEAR.
inline double Share(int count, int draws) { return static_cast<double>(count) / draws; }

}  // namespace tvz::testing
