// Question packs as a player writes them: every rule caught on a sample that
// breaks it, at the line the writer has to fix, and a pack with any problem
// never played.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/question_fit.h"
#include "core/question_pack.h"
#include "harness/pack_text.h"
#include "platform/text.h"

namespace tvz::testing {
namespace {

// The problems as "line: reason" texts, for readable failures.
std::string AllProblems(const QuestionPack& pack) {
  std::string text;
  for (const PackProblem& p : pack.problems) text += Describe(p) + "\n";
  return text;
}

// The problems whose description holds the text.
std::vector<std::string> Matching(const QuestionPack& pack, const std::string& text) {
  std::vector<std::string> found;
  for (const PackProblem& p : pack.problems)
    if (Describe(p).find(text) != std::string::npos) found.push_back(Describe(p));
  return found;
}

// A pack of the four sections with ten questions each, and `extra` added to
// the end of the Sports section (line numbers in extra count from extraLine).
struct SamplePack {
  std::string text;
  int extraLine = 0;
};
SamplePack WithExtra(const std::string& extra, const std::string& header = "Title: Sample\n\n") {
  SamplePack sample{header};
  for (int c = 0; c < 4; ++c) {
    sample.text += SectionText(c, 1);
    if (c == 2) {
      sample.extraLine = static_cast<int>(std::count(sample.text.begin(), sample.text.end(), '\n')) + 1;
      sample.text += extra;
    }
  }
  return sample;
}

std::string At(int line, const std::string& reason) { return "line " + std::to_string(line) + ": " + reason; }

TEST(QuestionPack, AWellFormedPackIsReadWhole) {
  const SamplePack sample = WithExtra(
      "# a comment\n" +
          QuestionText(6, "In which city were the 1964 Summer Olympics held? Caf\xC3\xA9 \xE2\x82\xAC", "Tokyo",
                       "Mexico City", "Rome", "Munich"),
      "\xEF\xBB\xBF" "Title:  Around the World \r\nauthor: A. P\xC3\xA9rson\r\n\r\n");
  const QuestionPack pack = ParseQuestionPack(sample.text);
  EXPECT_TRUE(pack.playable()) << AllProblems(pack);
  EXPECT_EQ(pack.title, "Around the World");
  EXPECT_EQ(pack.author, "A. P\xE9rson") << "Windows-1252, as the game shows it";
  ASSERT_EQ(pack.questions.size(), 41u);
  const auto olympics = std::find_if(pack.questions.begin(), pack.questions.end(),
                                     [](const PackQuestion& q) { return q.rightAnswer == "Tokyo"; });
  ASSERT_NE(olympics, pack.questions.end());
  EXPECT_EQ(olympics->category, 2);
  EXPECT_EQ(olympics->difficulty, 6);
  EXPECT_EQ(olympics->line, sample.extraLine + 1);
  EXPECT_EQ(olympics->question.substr(olympics->question.size() - 6), "Caf\xE9 \x80");
  EXPECT_EQ(olympics->wrongAnswers[2], "Munich");
}

TEST(QuestionPack, EachMalformedLineIsAProblemAtItsLine) {
  const SamplePack sample = WithExtra(
      "[11] Difficulty too high?\n+ a\n- b\n- c\n- d\n\n"          // +0
      "[x] Not a number?\n+ a\n- b\n- c\n- d\n\n"                  // +6
      "[5] Only three answers?\n+ a\n- b\n- c\n\n"                  // +12
      "[5] A fifth answer?\n+ a\n- b\n- c\n- d\n- e\n\n"            // +17
      "[5] Two right answers?\n+ a\n+ b\n- c\n- d\n\n"              // +24
      "+ an answer on its own\n\n"                                  // +30
      "Some stray text\n\n"                                         // +32
      "[6]\n+ a\n- b\n- c\n- d\n\n"                                 // +34
      "[6] Empty answer?\n+ a\n- \n- c\n- d\n\n"                    // +40
      "== Geography\n"                                              // +46
      "[2] A question of no category?\n+ a\n- b\n- c\n- d\n\n");   // +47
  const int at = sample.extraLine;
  const QuestionPack pack = ParseQuestionPack(sample.text);
  EXPECT_FALSE(pack.playable());
  const std::vector<std::string> expected = {
      At(at, "the difficulty must be a number from 1 to 10 in brackets, as in \"[7] Question?\""),
      At(at + 6, "the difficulty must be a number from 1 to 10 in brackets, as in \"[7] Question?\""),
      At(at + 12, "the question has 1 right (\"+\") and 2 wrong (\"-\") answers; it needs 1 and 3"),
      At(at + 17, "the question has 1 right (\"+\") and 4 wrong (\"-\") answers; it needs 1 and 3"),
      At(at + 24, "the question has 2 right (\"+\") and 2 wrong (\"-\") answers; it needs 1 and 3"),
      At(at + 30, "an answer without its question (a question starts with \"[difficulty] question\")"),
      At(at + 32, "not a question or answer line: a question is \"[difficulty] question\", an answer \"+ right "
                  "answer\" or \"- wrong answer\""),
      At(at + 34, "the question has no text"),
      At(at + 42, "the answer has no text"),
      At(at + 46, "unknown section \"Geography\": the sections are History, Music, Sports and TV, Arts, and "
                  "Literature"),
  };
  std::vector<std::string> found;
  for (const PackProblem& p : pack.problems) found.push_back(Describe(p));
  EXPECT_EQ(found, expected);
  EXPECT_EQ(pack.questions.size(), 40u) << "none of the malformed questions is kept";
}

TEST(QuestionPack, TheHeaderComesBeforeTheSections) {
  const QuestionPack pack = ParseQuestionPack("Title: T\nSubtitle: what is this?\n" +
                                              QuestionText(3, "Before any section?", "a", "b", "c", "d") +
                                              PackText("ignored").substr(std::string("Title: ignored\n").size()));
  EXPECT_EQ(Matching(pack, "line 2: not a header line").size(), 1u) << AllProblems(pack);
  EXPECT_EQ(Matching(pack, "line 3: a question before any section").size(), 1u) << AllProblems(pack);
  EXPECT_EQ(pack.questions.size(), 400u);
}

TEST(QuestionPack, CharactersTheGameCannotShow) {
  const SamplePack sample = WithExtra(
      QuestionText(3, "Which city is called \xE6\x9D\xB1\xE4\xBA\xAC in Japanese?", "Tokyo", "Kyoto", "Osaka", "Nara") +
      QuestionText(3, "Which\tsea is the saltiest?", "Dead Sea", "Red Sea", "Black Sea", "Baltic Sea") +
      QuestionText(3, "Broken \xC3 byte?", "a", "b", "c", "d"));
  const QuestionPack pack = ParseQuestionPack(sample.text);
  EXPECT_EQ(Matching(pack, "cannot show"),
            (std::vector<std::string>{
                At(sample.extraLine, "column 26: a character the game cannot show (or text that is not UTF-8)"),
                At(sample.extraLine + 12, "column 12: a character the game cannot show (or text that is not UTF-8)")}));
  EXPECT_EQ(Matching(pack, "control"), std::vector<std::string>{At(sample.extraLine + 6, "column 10: a control character")});
  EXPECT_EQ(pack.questions.size(), 40u) << "questions with bad characters are not kept";
}

TEST(QuestionPack, DuplicatesAndRepeatedAnswers) {
  const SamplePack sample =
      WithExtra(QuestionText(4, "Which planet is known as the Red Planet?", "Mars", "Venus", "Jupiter", "Mercury") +
                QuestionText(2, "Who was the first emperor of Rome?", "Augustus", "Nero", "augustus!", "Caligula") +
                QuestionText(7, "which planet is known as the  RED planet", "Mars", "Venus", "Saturn", "Pluto"));
  const QuestionPack pack = ParseQuestionPack(sample.text);
  EXPECT_EQ(Matching(pack, "twice"),
            std::vector<std::string>{At(sample.extraLine + 6, "the answer \"augustus!\" is given twice")});
  EXPECT_EQ(Matching(pack, "same question"),
            std::vector<std::string>{At(sample.extraLine + 12, "the same question as line " +
                                                                   std::to_string(sample.extraLine))});
}

TEST(QuestionPack, CountsPerCategoryAndInAll) {
  std::string nine = "Title: Short of sports\n\n";
  for (int c = 0; c < 4; ++c) nine += c == 2 ? SectionText(c, 1).substr(0, SectionText(c, 1).rfind("[10]")) : SectionText(c, 1);
  EXPECT_EQ(AllProblems(ParseQuestionPack(nine)),
            "Sports has 9 playable questions; a pack needs at least 10 in each category\n");
  EXPECT_EQ(AllProblems(ParseQuestionPack("")),
            "History has 0 playable questions; a pack needs at least 10 in each category\n"
            "Music has 0 playable questions; a pack needs at least 10 in each category\n"
            "Sports has 0 playable questions; a pack needs at least 10 in each category\n"
            "TV, Arts, and Literature has 0 playable questions; a pack needs at least 10 in each category\n");
  const QuestionPack tooMany = ParseQuestionPack(PackText("Big") + SectionText(1, 1, "extra "));
  EXPECT_EQ(AllProblems(tooMany), "410 questions; a pack holds at most 400\n");
  EXPECT_TRUE(ParseQuestionPack(PackText("Full")).playable());
}

// The widest an answer is on screen, with whichever letter it gets.
int WidestWithALetter(const FontSpec& font, const std::string& answer) {
  int widest = 0;
  for (const char* letter : {"A. ", "B. ", "C. ", "D. "}) widest = std::max(widest, textWidth(font, letter + answer));
  return widest;
}

// At the very limits, for words and letters of every shape (the check takes
// short cuts far from them, which must never pass a text the label's own
// layout would refuse): the longest question that wraps to four lines and
// the same with one more word, the widest answer that fits and one letter more.
TEST(QuestionPack, TextsMustFitTheQuestionScene) {
  const FontSpec font;
  std::string extra;
  std::vector<int> tooLong;  // lines of the questions that must be refused, in the pack's order
  int line = 0;              // of the next question within extra
  auto add = [&](const std::string& question, const std::string& answer, bool fits) {
    extra += QuestionText(8, question, answer, "b", "c", "d");
    if (!fits) tooLong.push_back(line);
    line += 6;
  };
  for (const std::string word : {"word", "WWWW", "ill", "Mississippi", "WWWWWWWWWWWWWWWWWW", "a"}) {
    std::string fourLines = "Which";
    while (wrapText(font, fourLines + " " + word + "?", kQuestionLabelWidth).size() <= 4) fourLines += " " + word;
    ASSERT_EQ(wrapText(font, fourLines + "?", kQuestionLabelWidth).size(), 4u);
    add(fourLines + "?", "a", true);
    add(fourLines + " " + word + "?", "a", false);
  }
  for (const char letter : {'W', 'i', 'm', '.'}) {
    std::string fits(1, letter);
    while (WidestWithALetter(font, fits + letter) <= kAnswerLabelWidth) fits += letter;
    add("Fits " + std::string(1, letter) + "?", fits, true);
    add("Too wide " + std::string(1, letter) + "?", fits + letter, false);
  }
  const SamplePack sample = WithExtra(extra);
  QuestionPack pack = ParseQuestionPack(sample.text);
  ASSERT_TRUE(pack.playable()) << AllProblems(pack);
  const std::size_t before = pack.questions.size();
  std::string error;
  ASSERT_TRUE(CheckPackFits(pack, &error)) << error;

  std::vector<std::string> refused;
  for (const PackProblem& p : pack.problems) refused.push_back(Describe(p));
  std::vector<std::string> expected;
  for (const int at : tooLong) expected.push_back(At(sample.extraLine + at, ""));
  ASSERT_EQ(refused.size(), expected.size()) << AllProblems(pack);
  for (std::size_t i = 0; i < refused.size(); ++i)
    EXPECT_EQ(refused[i].substr(0, expected[i].size()), expected[i]) << refused[i];
  EXPECT_EQ(Matching(pack, "lines on screen")[0].substr(expected[0].size()),
            "the question takes 5 lines on screen; 4 fit (shorten it)");
  EXPECT_NE(Matching(pack, "pixels wide on screen; 601 fit (shorten it)").size(), 0u) << AllProblems(pack);
  EXPECT_EQ(pack.questions.size(), before - tooLong.size()) << "the ones that do not fit are taken out";
}

}  // namespace
}  // namespace tvz::testing
