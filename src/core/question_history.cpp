#include "core/question_history.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <vector>

#include "core/file_writer.h"
#include "core/media.h"
#include "core/pack_library.h"
#include "core/places.h"

namespace tvz {
namespace {

// One line per pack: its checksum in eight hex digits, then the records asked.
using History = std::map<std::uint32_t, std::set<int>>;

constexpr const char* kHeader = "# Questions each question pack has asked, by record: fresh ones come first.\n";

int DrawableOf(const GameRecord& record) {
  return static_cast<int>(std::min<std::size_t>(record.QuestionTexts.size(), kQuestionRecordCount));
}

bool ParseHash(const std::string& word, std::uint32_t* hash) {
  if (word.size() != 8) return false;
  std::uint32_t value = 0;
  for (const char c : word) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (digit < 0) return false;
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  *hash = value;
  return true;
}

// Whatever cannot be read is left out; the file is written whole again.
History Read() {
  History history;
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(InData(kHistoryFile), bytes)) return history;
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string hashWord;
    std::uint32_t hash = 0;
    if (!(words >> hashWord) || !ParseHash(hashWord, &hash)) continue;
    std::set<int>& asked = history[hash];
    for (long long f; words >> f;)
      if (f >= 0 && f < kQuestionRecordCount) asked.insert(static_cast<int>(f));
  }
  return history;
}

bool Write(const History& history) {
  std::string text = kHeader;
  for (const auto& [hash, asked] : history) {
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", hash);
    text += hex;
    for (const int f : asked) text += " " + std::to_string(f);
    text += "\n";
  }
  return ReplaceFile(InData(kHistoryFile), std::vector<std::uint8_t>(text.begin(), text.end()));
}

// A category whose every question has been asked starts over; true when
// one did.
bool StartOverAskedInFull(const GameRecord& record, std::set<int>& asked) {
  const int drawable = DrawableOf(record);
  bool startedOver = false;
  for (int category = 0; category < 4; ++category) {
    bool fresh = false, any = false;
    for (int f = 0; f < drawable && !fresh; ++f) {
      if (record.QuestionIndex[f].Category != category) continue;
      any = true;
      fresh = !asked.count(f);
    }
    if (fresh || !any) continue;
    for (int f = 0; f < drawable; ++f)
      if (record.QuestionIndex[f].Category == category) asked.erase(f);
    startedOver = true;
  }
  return startedOver;
}

}  // namespace

void MarkAskedBefore(GameRecord& record) {
  History history = Read();
  std::set<int>& asked = history[PackKeyOf(record).hash];
  // Written at once: the questions the new show asks count from the start.
  if (StartOverAskedInFull(record, asked)) Write(history);
  const int drawable = DrawableOf(record);
  for (const int f : asked)
    if (f < drawable) record.QuestionUsed[f] = 1;
}

bool RememberAsked(const GameRecord& record) {
  History history = Read();
  std::set<int>& asked = history[PackKeyOf(record).hash];
  const int drawable = DrawableOf(record);
  for (int f = 0; f < drawable; ++f)
    if (record.QuestionUsed[f]) asked.insert(f);
  return Write(history);
}

}  // namespace tvz
