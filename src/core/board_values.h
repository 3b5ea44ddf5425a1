#pragma once
// The game board's own sequence values that a saved game keeps beside the
// record: who challenges, who defends and which step of the show runs next.
#include <cstdint>

namespace tvz {

struct BoardValues {
  std::int32_t Challenger = -1;
  std::int32_t Defender = -1;
  std::int32_t ShowStep = 0;

  friend bool operator==(const BoardValues&, const BoardValues&) = default;
};

}  // namespace tvz
