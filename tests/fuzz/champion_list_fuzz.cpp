// Any bytes as the champions list "vantoc.mm3": whatever the file holds, the
// list sorts, shows, finds and retires champions, takes a new one and is
// written back so that reading it again gives the same list.
//
// The input is the file's text before scrambling: the target scrambles it as
// the game writes the file, so the mutations work on lines, "=" and "+" while
// every possible file can still be reached (scrambling is one to one).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/scramble.h"
#include "store/champion_list.h"

namespace {

void expect(bool holds) {
  if (!holds) std::abort();
}

std::vector<std::uint8_t> FileOf(const std::uint8_t* text, std::size_t size) {
  std::vector<std::uint8_t> bytes(text, text + size);
  const tvz::ScrambleKey key = tvz::kTextFileKey;
  tvz::Scramble(bytes.data(), bytes.size(), key.start, key.count, key.step);
  return bytes;
}

// What identifies the champion of an entry: the entry without its score (and
// the blanks after it) and without its mark, as ChampionKey makes it.
std::string KeyOfEntry(const std::string& entry) {
  return entry.size() > 7 ? entry.substr(6, entry.size() - 7) : std::string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> entries = tvz::DecodeChampionsFile(FileOf(data, size));
  tvz::SortEntries(entries);
  const std::vector<std::string> shown = tvz::DisplayLines(entries);
  expect(shown.size() == entries.size());
  for (const std::string& line : shown) expect(line.find('=') == std::string::npos);

  // The champion of the first entry loses a show, then a new one wins.
  if (!entries.empty()) {
    const std::string loser = KeyOfEntry(entries.front());
    tvz::RetireEntries(entries, loser);
    expect(!tvz::HasCurrentChampion(entries, loser));
  }
  const tvz::ChampionIdentity winner{42, "Ada Quill", "Harrowgate", 3};
  entries.push_back(tvz::FormatEntry(winner) + "+");
  tvz::SortEntries(entries);
  expect(tvz::HasCurrentChampion(entries, tvz::ChampionKey(winner)));

  // Written and read back, the list is the same.
  expect(tvz::DecodeChampionsFile(tvz::EncodeChampionsFile(entries)) == entries);
  return 0;
}
