// Any bytes as the question bank's three files: refused, or loaded with every
// question the show can draw resolving to its texts, in every category and at
// every knowledge level and round.
//
// One input holds the three files:
//   byte 0      flags: 1 pads the index with zero bytes to its full 11,200
//               (so that a small input reaches the text files and the record
//               checks), 2 leaves the answer file out, 4 the question file,
//               8 the index file
//   bytes 1-2   length of the index part, little-endian
//   bytes 3-4   length of the answer part, little-endian
//   then        the index part ("tvzd.tzd" as it is), the answer part and, for
//               the rest of the input, the question part.
// A length past the end of the input stops at the end. The two text parts are
// the texts before scrambling: the target scrambles them with the text key as
// the bank compiler does, so the mutations work on lines and line ends while
// every possible file can still be reached (scrambling is one to one).
// tests/fuzz/make_corpus.py writes inputs of this form from a built bank.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/game_record.h"
#include "core/question_bank.h"
#include "core/scramble.h"
#include "platform/random.h"
#include "show/rules_codes.h"
#include "show/rules_question.h"

namespace {

enum Flags : std::uint8_t { kPadIndex = 1, kNoAnswers = 2, kNoQuestions = 4, kNoIndex = 8 };
constexpr std::size_t kHeaderSize = 5;

void expect(bool holds) {
  if (!holds) std::abort();
}

// The bank's files go to a directory of this process's own, removed at exit:
// in memory where the system has a memory file system, since every input
// writes all three.
const std::string& BankDirectory() {
  static const std::string directory = [] {
    for (const char* parent : {"/dev/shm", "/tmp"}) {
      std::string pattern = std::string(parent) + "/tvz-bank-fuzz-XXXXXX";
      if (::mkdtemp(pattern.data()) != nullptr) return pattern;
    }
    std::abort();
  }();
  return directory;
}

void RemoveBankDirectory() {
  for (const char* name : {tvz::kQuestionIndexFile, tvz::kAnswerTextFile, tvz::kQuestionTextFile})
    std::remove((BankDirectory() + "/" + name).c_str());
  ::rmdir(BankDirectory().c_str());
}

void WriteOrRemove(const char* name, bool present, std::vector<std::uint8_t> bytes) {
  const std::string path = BankDirectory() + "/" + name;
  if (!present) {
    std::remove(path.c_str());
    return;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) std::abort();
  std::fclose(file);
}

std::vector<std::uint8_t> ScrambledText(const std::uint8_t* text, std::size_t size) {
  std::vector<std::uint8_t> bytes(text, text + size);
  const tvz::ScrambleKey key = tvz::kTextFileKey;
  tvz::Scramble(bytes.data(), bytes.size(), key.start, key.count, key.step);
  return bytes;
}

// Splits the input into the three files and writes them; false when it is
// too short to say how.
bool WriteBank(const std::uint8_t* data, std::size_t size) {
  if (size < kHeaderSize) return false;
  const std::uint8_t flags = data[0];
  std::size_t left = size - kHeaderSize;
  const std::size_t indexSize = std::min<std::size_t>(data[1] | (data[2] << 8), left);
  left -= indexSize;
  const std::size_t answerSize = std::min<std::size_t>(data[3] | (data[4] << 8), left);
  const std::uint8_t* index = data + kHeaderSize;
  const std::uint8_t* answers = index + indexSize;
  const std::uint8_t* questions = answers + answerSize;
  const std::size_t questionSize = left - answerSize;

  std::vector<std::uint8_t> indexBytes(index, index + indexSize);
  if ((flags & kPadIndex) && indexBytes.size() < tvz::kQuestionIndexBytes)
    indexBytes.resize(tvz::kQuestionIndexBytes, 0);
  WriteOrRemove(tvz::kQuestionIndexFile, !(flags & kNoIndex), std::move(indexBytes));
  WriteOrRemove(tvz::kAnswerTextFile, !(flags & kNoAnswers), ScrambledText(answers, answerSize));
  WriteOrRemove(tvz::kQuestionTextFile, !(flags & kNoQuestions), ScrambledText(questions, questionSize));
  return true;
}

// Every record the show can draw resolves to its texts, and the show can ask
// every category at every knowledge level and round, more often than a small
// bank has questions so that categories run out and are offered again.
void DrawEveryWay(tvz::GameRecord& record) {
  const int drawable = tvz::DrawableQuestions(record);
  // Throws (and so aborts) on a line outside the text files.
  for (int f = 0; f < drawable; ++f) tvz::ResolveQuestion(record, f);
  record.ResetShowState();
  record.QuestionRecord = -1;
  record.HarderEachRound = 1;
  for (int round = 1; round <= 3; ++round) {
    record.Round = round;
    record.Contestants[0].Knowledge = round;
    for (int category = 1; category <= tvz::kCategoryCount; ++category) {
      record.Category = category;
      expect(tvz::PickQuestion(record, 0));
      expect(record.QuestionRecord >= 0 && record.QuestionRecord < drawable);
      expect(tvz::RightAnswerSlot(record) != 0);
      for (int slot = 1; slot <= 4; ++slot) {
        const std::int32_t line = tvz::AnswerLineInSlot(record, slot);
        expect(line >= 0 && static_cast<std::size_t>(line) < record.AnswerTexts.size());
      }
      expect(tvz::CurrentDifficulty(record) >= 1 && tvz::CurrentDifficulty(record) <= 10);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  BankDirectory();
  std::atexit(RemoveBankDirectory);
  tvz::Randomize(1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!WriteBank(data, size)) return 0;
  tvz::QuestionBank bank = tvz::LoadQuestionBank(BankDirectory());
  expect(bank.failures.size() <= 3);
  if (!bank.ok()) return 0;
  expect(!bank.questions.empty() && bank.questions.size() <= tvz::kQuestionRecordCount);
  static tvz::GameRecord record;
  std::copy(std::begin(bank.records), std::end(bank.records), std::begin(record.QuestionIndex));
  record.AnswerTexts = std::move(bank.answers);
  record.QuestionTexts = std::move(bank.questions);
  DrawEveryWay(record);
  return 0;
}
