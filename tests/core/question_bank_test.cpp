// The question bank files: a good bank, every failure code, the order in which
// the files are tried, and records that point outside the text files.
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "core/error_log.h"
#include "core/question_bank.h"
#include "core/scramble.h"
#include "harness/ordinary_user.h"
#include "test_media.h"

namespace tvz {
namespace {

using namespace tvz::testing;

std::vector<std::int32_t> Codes(const QuestionBank& bank) {
  std::vector<std::int32_t> codes;
  for (const BankFailure& f : bank.failures) codes.push_back(f.location);
  return codes;
}

TEST(QuestionBank, GoodBankLoadsAndResolves) {
  ScratchDir dir;
  WriteQuestionBank(250);
  GameRecord record;
  std::string pending;
  ErrorLog log(pending, {});
  ASSERT_TRUE(LoadQuestionBankInto(log, record));
  EXPECT_TRUE(pending.empty());
  EXPECT_EQ(record.QuestionTexts.size(), 250u);
  EXPECT_EQ(record.AnswerTexts.size(), 1000u);
  EXPECT_EQ(record.QuestionIndex[249].Category, 249 % 4);
  const ResolvedQuestion q = ResolveQuestion(record, 17);
  EXPECT_EQ(q.question, "Question 17?");
  EXPECT_EQ(q.rightAnswer, "Answer 17a");
  EXPECT_EQ(q.wrongAnswers[2], "Answer 17d");
}

TEST(QuestionBank, LoadsFromAnotherDirectory) {
  ScratchDir dir;
  WriteQuestionBank(4);
  std::filesystem::create_directory("elsewhere");
  std::filesystem::current_path("elsewhere");
  const QuestionBank bank = LoadQuestionBank(dir.path());
  std::filesystem::current_path(dir.path());
  EXPECT_TRUE(bank.ok());
  EXPECT_EQ(bank.questions, (StringList{"Question 0?", "Question 1?", "Question 2?", "Question 3?"}));
}

// An installed game's media is read-only to the player: the bank is only
// read (the index used to be opened for writing too, which failed there).
TEST(QuestionBank, AReadOnlyBankLoads) {
  ScratchDir dir;
  WriteQuestionBank(8);
  namespace fs = std::filesystem;
  for (const char* name : {"tvzd.tzd", "tvzd.tza", "tvzd.tzq"})
    fs::permissions(name, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                  fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  QuestionBank bank;
  {
    testing::AsOrdinaryUser user;
    ASSERT_TRUE(user.ok());
    bank = LoadQuestionBank("");
  }
  fs::permissions(dir.path(), fs::perms::owner_all);
  EXPECT_TRUE(bank.ok()) << bank.failures[0].message << " " << bank.failures[0].location;
  EXPECT_EQ(bank.questions.size(), 8u);
}

TEST(QuestionBank, IndexFileFailuresSkipTheTextFiles) {
  ScratchDir dir;
  // No files at all: only the missing index is reported.
  QuestionBank bank = LoadQuestionBank("");
  EXPECT_EQ(Codes(bank), std::vector<std::int32_t>{45});
  EXPECT_EQ(bank.failures[0].message, "File does not exist");
  EXPECT_EQ(bank.failures[0].fileName, "tvzd.tzd");

  WriteQuestionBank(5);
  WriteQuestionIndex({}, kQuestionIndexBytes - 1);  // 11 199 bytes
  bank = LoadQuestionBank("");
  EXPECT_EQ(Codes(bank), std::vector<std::int32_t>{25});
  EXPECT_EQ(bank.failures[0].message, "Error reading from file");
  EXPECT_TRUE(bank.questions.empty());

  std::filesystem::remove("tvzd.tzd");
  std::filesystem::create_directory("tvzd.tzd");  // exists but cannot be opened
  bank = LoadQuestionBank("");
  EXPECT_EQ(Codes(bank), std::vector<std::int32_t>{45});  // not a file
}

TEST(QuestionBank, UnopenableIndexIsCode40) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser opens any file";
  ScratchDir dir;
  WriteQuestionBank(5);
  std::filesystem::permissions("tvzd.tzd", std::filesystem::perms::none);
  EXPECT_EQ(Codes(LoadQuestionBank("")), std::vector<std::int32_t>{40});
}

TEST(QuestionBank, LongerIndexIsReadOnlyToItsSize) {
  ScratchDir dir;
  WriteQuestionBank(400);
  std::vector<std::uint8_t> index = ReadFile("tvzd.tzd");
  index.resize(index.size() + 100, 0xEE);
  WriteFile("tvzd.tzd", index);
  const QuestionBank bank = LoadQuestionBank("");
  EXPECT_TRUE(bank.ok());
  EXPECT_EQ(bank.records[399].QuestionLine, 399);
}

TEST(QuestionBank, TextFileFailuresAreReportedInOrder) {
  ScratchDir dir;
  WriteQuestionBank(5);
  std::filesystem::remove("tvzd.tza");
  QuestionBank bank = LoadQuestionBank("");
  EXPECT_EQ(Codes(bank), std::vector<std::int32_t>{30});
  EXPECT_EQ(bank.questions.size(), 5u);  // the question file still loads
  std::filesystem::remove("tvzd.tzq");
  bank = LoadQuestionBank("");
  EXPECT_EQ(Codes(bank), (std::vector<std::int32_t>{30, 35}));
  EXPECT_EQ(bank.failures[1].fileName, "tvzd.tzq");
}

// An empty text file is as useless as a missing one: without it the show
// would later draw from nothing.
TEST(QuestionBank, EmptyTextFilesFailLikeUnreadableOnes) {
  ScratchDir dir;
  WriteQuestionBank(5);
  WriteFile("tvzd.tzq", {});
  QuestionBank bank = LoadQuestionBank("");
  EXPECT_FALSE(bank.ok());
  EXPECT_EQ(Codes(bank), std::vector<std::int32_t>{35});
  EXPECT_EQ(bank.failures[0].fileName, "tvzd.tzq");
  WriteFile("tvzd.tza", {});
  EXPECT_EQ(Codes(LoadQuestionBank("")), (std::vector<std::int32_t>{30, 35}));
}

TEST(QuestionBank, RecordsOutsideTheFilesFailTheIndex) {
  ScratchDir dir;
  WriteQuestionBank(10);
  std::vector<QuestionIndexRecord> records(kQuestionRecordCount);
  const std::vector<std::uint8_t> good = ReadFile("tvzd.tzd");
  std::memcpy(records.data(), good.data(), good.size());
  // Record 10 and later are never drawn with ten question lines: zeros are fine.
  EXPECT_TRUE(LoadQuestionBank("").ok());
  EXPECT_EQ(FirstBadRecord(records.data(), 10, 40, 10), -1);

  auto expectBad = [&](QuestionIndexRecord bad) {
    std::vector<QuestionIndexRecord> changed = records;
    changed[9] = bad;
    WriteQuestionIndex(changed);
    const QuestionBank bank = LoadQuestionBank("");
    EXPECT_EQ(Codes(bank), std::vector<std::int32_t>{25});
    EXPECT_EQ(bank.failures[0].fileName, "tvzd.tzd");
  };
  expectBad({10, 0, 5, 0, {1, 2, 3}});   // question line past the file
  expectBad({9, 4, 5, 0, {1, 2, 3}});    // no category 4
  expectBad({9, 0, 11, 0, {1, 2, 3}});   // difficulty 11
  expectBad({9, 0, 0, 0, {1, 2, 3}});    // difficulty 0
  expectBad({9, 0, 5, 0, {1, 2, 40}});   // answer line past the file
  expectBad({9, 0, 5, -1, {1, 2, 3}});   // negative line

  // More than 400 question lines: the flags and records number 400.
  WriteQuestionBank(10);
  std::vector<std::string> many(401, "Why?");
  WriteScrambledText("tvzd.tzq", many);
  EXPECT_EQ(Codes(LoadQuestionBank("")), std::vector<std::int32_t>{25});
}

// A category none of the drawn records is in could never be asked: the index
// file is refused as unreadable, like a record pointing outside the files.
TEST(QuestionBank, CategoryWithoutQuestionsFailsTheIndex) {
  ScratchDir dir;
  WriteQuestionBank(8);  // categories 0, 1, 2, 3, 0, 1, 2, 3
  std::vector<QuestionIndexRecord> records(kQuestionRecordCount);
  const std::vector<std::uint8_t> good = ReadFile("tvzd.tzd");
  std::memcpy(records.data(), good.data(), good.size());
  EXPECT_EQ(FirstMissingCategory(records.data(), 8), -1);

  records[2].Category = 1;
  records[6].Category = 3;  // no Sports left among the eight
  WriteQuestionIndex(records);
  const QuestionBank bank = LoadQuestionBank("");
  EXPECT_EQ(Codes(bank), std::vector<std::int32_t>{25});
  EXPECT_EQ(bank.failures[0].message, "Error reading from file");
  EXPECT_EQ(bank.failures[0].fileName, "tvzd.tzd");
  EXPECT_EQ(FirstMissingCategory(records.data(), 8), 2);

  // Only the records the question lines reach count: Sports at record 10 does not.
  records[10].Category = 2;
  EXPECT_EQ(FirstMissingCategory(records.data(), 8), 2);
  // Three questions cannot cover four categories.
  WriteQuestionBank(3);
  EXPECT_EQ(Codes(LoadQuestionBank("")), std::vector<std::int32_t>{25});
}

TEST(QuestionBank, ReportsGoToTheLogWithFileNames) {
  ScratchDir dir;
  GameRecord record;
  std::string pending;
  ErrorLog log(pending, {});
  EXPECT_FALSE(LoadQuestionBankInto(log, record));
  EXPECT_EQ(ReadText("error.log"), "Err : File does not exist\n      tvzd.tzd\nLocn: 45\n\n");
}

}  // namespace
}  // namespace tvz
