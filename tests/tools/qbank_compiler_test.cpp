// The compiled question bank read back as the game reads it: unscrambled with
// the game's key, split into lines by the game's string list, and loaded by the
// game's own question-bank loader.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <set>

#include "core/pack_bank.h"
#include "core/question_bank.h"
#include "core/question_pack.h"
#include "core/scramble.h"
#include "core/string_list.h"
#include "harness/pack_text.h"
#include "qbank/bank_compiler.h"
#include "qbank_test_support.h"

namespace tvz::qbank {
namespace {

using testing::ScratchDirectory;
using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> unscrambledLines(const std::string& path) {
  Bytes bytes = readFile(path);
  Unscramble(bytes.data(), bytes.size(), kTextFileKey.start, kTextFileKey.count, kTextFileKey.step);
  return SplitLines(bytes.data(), bytes.size());
}

std::int32_t word(const Bytes& index, int record, int w) {
  std::int32_t value = 0;
  std::memcpy(&value, index.data() + (record * 7 + w) * 4, 4);  // little-endian, as on the desktop
  return value;
}

using tvz::testing::QuestionText;

// Eight questions of three sections, with texts the game shows in
// Windows-1252 and answers that repeat.
std::vector<PackQuestion> sampleQuestions() {
  const std::string text =
      "Title: Sample\n\n== History\n" +
      QuestionText(3, "In which year did the Berlin Wall fall?", "1989", "1961", "1991", "1979") +
      QuestionText(7, "Which city was the capital of the Byzantine Empire?", "Constantinople", "Rome", "Athens",
                   "Alexandria") +
      QuestionText(1, "Who was the first President of the United States?", "George Washington", "John Adams",
                   "Thomas Jefferson", "Benjamin Franklin") +
      "== Music\n" +
      QuestionText(5, "Which composer wrote the opera \xE2\x80\x9C" "Carmen\xE2\x80\x9D?", "Georges Bizet",
                   "Giuseppe Verdi", "Jules Massenet", "Charles Gounod") +
      QuestionText(2, "How many lines does a staff of written music have?", "5", "4", "6", "3") +
      QuestionText(9, "In which year did the Berlin Philharmonic first tour abroad?", "1889", "1979", "1991", "1961") +
      "== TV, Arts, and Literature\n" +
      QuestionText(4, "Who painted the \xE2\x80\x9CMona Lisa\xE2\x80\x9D?", "Leonardo da Vinci", "Rapha\xC3\xABl",
                   "Michelangelo", "Titian") +
      QuestionText(10, "Which novel begins with \xE2\x80\x9C" "Call me Ishmael\xE2\x80\x9D?", "Moby-Dick",
                   "Billy Budd", "Typee", "Omoo");
  const QuestionPack pack = ParseQuestionPack(text);
  EXPECT_EQ(pack.problems.size(), 4u) << "only the counts: the sample is not a whole pack";
  return pack.questions;
}

TEST(BankCompiler, RoundTripResolvesEveryRecordToItsEntry) {
  ScratchDirectory dir("tvz_qbank_roundtrip");
  const auto entries = sampleQuestions();
  ASSERT_EQ(entries.size(), 8u);
  std::string error;
  ASSERT_TRUE(writeBank(compileBank(CompilePack(entries)), dir.path() + "/game", &error)) << error;

  const Bytes index = readFile(dir.path() + "/game/tvzd.tzd");
  ASSERT_EQ(index.size(), 11200u);
  const auto questions = unscrambledLines(dir.path() + "/game/tvzd.tzq");
  const auto answers = unscrambledLines(dir.path() + "/game/tvzd.tza");
  ASSERT_EQ(questions.size(), entries.size());

  std::set<std::string> seen;
  bool sourceOrder = true;
  for (int record = 0; record < static_cast<int>(entries.size()); ++record) {
    const std::string& question = questions.at(word(index, record, 0));
    auto source = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.question == question; });
    ASSERT_NE(source, entries.end()) << question;
    EXPECT_TRUE(seen.insert(question).second) << "drawn twice: " << question;
    sourceOrder = sourceOrder && source - entries.begin() == record;
    EXPECT_EQ(word(index, record, 1), source->category);
    EXPECT_EQ(word(index, record, 2), source->difficulty);
    EXPECT_EQ(answers.at(word(index, record, 3)), source->rightAnswer);
    for (int w = 0; w < 3; ++w) EXPECT_EQ(answers.at(word(index, record, 4 + w)), source->wrongAnswers[w]);
  }
  EXPECT_FALSE(sourceOrder) << "the records should not follow the source order";
  for (int record = static_cast<int>(entries.size()); record < 400; ++record) {
    for (int w = 0; w < 7; ++w) ASSERT_EQ(word(index, record, w), 0);
  }
  // Texts reach the game in Windows-1252; equal answers share one line.
  EXPECT_TRUE(seen.count("Which composer wrote the opera \x93" "Carmen\x94?"));
  EXPECT_EQ(std::count(answers.begin(), answers.end(), "1979"), 1);
  EXPECT_EQ(std::count(answers.begin(), answers.end(), "1961"), 1);
  EXPECT_EQ(answers.size(), 8u * 4 - 3) << "1961, 1979 and 1991 appear twice each";
}

TEST(BankCompiler, BuildsAreReproducibleAndTheTextsEndEveryLine) {
  const auto entries = sampleQuestions();
  const CompiledBank first = compileBank(CompilePack(entries));
  const CompiledBank second = compileBank(CompilePack(entries));
  EXPECT_EQ(first.index, second.index);
  EXPECT_EQ(first.questions, second.questions);
  EXPECT_EQ(first.answers, second.answers);
  Bytes plain = first.answers;
  Unscramble(plain.data(), plain.size(), kTextFileKey.start, kTextFileKey.count, kTextFileKey.step);
  ASSERT_GE(plain.size(), 2u);
  EXPECT_EQ(plain[plain.size() - 2], '\r');
  EXPECT_EQ(plain[plain.size() - 1], '\n');
  // The key runs over the whole file: byte i is plain - (58 + 9 i).
  Bytes scrambled = {'A', 'A', 'A'};
  scrambleTextFile(scrambled);
  EXPECT_EQ(scrambled, (Bytes{65 - 58, 65 - 67 + 256, 65 - 76 + 256}));
}

TEST(BankCompiler, WritesReplaceOldFilesWhole) {
  ScratchDirectory dir("tvz_qbank_replace");
  const PackBank entries = CompilePack(sampleQuestions());
  const std::string game = dir.path() + "/game";
  std::filesystem::create_directories(game);
  std::ofstream(game + "/tvzd.tzq") << "an old, longer question file that must not leave a tail behind";
  std::string error;
  ASSERT_TRUE(writeBank(compileBank(entries), game, &error)) << error;
  EXPECT_EQ(readFile(game + "/tvzd.tzq"), compileBank(entries).questions);
  for (const auto& file : std::filesystem::directory_iterator(game)) {
    EXPECT_EQ(file.path().extension().string().find("tmp"), std::string::npos) << file.path();
  }
  EXPECT_FALSE(writeBank(compileBank(entries), "/proc/no_such_dir/game", &error));
  EXPECT_FALSE(error.empty());
}

// The bank files the game loads at start hold exactly the first edition's
// pack as the game compiles it at load, so either way a saved game's flags
// and the history of asked questions name the same questions.
TEST(BankCompiler, TheGameLoadsTheFullCompiledBank) {
  ScratchDirectory dir("tvz_qbank_game");
  const QuestionPack pack = ParseQuestionPack(tvz::testing::PackText("Edition"));
  ASSERT_TRUE(pack.playable()) << Describe(pack.problems.front());
  const PackBank compiled = CompilePack(pack.questions);
  std::string error;
  ASSERT_TRUE(writeBank(compileBank(compiled), dir.path() + "/game", &error)) << error;

  const QuestionBank bank = LoadQuestionBank(dir.path() + "/game");
  ASSERT_TRUE(bank.ok()) << bank.failures.front().message << " " << bank.failures.front().fileName;
  ASSERT_EQ(bank.questions.size(), 400u);
  int perCategoryAndDifficulty[4][11] = {};
  for (const auto& record : bank.records) {
    ++perCategoryAndDifficulty[record.Category][record.Difficulty];
    const std::string& question = bank.questions.at(record.QuestionLine);
    const std::string& right = bank.answers.at(record.RightAnswer);
    // The right answer carries the question's own tag ("Right history amber cedar").
    const std::string tag = question.substr(std::strlen("Which answer belongs to "));
    EXPECT_EQ("Right " + tag.substr(0, tag.size() - 1), right);
    EXPECT_EQ(bank.answers.at(record.WrongAnswers[2]), "Wrong three");
  }
  for (int c = 0; c < 4; ++c) {
    for (int d = 1; d <= 10; ++d) EXPECT_EQ(perCategoryAndDifficulty[c][d], 10) << c << " " << d;
  }
  EXPECT_EQ(bank.questions, compiled.questions);
  EXPECT_EQ(bank.answers, compiled.answers);
  EXPECT_EQ(std::memcmp(bank.records, compiled.records.data(), 400 * sizeof(QuestionIndexRecord)), 0);
}

}  // namespace
}  // namespace tvz::qbank
