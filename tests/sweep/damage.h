#pragma once
// The ways a file of the show is spoiled: gone, cut to half its size, and for
// pictures and clips cut to its first hundred bytes (a header and no more).
#include <optional>
#include <string>
#include <vector>

namespace tvz::testing {

enum class Damage { Missing, Half, Hundred };

const char* NameOf(Damage damage);
std::optional<Damage> DamageNamed(const std::string& name);

// The cases a file gets, by its kind: every file missing and cut to half,
// pictures (.mm1, .mm2) and clips (.mm4) also cut to a hundred bytes.
std::vector<Damage> DamagesFor(const std::string& fileName);

// What is left of the whole file; nothing for a missing one.
std::optional<std::string> Spoil(const std::string& whole, Damage damage);

}  // namespace tvz::testing
