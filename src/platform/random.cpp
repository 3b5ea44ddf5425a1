#include "platform/random.h"

namespace tvz {

namespace {
// PCG32 (O'Neill): small, fast and statistically sound in its low bits too,
// which matters because the game reduces every draw modulo small numbers.
std::uint64_t state = 0x853c49e6748fea9bULL;
constexpr std::uint64_t kIncrement = 0xda3e39cb94b95bdbULL;

std::uint32_t next32() {
  const std::uint64_t old = state;
  state = old * 6364136223846793005ULL + kIncrement;
  const auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
  const auto rot = static_cast<std::uint32_t>(old >> 59u);
  return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
}
}  // namespace

void Randomize(std::uint32_t seed) {
  state = 0;
  next32();
  state += seed;
  next32();
}

std::int32_t RandomInt() { return static_cast<std::int32_t>(next32() >> 1); }

}  // namespace tvz
