// The built-in editions' own rules: the counts that keep every contestant's
// band supplied in a three-round show, and no question nearly repeating
// another in any edition.
#include <gtest/gtest.h>

#include "harness/pack_text.h"
#include "qbank/edition_lint.h"

namespace tvz::qbank {
namespace {

using tvz::testing::PackText;
using tvz::testing::QuestionText;

std::vector<std::string> Described(const std::vector<EditionProblem>& problems) {
  std::vector<std::string> texts;
  for (const EditionProblem& p : problems) texts.push_back(describe(p));
  return texts;
}

TEST(EditionLint, HundredPerCategoryTenAtEachDifficulty) {
  std::string text = PackText("Edition");
  // One Music question moved from difficulty 3 to 4, one Sports question too many.
  const std::size_t music = text.find("== Music");
  text.replace(text.find("[3] ", music), 4, "[4] ");
  text.insert(text.find("== TV"), QuestionText(5, "One question too many?", "a", "b", "c", "d"));
  std::vector<EditionProblem> problems;
  checkEditionCounts(ParseQuestionPack(text), "ed.tvq", problems);
  EXPECT_EQ(Described(problems), (std::vector<std::string>{"ed.tvq: Music, difficulty 3: 9 questions, 10 wanted",
                                                           "ed.tvq: Music, difficulty 4: 11 questions, 10 wanted",
                                                           "ed.tvq: Sports, difficulty 5: 11 questions, 10 wanted",
                                                           "ed.tvq: Sports: 101 questions, 100 wanted"}));
  problems.clear();
  checkEditionCounts(ParseQuestionPack(PackText("Edition")), "ed.tvq", problems);
  EXPECT_TRUE(problems.empty());
}

// Pairs the check must catch (the same fact asked again) and pairs it must
// leave alone (one pattern, different facts), as they came up in our own
// editions.
TEST(EditionLint, NearDuplicatesAcrossEditionsButNotQuestionsOfOnePattern) {
  auto pack = [](const std::string& title, const std::string& extra) {
    std::string text = PackText(title, 1, title + " ");
    text.insert(text.find("== Music"), extra);
    return ParseQuestionPack(text);
  };
  const QuestionPack first =
      pack("first", QuestionText(1, "Who painted the \"Mona Lisa\"?", "Leonardo da Vinci", "Michelangelo", "Raphael",
                                 "Rembrandt") +
                        QuestionText(2, "Which city hosted the 2012 Summer Olympic Games?", "London", "Paris",
                                     "Madrid", "Moscow") +
                        QuestionText(5, "Which Mughal emperor had the Taj Mahal built?", "Shah Jahan", "Akbar",
                                     "Aurangzeb", "Babur"));
  const QuestionPack second =
      pack("second", QuestionText(1, "Which Renaissance artist painted the \"Mona Lisa\"?", "Leonardo", "Raphael",
                                  "Titian", "Sandro Botticelli") +
                         QuestionText(2, "Which city hosted the 2000 Summer Olympic Games?", "Sydney", "Melbourne",
                                      "Athens", "Atlanta") +
                         QuestionText(4, "Which Mughal emperor built the Taj Mahal as a tomb for his wife?",
                                      "Shah Jahan", "Babur", "Jahangir", "Aurangzeb") +
                         QuestionText(3, "Which city hosted the 2012 Summer Olympic Games!", "London", "Rome",
                                      "Berlin", "Tokyo"));
  std::vector<EditionProblem> problems;
  checkNearDuplicates({{"first.tvq", &first}, {"second.tvq", &second}}, problems);
  std::vector<std::string> found = Described(problems);
  for (std::string& f : found) f = f.substr(0, f.find(':', f.find(':') + 1));  // "file:line"
  ASSERT_EQ(found.size(), 3u) << ::testing::PrintToString(Described(problems));
  for (const EditionProblem& p : problems) EXPECT_EQ(p.file, "second.tvq");
  EXPECT_NE(Described(problems)[0].find("(same answer)"), std::string::npos);
  EXPECT_GT(questionLikeness("Which city hosted the 2000 Summer Olympic Games?",
                             "Which city hosted the 2012 Summer Olympic Games?"),
            0.6)
      << "one pattern: alike in words, yet a different question";
}

}  // namespace
}  // namespace tvz::qbank
