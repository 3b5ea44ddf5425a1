#pragma once

namespace tvz {

// The champions list's reset state: four entries stored scrambled in the
// program (printable-range scheme, start 58, step 9). Generated at build time
// from data/champions.txt.
inline constexpr int kBuiltInChampionCount = 4;
extern const char* const kScrambledChampionEntries[kBuiltInChampionCount];

}  // namespace tvz
