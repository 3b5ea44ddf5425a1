#pragma once
// The runtime's pseudo-random generator: non-negative 31-bit integers from a
// seedable state, so tests can fix every draw of a show.
#include <cstdint>

namespace tvz {

void Randomize(std::uint32_t seed);  // seeds the generator
std::int32_t RandomInt();            // uniform 0 .. 2^31 - 1
// Uniform 0 .. n - 1 as the game uses it: RandomInt() modulo n (0 when n <= 0).
inline std::int32_t Random(std::int32_t n) { return n > 0 ? RandomInt() % n : 0; }

}  // namespace tvz
