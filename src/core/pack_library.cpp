#include "core/pack_library.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/media.h"
#include "core/places.h"
#include "core/question_fit.h"
#include "platform/text.h"

namespace tvz {
namespace fs = std::filesystem;

namespace {

std::string StemOf(const std::string& fileName) {
  return fileName.size() > std::strlen(kPackExtension)
             ? fileName.substr(0, fileName.size() - std::strlen(kPackExtension))
             : fileName;
}

bool IsPackFile(const fs::directory_entry& entry) {
  std::error_code ignored;
  const std::string name = entry.path().filename().string();
  return entry.is_regular_file(ignored) && name.size() > std::strlen(kPackExtension) &&
         name.compare(name.size() - std::strlen(kPackExtension), std::string::npos, kPackExtension) == 0;
}

// A file name as the game can show it: what Windows-1252 cannot hold becomes "?".
std::string ShownName(const std::string& utf8) {
  std::string shown;
  if (utf8ToCp1252(utf8, &shown)) return shown;
  shown.clear();
  for (const char c : utf8) shown += static_cast<unsigned char>(c) < 0x80 ? c : '?';
  return shown;
}

PackEntry Unplayable(PackEntry entry, std::string reason) {
  entry.problems.push_back({0, std::move(reason)});
  return entry;
}

}  // namespace

std::vector<std::string> PackFilesIn(const std::string& folder) {
  std::vector<std::string> paths;
  std::error_code failure;
  for (fs::directory_iterator it(folder.empty() ? "." : folder, failure), end; !failure && it != end;
       it.increment(failure))
    if (IsPackFile(*it)) paths.push_back(it->path().string());
  std::sort(paths.begin(), paths.end(), [](const std::string& a, const std::string& b) {
    return fs::path(a).filename() < fs::path(b).filename();
  });
  return paths;
}

PackKey PackKeyOf(const SavedBlock1& record) {
  PackKey key;
  key.name.assign(record.PackName, strnlen(record.PackName, kPackNameBytes));
  for (int i = 3; i >= 0; --i) key.hash = (key.hash << 8) | record.PackHash[i];
  return key;
}

void SetPackKey(SavedBlock1& record, const PackKey& key) {
  std::memset(record.PackName, 0, kPackNameBytes);
  std::memcpy(record.PackName, key.name.data(), std::min(key.name.size(), kPackNameBytes));
  for (int i = 0; i < 4; ++i) record.PackHash[i] = static_cast<std::uint8_t>(key.hash >> (8 * i));
}

PackKey PackKeyFor(const std::string& fileName, std::uint32_t hash) {
  return {StemOf(fileName).substr(0, kPackNameBytes), hash};
}

std::string PackEntry::captionWith(const std::string& shownTitle) const {
  if (!playable()) return shownTitle + " (cannot be played)";
  const int count = questionCount();
  return shownTitle + " (" + std::to_string(count) + (count == 1 ? " question)" : " questions)");
}

PackEntry ReadPackFile(const std::string& path, bool builtIn) {
  PackEntry entry;
  entry.fileName = fs::path(path).filename().string();
  entry.builtIn = builtIn;
  entry.title = ShownName(StemOf(entry.fileName));
  std::error_code failure;
  const auto size = fs::file_size(path, failure);
  if (failure) return Unplayable(std::move(entry), "the file cannot be read");
  if (size > kLargestPackFile)
    return Unplayable(std::move(entry), "the file is larger than " + std::to_string(kLargestPackFile / 1024) +
                                            " KB; a pack of 400 questions is far smaller");
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(path, bytes)) return Unplayable(std::move(entry), "the file cannot be read");
  QuestionPack pack = ParseQuestionPack(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  if (!pack.title.empty()) entry.title = pack.title;
  // The built-in packs were measured when the game was built, with this same
  // check; measuring 800 questions again would hold up the options screen.
  std::string fontProblem;
  if (!builtIn && !CheckPackFits(pack, &fontProblem))
    pack.problems.push_back({0, "cannot measure the texts: " + fontProblem});
  entry.problems = std::move(pack.problems);
  if (entry.playable()) {
    entry.bank = CompilePack(pack.questions);
    entry.key = PackKeyFor(entry.fileName, PackHash(entry.bank));
  }
  return entry;
}

const PackEntry& PackLibrary::read(const std::string& path, bool builtIn) {
  std::error_code failure;
  const std::int64_t size = static_cast<std::int64_t>(fs::file_size(path, failure));
  const std::int64_t modified =
      failure ? 0 : static_cast<std::int64_t>(fs::last_write_time(path, failure).time_since_epoch().count());
  for (Seen& seen : seen_)
    if (seen.path == path && !failure && seen.size == size && seen.modified == modified &&
        seen.entry.builtIn == builtIn)
      return seen.entry;
  seen_.erase(std::remove_if(seen_.begin(), seen_.end(), [&](const Seen& s) { return s.path == path; }),
              seen_.end());
  seen_.push_back({path, failure ? -1 : size, modified, ReadPackFile(path, builtIn)});
  return seen_.back().entry;
}

void PackLibrary::refresh(const PackBank& firstEdition) {
  packs_.clear();
  PackEntry first;
  first.title = kFirstEditionTitle;
  first.builtIn = true;
  first.bank = firstEdition;
  packs_.push_back(std::move(first));
  for (const std::string& path : PackFilesIn(Places().media)) packs_.push_back(read(path, true));
  const std::string playerFolder = InData(kPlayerPackFolder);
  std::error_code ignored;
  fs::create_directories(playerFolder, ignored);  // so that a player finds where packs go
  for (const std::string& path : PackFilesIn(playerFolder)) packs_.push_back(read(path, false));
}

int PackLibrary::indexOf(const std::string& fileName) const {
  for (std::size_t i = 0; i < packs_.size(); ++i)
    if (packs_[i].fileName == fileName) return static_cast<int>(i);
  return -1;
}

const PackEntry* PackLibrary::find(const PackKey& key) const {
  for (const PackEntry& pack : packs_)
    if (pack.playable() && pack.key.hash == key.hash && pack.key.firstEdition() == key.firstEdition())
      return &pack;
  return nullptr;
}

PackLibrary& Packs() {
  static PackLibrary library;
  return library;
}

void UsePack(GameRecord& record, const PackBank& bank, const PackKey& key) {
  std::memset(record.QuestionIndex, 0, sizeof(record.QuestionIndex));
  const std::size_t count = std::min<std::size_t>(bank.records.size(), kQuestionRecordCount);
  std::copy_n(bank.records.begin(), count, record.QuestionIndex);
  record.QuestionTexts = bank.questions;
  record.AnswerTexts = bank.answers;
  SetPackKey(record, key);
}

PackBank BankOf(const GameRecord& record) {
  PackBank bank;
  const std::size_t count = std::min<std::size_t>(record.QuestionTexts.size(), kQuestionRecordCount);
  bank.records.assign(record.QuestionIndex, record.QuestionIndex + count);
  bank.questions = record.QuestionTexts;
  bank.answers = record.AnswerTexts;
  return bank;
}

}  // namespace tvz
