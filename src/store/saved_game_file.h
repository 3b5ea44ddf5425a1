#pragma once
// A saved game: 988 bytes, little-endian, flags as bytes 0 or 1, no checksum.
// The first 532 bytes are the record from its tag on (places, questions
// asked, the current question, preferences, options, round), then the
// board's three values, then the three contestant records. Both record blocks
// are byte copies, so the record keeps exactly this layout (checked below and
// in the record itself).
//
// A file is only ever taken whole: it is decoded into an image and every
// value the game will use as an index or a count is checked against the
// question bank and the name lists before the record is touched.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/board_values.h"
#include "core/game_record.h"
#include "core/pack_bank.h"

namespace tvz {

#pragma pack(push, 1)
struct SavedGameImage {
  SavedBlock1 Record;
  std::int32_t Challenger;
  std::int32_t Defender;
  std::int32_t ShowStep;
  ContestantRecord Contestants[kContestantCount];
};
#pragma pack(pop)

inline constexpr std::size_t kSavedGameSize = 988;
static_assert(sizeof(SavedGameImage) == kSavedGameSize);
static_assert(offsetof(SavedGameImage, Record) == 0);
static_assert(offsetof(SavedGameImage, Challenger) == 532);
static_assert(offsetof(SavedGameImage, Defender) == 536);
static_assert(offsetof(SavedGameImage, ShowStep) == 540);
static_assert(offsetof(SavedGameImage, Contestants) == 544);
static_assert(offsetof(SavedGameImage, Contestants) + sizeof(ContestantRecord) == 692);
static_assert(offsetof(SavedGameImage, Contestants) + 2 * sizeof(ContestantRecord) == 840);
static_assert(kSavedBlock1Size == offsetof(SavedGameImage, Challenger));
static_assert(kSavedBlock2Size == kSavedGameSize - offsetof(SavedGameImage, Contestants));

// The location codes of the load screen's reports.
inline constexpr std::int32_t kFirstBlockUnreadable = 2610;  // short, or a bad value in it
inline constexpr std::int32_t kRestUnreadable = 2620;        // board values or contestants

// The sizes the checks measure indexes against.
struct SavedGameLimits {
  std::size_t questionLines = 0;
  std::size_t answerLines = 0;
  std::size_t firstNamesEven = 0;
  std::size_t firstNamesOdd = 0;
  std::size_t lastNames = 0;
  std::size_t occupations = 0;
  std::size_t residences = 0;

  // The running game's bank and lists.
  static SavedGameLimits Of(const GameRecord& record);
  // A pack's bank with the running game's lists.
  static SavedGameLimits Of(const GameRecord& record, const PackBank& bank);
  // The largest bank a pack can have: a file is read against these first,
  // then, once its pack is known, checked again against that pack's bank.
  static SavedGameLimits AnyPack(const GameRecord& record);
};

// Why a saved game cannot be used: the location of its report (0 = it can)
// and what was wrong with it, for the log of a curious player and the tests.
struct SavedGameFault {
  std::int32_t location = 0;
  std::string reason;

  bool ok() const { return location == 0; }
};

// The image of the game now running, with the board's values.
SavedGameImage MakeSavedGame(const GameRecord& record, const BoardValues& board);
std::vector<std::uint8_t> EncodeSavedGame(const SavedGameImage& image);

// Every check of the two parts; the first fault found.
SavedGameFault CheckFirstBlock(const SavedBlock1& block, const SavedGameLimits& limits);
SavedGameFault CheckBoardAndContestants(const SavedGameImage& image, const SavedGameLimits& limits);
// Both, in that order.
SavedGameFault CheckSavedGame(const SavedGameImage& image, const SavedGameLimits& limits);

// The bytes of a file as a saved game: shorter than 532 bytes or a bad first
// block is 2610, shorter than 988 bytes or a bad rest 2620; bytes past the
// 988th are ignored. The image is filled only when the whole game is good.
SavedGameFault DecodeSavedGame(const std::uint8_t* bytes, std::size_t size,
                               const SavedGameLimits& limits, SavedGameImage& image);

// Loading: both blocks of the record replaced by the image's bytes, tag and
// unused bytes included (preferences and options come back with them).
void ApplySavedGame(const SavedGameImage& image, GameRecord& record);
BoardValues BoardValuesOf(const SavedGameImage& image);

}  // namespace tvz
