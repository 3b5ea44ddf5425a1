#include "show/computer_player.h"

#include "platform/random.h"

namespace tvz {
namespace {

// The category code whose chance value `better` prefers over all others.
template <typename Better>
int ExtremeCategory(const ContestantRecord& contestant, Better better) {
  int chosen = 1;
  for (int code = 2; code <= kCategoryCount; ++code)
    if (better(contestant.CategoryKnowledge[code - 1], contestant.CategoryKnowledge[chosen - 1]))
      chosen = code;
  return chosen;
}

struct UnusedCells {
  int cells[kCellCount] = {};
  int count = 0;
};

UnusedCells UnusedCellsOf(const ContestantRecord& defender) {
  UnusedCells unused;
  for (int cell = 0; cell < kCellCount; ++cell)
    if (!defender.CellUsed[cell]) unused.cells[unused.count++] = cell;
  return unused;
}

}  // namespace

int StrongestCategory(const ContestantRecord& contestant) {
  return ExtremeCategory(contestant, [](std::int32_t a, std::int32_t b) { return a > b; });
}

int WeakestCategory(const ContestantRecord& contestant) {
  return ExtremeCategory(contestant, [](std::int32_t a, std::int32_t b) { return a < b; });
}

std::uint32_t ChooseComputerCategory(GameRecord& record, int defender) {
  if (IsContestant(defender)) record.Category = StrongestCategory(record.Contestants[defender]);
  return 1000 + 1000 * static_cast<std::uint32_t>(Random(5));
}

std::uint32_t ComputerReviewTime(const GameRecord& record) {
  const int seconds = AnswerSeconds(record);
  const int thinking = seconds != 0 ? Random(seconds - 2) : Random(5);
  return 1000 * static_cast<std::uint32_t>(thinking);
}

int PickLowValue(const ContestantRecord& defender) {
  const UnusedCells unused = UnusedCellsOf(defender);
  if (unused.count == 0) return 0;
  return unused.cells[Random(unused.count / 2)];
}

int PickHighValue(const ContestantRecord& defender) {
  const UnusedCells unused = UnusedCellsOf(defender);
  if (unused.count == 0) return 0;
  const int half = unused.count / 2;
  return unused.cells[half + Random(unused.count - half)];
}

int ChooseComputerValue(GameRecord& record, Seats seats) {
  if (!SeatsValid(seats)) return -1;
  ContestantRecord& defender = record.Contestants[seats.defender];
  const ContestantRecord& challenger = record.Contestants[seats.challenger];
  const bool goHigh = StrongestCategory(challenger) == record.Category ||
                      WeakestCategory(defender) == record.Category;
  defender.SelectedCell = goHigh ? PickHighValue(defender) : PickLowValue(defender);
  return defender.SelectedCell;
}

}  // namespace tvz
