#pragma once
// The colours of the four categories in the challenge value and question
// scenes: the normal text colour (also the box of a pressed label) and the
// text colour of a pressed label.
#include <array>
#include <cstdint>

#include "platform/bitmap.h"

namespace tvz {

struct CategoryColours {
  Color highlight;
  Color normal;
};

inline constexpr CategoryColours kHistoryColours{rgb(255, 255, 0), rgb(0, 0, 0)};
inline constexpr CategoryColours kMusicColours{rgb(0, 0, 255), rgb(204, 204, 204)};
inline constexpr CategoryColours kSportsColours{rgb(0, 255, 0), rgb(255, 255, 255)};
inline constexpr CategoryColours kTvArtsColours{rgb(255, 0, 0), rgb(204, 204, 204)};

// What tells one category's scene from another's: its picture, its colours and
// its location codes for a failed creation of contestant card 1, 2 and 3.
struct CategoryLook {
  const char* picture;
  CategoryColours colours;
  std::array<std::int32_t, 3> cardLocations;
};

}  // namespace tvz
