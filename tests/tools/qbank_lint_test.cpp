// Each lint rule caught on a sample that breaks it, with the file and line the
// question writer has to fix.
#include <gtest/gtest.h>

#include "platform/text.h"
#include "qbank/lint.h"
#include "qbank_test_support.h"

namespace tvz::qbank {
namespace {

using testing::ScratchDirectory;
using testing::entryText;

// Reads and lints the given files (name, text) of one scratch directory.
class LintRun {
 public:
  LintRun(std::initializer_list<std::pair<std::string, std::string>> files, bool checkCounts = false)
      : dir_("tvz_qbank_lint") {
    for (const auto& [name, text] : files) paths_.push_back(dir_.write(name, text));
    for (const auto& path : paths_) readQuestionSource(path, entries, problems);
    lintQuestions(entries, paths_, LintOptions{checkCounts}, problems);
  }

  // The problems whose description holds the text, as "name:line: reason" with
  // the directory left out.
  std::vector<std::string> matching(const std::string& text) const {
    std::vector<std::string> found;
    for (const auto& p : problems) {
      std::string d = describe(p);
      if (d.find(text) == std::string::npos) continue;
      const auto slash = d.rfind('/', d.find(':'));
      found.push_back(slash == std::string::npos ? d : d.substr(slash + 1));
    }
    return found;
  }
  std::string all() const {
    std::string text;
    for (const auto& p : problems) text += describe(p) + "\n";
    return text;
  }

  std::vector<QuestionEntry> entries;
  std::vector<Problem> problems;

 private:
  ScratchDirectory dir_;
  std::vector<std::string> paths_;
};

const std::string kGood = entryText(4, "Which planet is known as the Red Planet?", "Mars", "Venus", "Jupiter", "Mercury");

TEST(QuestionLint, AWellFormedSourceHasNoProblems) {
  LintRun run({{"sports.txt", "# Sports: difficulty 4\n" + kGood +
                                  entryText(6, "In which city were the 1964 Summer Olympics held? Caf\xC3\xA9 \xE2\x82\xAC",
                                            "Tokyo", "Mexico City", "Rome", "Munich")}});
  EXPECT_TRUE(run.problems.empty()) << run.all();
  ASSERT_EQ(run.entries.size(), 2u);
  EXPECT_EQ(run.entries[1].category, 2);
  EXPECT_EQ(run.entries[1].difficulty, 6);
  EXPECT_EQ(run.entries[1].line, 8);
  EXPECT_EQ(run.entries[1].question.substr(run.entries[1].question.size() - 6), "Caf\xE9 \x80");
}

TEST(QuestionLint, CountsPerCategoryAndDifficulty) {
  std::string music = testing::fullCategory(1);
  // Move one difficulty-3 question to difficulty 4.
  music.replace(music.find("[3] "), 4, "[4] ");
  LintRun run({{"history.txt", testing::fullCategory(0)},
               {"music.txt", music},
               {"sports.txt", testing::fullCategory(2) + entryText(5, "One question too many?", "a", "b", "c", "d")}},
              true);
  EXPECT_EQ(run.matching("difficulty 3: 9 questions, 10 wanted"), std::vector<std::string>{"music.txt: Music, difficulty 3: 9 questions, 10 wanted"});
  EXPECT_EQ(run.matching("difficulty 4: 11 questions").size(), 1u);
  EXPECT_TRUE(run.matching("Music: 100").empty()) << "the category total is right";
  EXPECT_EQ(run.matching("Sports: 101 questions, 100 wanted").size(), 1u);
  EXPECT_EQ(run.matching("TV, Arts, and Literature: 0 questions, 100 wanted").size(), 1u) << run.all();
  EXPECT_EQ(run.matching("History").size(), 0u);
}

TEST(QuestionLint, DuplicateQuestionsAndRepeatedAnswers) {
  LintRun run({{"history.txt", kGood + entryText(2, "Who was the first emperor of Rome?", "Augustus", "Nero", "augustus!", "Caligula")},
               {"tval.txt", "\n\n" + entryText(7, "which planet is known as the  RED planet", "Mars", "Venus", "Saturn", "Pluto")}});
  const auto duplicates = run.matching("duplicate question");
  ASSERT_EQ(duplicates.size(), 1u) << run.all();
  EXPECT_EQ(duplicates[0].substr(0, duplicates[0].find(": ")), "tval.txt:3");
  EXPECT_NE(duplicates[0].find("history.txt:1"), std::string::npos);
  EXPECT_EQ(run.matching("repeats"), std::vector<std::string>{"history.txt:7: answer \"augustus!\" repeats \"Augustus\""});
}

TEST(QuestionLint, TextsMustFitTheQuestionScenesLabels) {
  const FontSpec font;
  // A question just long enough for five lines, and one of exactly four.
  std::string fourLines = "Which";
  while (wrapText(font, fourLines + " word?", 601).size() <= 4) fourLines += " word";
  const std::string fiveLines = fourLines + " word";
  // An answer that fits with its letter, and one letter wider that does not.
  std::string fits = "W";
  while (textWidth(font, "D. " + fits + "W") <= 601) fits += "W";
  LintRun run({{"music.txt", entryText(8, fourLines + "?", fits, "b", "c", "d") +
                                 entryText(8, fiveLines + "?", "a", fits + "W", "c", "d")}});
  EXPECT_EQ(run.matching("lines of the question label").size(), 1u) << run.all();
  EXPECT_EQ(run.matching("takes 5 lines").size(), 1u) << run.all();
  const auto wide = run.matching("pixels wide");
  ASSERT_EQ(wide.size(), 1u) << run.all();
  EXPECT_EQ(wide[0].substr(0, 12), "music.txt:7:");
}

TEST(QuestionLint, CharactersTheGameCannotShow) {
  LintRun run({{"tval.txt", entryText(3, "Which city is called \xE6\x9D\xB1\xE4\xBA\xAC in Japanese?", "Tokyo", "Kyoto", "Osaka", "Nara") +
                                entryText(3, "Which\tsea is the saltiest?", "Dead Sea", "Red Sea", "Black Sea", "Baltic Sea") +
                                entryText(3, "Broken \xC3 byte?", "a", "b", "c", "d") + kGood}});
  EXPECT_EQ(run.matching("character outside Windows-1252"),
            (std::vector<std::string>{"tval.txt:1: column 26: character outside Windows-1252 (or not UTF-8)",
                                      "tval.txt:13: column 12: character outside Windows-1252 (or not UTF-8)"}));
  EXPECT_EQ(run.matching("control character"), std::vector<std::string>{"tval.txt:7: column 10: control character 0x09"});
  ASSERT_EQ(run.entries.size(), 1u) << "entries with bad characters are not compiled";
}

TEST(QuestionLint, MalformedEntries) {
  LintRun run({{"sports.txt",
                "[11] Difficulty too high?\n+ a\n- b\n- c\n- d\n\n"          // 1
                "[x] Not a number?\n+ a\n- b\n- c\n- d\n\n"                  // 7
                "[5] Only three answers?\n+ a\n- b\n- c\n\n"                  // 13
                "[5] Two right answers?\n+ a\n+ b\n- c\n- d\n- e\n\n"         // 18
                "+ an answer on its own\n\n"                                  // 25
                "Some stray text\n\n"                                         // 27
                "[6]\n+ a\n- b\n- c\n- d\n\n"                                 // 29
                "[6] Empty answer?\n+ a\n- \n- c\n- d\n"},                    // 35
               {"geography.txt", kGood}});
  EXPECT_EQ(run.matching("difficulty must be").size(), 2u) << run.all();
  EXPECT_EQ(run.matching("sports.txt:1:").size(), 1u);
  EXPECT_EQ(run.matching("sports.txt:7:").size(), 1u);
  EXPECT_EQ(run.matching("sports.txt:13: entry has 1 right (\"+\") and 2 wrong").size(), 1u) << run.all();
  EXPECT_EQ(run.matching("sports.txt:18: entry has 2 right (\"+\") and 3 wrong").size(), 1u) << run.all();
  EXPECT_EQ(run.matching("sports.txt:25: answer outside an entry").size(), 1u);
  EXPECT_EQ(run.matching("sports.txt:27: not an entry line").size(), 1u);
  EXPECT_EQ(run.matching("sports.txt:29: question text missing").size(), 1u);
  EXPECT_EQ(run.matching("sports.txt:37: answer text missing").size(), 1u);
  EXPECT_EQ(run.matching("geography.txt: unknown category").size(), 1u);
  EXPECT_TRUE(run.entries.empty()) << "no malformed entry is compiled";
}

}  // namespace
}  // namespace tvz::qbank
