#pragma once

namespace tvz {

// The five name lists of the contestant setup, stored scrambled in the program
// (printable-range scheme, start 23, step 8): 12 first names for even pictures,
// 12 for odd pictures, 24 last names, 24 occupations, 24 places of residence.
// Generated at build time from data/names.txt.
inline constexpr int kNameTableSize = 96;
extern const char* const kScrambledNameTable[kNameTableSize];

}  // namespace tvz
