#include "core/question_bank.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstring>

#include "core/error_log.h"
#include "platform/file_handle.h"
#include "core/media.h"
#include "core/scramble.h"
#include "core/string_list.h"

namespace tvz {
namespace {

constexpr const char* kReadError = "Error reading from file";

std::string PathIn(const std::string& directory, const char* name) {
  return directory.empty() ? std::string(name) : directory + "/" + name;
}

// Reads exactly the index's bytes; a longer file is read only that far.
bool ReadIndex(const std::string& path, QuestionBank& bank) {
  if (!FileExists(path)) {
    bank.failures.push_back({"File does not exist", kQuestionIndexFile, 45});
    return false;
  }
  // Only read: an installed game's media folder is read-only.
  FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.isOpen()) {
    bank.failures.push_back({"Error opening file", kQuestionIndexFile, 40});
    return false;
  }
  std::uint8_t bytes[kQuestionIndexBytes];
  std::size_t got = 0;
  while (got < sizeof(bytes)) {
    const ssize_t n = ::read(file.get(), bytes + got, sizeof(bytes) - got);
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  std::memcpy(bank.records, bytes, got);
  if (got < sizeof(bytes)) {
    bank.failures.push_back({kReadError, kQuestionIndexFile, 25});
    return false;
  }
  return true;
}

// An empty file reads as well as a missing one: a bank without questions or
// answers has nothing to draw from.
bool ReadTextFile(const std::string& path, StringList& lines) {
  std::vector<std::uint8_t> text;
  if (!ReadWholeFile(path, text) || text.empty()) return false;
  Unscramble(text.data(), text.size(), kTextFileKey.start, kTextFileKey.count, kTextFileKey.step);
  lines = SplitLines(text.data(), text.size());
  return true;
}

bool LineInside(std::int32_t line, std::size_t lines) {
  return line >= 0 && static_cast<std::size_t>(line) < lines;
}

}  // namespace

int FirstBadRecord(const QuestionIndexRecord* records, int count, std::size_t answerLines,
                   std::size_t questionLines) {
  for (int f = 0; f < count; ++f) {
    const QuestionIndexRecord& r = records[f];
    const bool usable = LineInside(r.QuestionLine, questionLines) && r.Category >= 0 &&
                        r.Category <= 3 && r.Difficulty >= 1 && r.Difficulty <= 10 &&
                        LineInside(r.RightAnswer, answerLines) &&
                        LineInside(r.WrongAnswers[0], answerLines) &&
                        LineInside(r.WrongAnswers[1], answerLines) &&
                        LineInside(r.WrongAnswers[2], answerLines);
    if (!usable) return f;
  }
  return -1;
}

int FirstMissingCategory(const QuestionIndexRecord* records, int count) {
  bool present[4] = {};
  for (int f = 0; f < count; ++f)
    if (records[f].Category >= 0 && records[f].Category < 4) present[records[f].Category] = true;
  for (int category = 0; category < 4; ++category)
    if (!present[category]) return category;
  return -1;
}

QuestionBank LoadQuestionBank(const std::string& directory) {
  QuestionBank bank;
  if (!ReadIndex(PathIn(directory, kQuestionIndexFile), bank)) return bank;
  const bool answersRead = ReadTextFile(PathIn(directory, kAnswerTextFile), bank.answers);
  if (!answersRead) bank.failures.push_back({kReadError, kAnswerTextFile, 30});
  const bool questionsRead = ReadTextFile(PathIn(directory, kQuestionTextFile), bank.questions);
  if (!questionsRead) bank.failures.push_back({kReadError, kQuestionTextFile, 35});
  if (!answersRead || !questionsRead) return bank;
  // Records 0 .. question lines - 1 are the ones the show draws from; one that
  // points outside the files would bring the show down later, and a category
  // without a question leaves the show nothing to ask when it is drawn.
  const bool tooManyQuestions = bank.questions.size() > kQuestionRecordCount;
  const int drawable = static_cast<int>(bank.questions.size());
  if (tooManyQuestions ||
      FirstBadRecord(bank.records, drawable, bank.answers.size(), bank.questions.size()) >= 0 ||
      FirstMissingCategory(bank.records, drawable) >= 0) {
    bank.failures.push_back({kReadError, kQuestionIndexFile, 25});
  }
  return bank;
}

bool LoadQuestionBankInto(ErrorLog& log, GameRecord& record) {
  QuestionBank bank = LoadQuestionBank("");
  std::memcpy(record.QuestionIndex, bank.records, sizeof(record.QuestionIndex));
  record.AnswerTexts = std::move(bank.answers);
  record.QuestionTexts = std::move(bank.questions);
  for (const BankFailure& failure : bank.failures)
    log.ReportFileError(failure.message, failure.fileName, failure.location);
  return bank.ok();
}

ResolvedQuestion ResolveQuestion(const GameRecord& record, int recordIndex) {
  const QuestionIndexRecord& r = record.QuestionIndex[recordIndex];
  ResolvedQuestion q;
  q.question = record.QuestionTexts.at(static_cast<std::size_t>(r.QuestionLine));
  q.rightAnswer = record.AnswerTexts.at(static_cast<std::size_t>(r.RightAnswer));
  for (int k = 0; k < 3; ++k)
    q.wrongAnswers[k] = record.AnswerTexts.at(static_cast<std::size_t>(r.WrongAnswers[k]));
  return q;
}

}  // namespace tvz
