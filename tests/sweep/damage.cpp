#include "sweep/damage.h"

namespace tvz::testing {

namespace {
constexpr std::size_t kHeaderOnly = 100;

bool EndsWith(const std::string& s, const std::string& ending) {
  return s.size() >= ending.size() && s.compare(s.size() - ending.size(), ending.size(), ending) == 0;
}
}  // namespace

const char* NameOf(Damage damage) {
  switch (damage) {
    case Damage::Missing: return "missing";
    case Damage::Half: return "half";
    case Damage::Hundred: return "100 bytes";
  }
  return "?";
}

std::optional<Damage> DamageNamed(const std::string& name) {
  for (Damage d : {Damage::Missing, Damage::Half, Damage::Hundred})
    if (name == NameOf(d)) return d;
  return std::nullopt;
}

std::vector<Damage> DamagesFor(const std::string& fileName) {
  std::vector<Damage> damages{Damage::Missing, Damage::Half};
  for (const char* kind : {".mm1", ".mm2", ".mm4"})
    if (EndsWith(fileName, kind)) damages.push_back(Damage::Hundred);
  return damages;
}

std::optional<std::string> Spoil(const std::string& whole, Damage damage) {
  switch (damage) {
    case Damage::Missing: return std::nullopt;
    case Damage::Half: return whole.substr(0, whole.size() / 2);
    case Damage::Hundred: return whole.substr(0, kHeaderOnly);
  }
  return std::nullopt;
}

}  // namespace tvz::testing
