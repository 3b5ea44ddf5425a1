// Any bytes as a saved game: refused, or accepted with every index the game
// will use inside the bank and the name lists.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "store/saved_game_file.h"

namespace {

const tvz::SavedGameLimits kLimits{400, 1600, 12, 12, 24, 24, 24};

void expect(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tvz::SavedGameImage image{};
  if (!tvz::DecodeSavedGame(data, size, kLimits, image).ok()) return 0;
  static tvz::GameRecord record;
  tvz::ApplySavedGame(image, record);
  const tvz::BoardValues board = tvz::BoardValuesOf(image);
  expect(board.ShowStep >= 0 && board.ShowStep <= 23);
  expect(board.Defender >= -1 && board.Defender <= 2 && board.Challenger >= -1 && board.Challenger <= 2);
  expect(record.QuestionRecord >= 0 && record.QuestionRecord < 400);
  expect(record.QuestionTextRef >= 0 && record.QuestionTextRef < 400);
  for (std::int32_t id : record.AnswerIds) expect(id >= 0 && id < 1600);
  for (const tvz::ContestantRecord& who : record.Contestants) {
    expect(who.Appearance >= 0 && who.Appearance <= 5);
    expect(who.FirstNameIdx >= 0 && who.FirstNameIdx < 12);
    expect(std::memchr(who.CustomName, 0, sizeof who.CustomName) != nullptr);
    expect(who.SelectedCell >= -1 && who.SelectedCell <= 9);
  }
  // What was accepted writes back byte for byte.
  const auto bytes = tvz::EncodeSavedGame(tvz::MakeSavedGame(record, board));
  expect(std::memcmp(bytes.data(), data, tvz::kSavedGameSize) == 0);
  return 0;
}
