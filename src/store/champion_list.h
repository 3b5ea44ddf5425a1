#pragma once
// The champions list's entries and file, apart from the screen that shows
// them. An entry is one line: the score padded to three characters, three
// blanks, the name padded to 24 characters, the place of residence, "=", the
// picture number and a mark: "+" for a current champion, "_" for one who has
// since lost a show.
#include <cstdint>
#include <string>
#include <vector>

namespace tvz {

struct ChampionIdentity {
  std::int32_t score = 0;
  std::string name;       // typed name, or first and last name from the lists
  std::string residence;
  std::int32_t appearance = 0;
};

// The entry without its mark.
std::string FormatEntry(const ChampionIdentity& who);
// What identifies a champion whatever the score: the entry without its first
// six characters (padded score and three blanks).
std::string ChampionKey(const ChampionIdentity& who);

// Sorts as text, ignoring case; the display shows the list from the last entry
// to the first (best first) with everything from the first "=" removed.
void SortEntries(std::vector<std::string>& entries);
std::vector<std::string> DisplayLines(const std::vector<std::string>& sortedEntries);

// True when an entry contains the key and ends with the mark "+".
bool HasCurrentChampion(const std::vector<std::string>& entries, const std::string& key);
// Every such entry gets the mark "_" instead; true when any changed.
bool RetireEntries(std::vector<std::string>& entries, const std::string& key);

// The champions file: entries as lines ended by CR LF, every byte scrambled
// with the text key (start 58, step 9).
std::vector<std::uint8_t> EncodeChampionsFile(const std::vector<std::string>& entries);
std::vector<std::string> DecodeChampionsFile(std::vector<std::uint8_t> bytes);

// The four built-in entries the list is reset to.
std::vector<std::string> BuiltInChampions();

}  // namespace tvz
