#include "store/champion_list.h"

#include <algorithm>
#include <cctype>

#include "core/scramble.h"
#include "core/string_list.h"
#include "store/champion_table.h"

namespace tvz {

namespace {
constexpr int kTextKeyStart = 58, kTextKeyStep = 9;
constexpr std::size_t kScoreWidth = 3, kNameWidth = 24, kKeyOffset = 6;

std::string padLeft(std::string s, std::size_t width) {
  if (s.size() < width) s.insert(0, width - s.size(), ' ');
  return s;
}

std::string padRight(std::string s, std::size_t width) {
  if (s.size() < width) s.append(width - s.size(), ' ');
  return s;
}

int compareIgnoringCase(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int ca = std::tolower(static_cast<unsigned char>(a[i]));
    const int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// The mark is the entry's last character; a "+" before it belongs to a typed
// name.
bool isCurrent(const std::string& entry, const std::string& key) {
  return !entry.empty() && entry.back() == '+' && entry.find(key) != std::string::npos;
}
}  // namespace

std::string FormatEntry(const ChampionIdentity& who) {
  return padLeft(std::to_string(who.score), kScoreWidth) + "   " + padRight(who.name, kNameWidth) +
         who.residence + "=" + std::to_string(who.appearance);
}

std::string ChampionKey(const ChampionIdentity& who) {
  const std::string entry = FormatEntry(who);
  return entry.size() > kKeyOffset ? entry.substr(kKeyOffset) : std::string();
}

void SortEntries(std::vector<std::string>& entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const std::string& a, const std::string& b) {
    return compareIgnoringCase(a, b) < 0;
  });
}

std::vector<std::string> DisplayLines(const std::vector<std::string>& sortedEntries) {
  std::vector<std::string> lines;
  lines.reserve(sortedEntries.size());
  for (auto it = sortedEntries.rbegin(); it != sortedEntries.rend(); ++it)
    lines.push_back(it->substr(0, it->find('=')));
  return lines;
}

bool HasCurrentChampion(const std::vector<std::string>& entries, const std::string& key) {
  return std::any_of(entries.begin(), entries.end(),
                     [&](const std::string& e) { return isCurrent(e, key); });
}

bool RetireEntries(std::vector<std::string>& entries, const std::string& key) {
  bool changed = false;
  for (std::string& e : entries) {
    if (!isCurrent(e, key)) continue;
    e.back() = '_';
    changed = true;
  }
  return changed;
}

std::vector<std::uint8_t> EncodeChampionsFile(const std::vector<std::string>& entries) {
  std::vector<std::uint8_t> bytes;
  for (const std::string& e : entries) {
    bytes.insert(bytes.end(), e.begin(), e.end());
    bytes.push_back('\r');
    bytes.push_back('\n');
  }
  Scramble(bytes.data(), bytes.size(), kTextKeyStart, 0, kTextKeyStep);
  return bytes;
}

std::vector<std::string> DecodeChampionsFile(std::vector<std::uint8_t> bytes) {
  Unscramble(bytes.data(), bytes.size(), kTextKeyStart, 0, kTextKeyStep);
  return SplitLines(bytes.data(), bytes.size());
}

std::vector<std::string> BuiltInChampions() {
  std::vector<std::string> entries;
  for (const char* scrambled : kScrambledChampionEntries)
    entries.push_back(DescrambleText(scrambled, kTextKeyStart, kTextKeyStep));
  return entries;
}

}  // namespace tvz
