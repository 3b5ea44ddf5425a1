#pragma once
// The question bank: "tvzd.tzd" (400 records of seven 32-bit integers),
// "tvzd.tza" (answer texts) and "tvzd.tzq" (question texts), the two text files
// scrambled whole with the text-file key.
#include <cstdint>
#include <string>

#include "core/game_record.h"

namespace tvz {

class ErrorLog;

inline constexpr const char* kQuestionIndexFile = "tvzd.tzd";
inline constexpr const char* kAnswerTextFile = "tvzd.tza";
inline constexpr const char* kQuestionTextFile = "tvzd.tzq";
inline constexpr std::size_t kQuestionIndexBytes = kQuestionRecordCount * sizeof(QuestionIndexRecord);

// One failure of loading, as the error log reports it; location 0 = none.
struct BankFailure {
  std::string message;
  std::string fileName;
  std::int32_t location = 0;
};

struct QuestionBank {
  QuestionIndexRecord records[kQuestionRecordCount]{};
  StringList answers;
  StringList questions;
  // Every failure in the order it happened (at most one per file).
  std::vector<BankFailure> failures;
  bool ok() const { return failures.empty(); }
};

// Loads the three files from a directory ("" = the working directory), in the
// game's order: a failed index file skips the two text files; a failed answer
// file still lets the question file load. Records 0 .. question lines - 1 are
// checked against the text files; a bad one fails the index file (code 25), and
// so does a category none of them is in, since the show could never ask it.
QuestionBank LoadQuestionBank(const std::string& directory);

// Loads the bank into the record and reports each failure; false on any.
bool LoadQuestionBankInto(ErrorLog& log, GameRecord& record);

// The index of the first record in 0 .. count - 1 whose category, difficulty or
// line numbers fall outside the files, or -1 when all are usable.
int FirstBadRecord(const QuestionIndexRecord* records, int count, std::size_t answerLines,
                   std::size_t questionLines);

// The first category 0..3 that no record in 0 .. count - 1 is in, or -1 when
// every category has a question.
int FirstMissingCategory(const QuestionIndexRecord* records, int count);

// A record resolved into its texts.
struct ResolvedQuestion {
  std::string question;
  std::string rightAnswer;
  std::string wrongAnswers[3];
};
ResolvedQuestion ResolveQuestion(const GameRecord& record, int recordIndex);

}  // namespace tvz
