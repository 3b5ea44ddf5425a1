#pragma once
// The question packs a player can choose from: the first edition (the bank
// the game loads at start), the built-in packs of the game's media folder and
// the player's own in the "packs" folder beside the saved games, each ".tvq"
// read and checked whole. A pack with a problem is listed, with its first
// problem, but is never played. Which pack a show uses travels in the game
// record (and so in saved games) as a short key.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/game_record.h"
#include "core/pack_bank.h"
#include "core/question_pack.h"

namespace tvz {

inline constexpr const char* kPackExtension = ".tvq";
inline constexpr const char* kPlayerPackFolder = "packs";
inline constexpr const char* kFirstEditionTitle = "First Edition";

// A pack as a saved game names it: the first bytes of its file name and the
// checksum of its questions. All zeros is the first edition.
struct PackKey {
  std::string name;  // at most kPackNameBytes bytes
  std::uint32_t hash = 0;
  bool firstEdition() const { return name.empty() && hash == 0; }
  bool operator==(const PackKey&) const = default;
};
PackKey PackKeyOf(const SavedBlock1& record);
void SetPackKey(SavedBlock1& record, const PackKey& key);
// The key of a pack file: its name without ".tvq", cut to kPackNameBytes.
PackKey PackKeyFor(const std::string& fileName, std::uint32_t hash);

struct PackEntry {
  std::string fileName;  // "second.tvq"; empty for the first edition
  std::string title;     // Windows-1252; the file's name when the pack names no title
  bool builtIn = false;  // the first edition and the packs of the media folder
  std::vector<PackProblem> problems;  // empty when the pack can be played
  PackBank bank;                      // the questions, when it can be played
  PackKey key;

  bool playable() const { return problems.empty(); }
  int questionCount() const { return static_cast<int>(bank.records.size()); }
  // "Title (400 questions)", or "Title (cannot be played)".
  std::string caption() const { return captionWith(title); }
  // The same with another title (the title cut short to fit).
  std::string captionWith(const std::string& shownTitle) const;
};

// The pack files of a folder, by file name; none when it cannot be read.
std::vector<std::string> PackFilesIn(const std::string& folder);

// Reads one pack file (at most kLargestPackFile bytes) and checks it whole,
// a player's pack also with its texts measured in the game's font.
PackEntry ReadPackFile(const std::string& path, bool builtIn);

class PackLibrary {
 public:
  // Lists the packs afresh: the first edition from firstEdition, the built-in
  // packs, then the player's (made on first use), each group by file name.
  // A file that has not changed since the last listing is not read again.
  void refresh(const PackBank& firstEdition);

  const std::vector<PackEntry>& packs() const { return packs_; }
  // The pack of a file name ("" for the first edition), or -1.
  int indexOf(const std::string& fileName) const;
  // The playable pack a saved game's key names: the checksum decides, so a
  // renamed pack is still found. Null when there is none.
  const PackEntry* find(const PackKey& key) const;

 private:
  struct Seen {
    std::string path;
    std::int64_t size = -1;
    std::int64_t modified = 0;
    PackEntry entry;
  };
  const PackEntry& read(const std::string& path, bool builtIn);

  std::vector<PackEntry> packs_;
  std::vector<Seen> seen_;
};

// The library of the running game.
PackLibrary& Packs();

// The record's question bank becomes the pack's, with its key; the show's
// question flags are left to the caller.
void UsePack(GameRecord& record, const PackBank& bank, const PackKey& key);

// The bank the record holds now, as a pack bank (the first edition at start).
PackBank BankOf(const GameRecord& record);

}  // namespace tvz
