#pragma once
// Where everything stands on the game board (800x600 design pixels) and the
// colours of the challenge cells. Contestants are indexed 0, 1, 2 from left
// to right; cells 0..9 are worth 1..10 points in the first round.
#include <array>

#include "core/game_record.h"
#include "platform/bitmap.h"

namespace tvz::board_layout {

struct Box {
  int left, top, width, height;
};

inline constexpr Box kBackground{0, 0, 800, 600};

// The contestant's picture and, laid over it, the animated face.
inline constexpr std::array<Box, kContestantCount> kPictures{
    {{44, 72, 180, 185}, {314, 72, 180, 185}, {584, 72, 180, 185}}};
inline constexpr int kFaceSize = 96;
// Where the face players stand before the board is drawn (then placed by the
// appearance's offset below).
inline constexpr std::array<Box, kContestantCount> kFaceDesign{
    {{80, 80, kFaceSize, kFaceSize}, {360, 80, kFaceSize, kFaceSize}, {632, 80, kFaceSize, kFaceSize}}};

struct Offset {
  int right, down;
};
// How far the face sits from the picture's top-left corner, by Appearance.
inline constexpr std::array<Offset, 6> kFaceOffsets{
    {{40, 20}, {43, 1}, {36, 28}, {44, 21}, {38, 31}, {43, 10}}};

// Name plates, cut from the plate strip "cam2nbrd.mm2" (one row per role),
// and the name written on them.
inline constexpr std::array<Box, kContestantCount> kNamePlates{
    {{57, 320, 153, 79}, {324, 320, 153, 79}, {591, 320, 153, 79}}};
inline constexpr int kPlateRows = 3;
inline constexpr std::array<Box, kContestantCount> kNames{
    {{72, 344, 121, 27}, {340, 344, 121, 27}, {608, 344, 121, 27}}};

inline constexpr std::array<Box, kContestantCount> kScores{
    {{48, 270, 153, 27}, {328, 270, 153, 27}, {602, 270, 153, 27}}};

// The cells stand in three rows of four, four and two: top row cells 9, 8, 7,
// 6 from left to right, middle row 5, 4, 3, 2, and cells 1, 0 under the
// middle two columns.
inline constexpr int kCellWidth = 34, kCellHeight = 23;
inline constexpr std::array<std::array<int, 4>, kContestantCount> kColumnLefts{
    {{64, 100, 136, 172}, {330, 366, 402, 438}, {596, 632, 668, 704}}};
inline constexpr std::array<std::array<int, 3>, kContestantCount> kRowTops{
    {{413, 437, 461}, {413, 437, 461}, {412, 436, 460}}};

struct CellPlace {
  int row, column;
};
inline constexpr std::array<CellPlace, kCellCount> kCellPlaces{{
    {2, 2}, {2, 1},                  // cells 0, 1
    {1, 3}, {1, 2}, {1, 1}, {1, 0},  // cells 2..5
    {0, 3}, {0, 2}, {0, 1}, {0, 0},  // cells 6..9
}};

constexpr Box CellBox(int contestant, int cell) {
  const CellPlace place = kCellPlaces[static_cast<std::size_t>(cell)];
  return {kColumnLefts[static_cast<std::size_t>(contestant)][static_cast<std::size_t>(place.column)],
          kRowTops[static_cast<std::size_t>(contestant)][static_cast<std::size_t>(place.row)],
          kCellWidth, kCellHeight};
}

inline constexpr Box kCaption{16, 536, 769, 35};
inline constexpr Box kMenuButton{352, 4, 105, 33};

// Text colours.
inline constexpr Color kAvailableColour = rgb(192, 192, 192);
inline constexpr Color kCurrentColour = rgb(255, 0, 0);
inline constexpr Color kUsedColour = rgb(68, 68, 68);
inline constexpr Color kNameColour = rgb(0, 0, 0);

inline constexpr int kTextHeight = 24;
inline constexpr int kCellTextHeight = 21;

}  // namespace tvz::board_layout
