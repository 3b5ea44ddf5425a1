#include "qbank/lint.h"

#include <map>

#include "platform/text.h"

namespace tvz::qbank {
namespace {

void report(std::vector<Problem>& problems, const QuestionEntry& entry, std::string reason) {
  problems.push_back({entry.file, entry.line, std::move(reason)});
}

bool isWordCharacter(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || c >= 0xC0 || c == 0x8A || c == 0x8C ||
         c == 0x8E || c == 0x9A || c == 0x9C || c == 0x9E || c == 0x9F;
}

unsigned char lowerCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);  // Latin-1 capitals
  return c;
}

// Each category must have its 100 questions, ten at each difficulty, so that
// every contestant's band has questions left in a three-round show.
void checkCounts(const std::vector<QuestionEntry>& entries, const std::vector<std::string>& files,
                 std::vector<Problem>& problems) {
  int counts[kCategoryCount][kHighestDifficulty + 1] = {};
  std::string fileOf[kCategoryCount];
  for (const auto& file : files) {
    const int category = categoryOfFile(file);
    if (category >= 0 && fileOf[category].empty()) fileOf[category] = file;
  }
  for (const auto& entry : entries) ++counts[entry.category][entry.difficulty];
  for (int category = 0; category < kCategoryCount; ++category) {
    const std::string where = fileOf[category].empty() ? categoryFileName(category) + " (not given)" : fileOf[category];
    int total = 0;
    for (int d = kLowestDifficulty; d <= kHighestDifficulty; ++d) {
      total += counts[category][d];
      if (counts[category][d] != kQuestionsPerDifficulty) {
        problems.push_back({where, 0, std::string(categoryName(category)) + ", difficulty " + std::to_string(d) + ": " +
                                          std::to_string(counts[category][d]) + " questions, " +
                                          std::to_string(kQuestionsPerDifficulty) + " wanted"});
      }
    }
    if (total != kQuestionsPerCategory) {
      problems.push_back({where, 0, std::string(categoryName(category)) + ": " + std::to_string(total) +
                                        " questions, " + std::to_string(kQuestionsPerCategory) + " wanted"});
    }
  }
}

// The same question twice in a bank could be drawn twice in one evening.
void checkDuplicateQuestions(const std::vector<QuestionEntry>& entries, std::vector<Problem>& problems) {
  std::map<std::string, const QuestionEntry*> seen;
  for (const auto& entry : entries) {
    const auto [it, added] = seen.emplace(comparableText(entry.question), &entry);
    if (!added) {
      report(problems, entry, "duplicate question: the same as " + it->second->file + ":" +
                                  std::to_string(it->second->line));
    }
  }
}

void checkRepeatedAnswers(const QuestionEntry& entry, std::vector<Problem>& problems) {
  const std::string* answers[4] = {&entry.rightAnswer, &entry.wrongAnswers[0], &entry.wrongAnswers[1],
                                   &entry.wrongAnswers[2]};
  for (int i = 0; i < 4; ++i) {
    for (int j = i + 1; j < 4; ++j) {
      if (comparableText(*answers[i]) == comparableText(*answers[j])) {
        report(problems, entry, "answer \"" + *answers[j] + "\" repeats \"" + *answers[i] + "\"");
      }
    }
  }
}

// Measures with the game's own font and word wrap, so what passes here is
// exactly what the question scene can show.
class LabelFit {
 public:
  LabelFit() : maxQuestionLines_(kQuestionLabelHeight / lineHeight(font_)) {}

  bool fontAvailable(std::string* error) const { return openFont(font_, error) != nullptr; }

  void check(const QuestionEntry& entry, std::vector<Problem>& problems) const {
    const auto lines = wrapText(font_, entry.question, kQuestionLabelWidth);
    if (static_cast<int>(lines.size()) > maxQuestionLines_) {
      report(problems, entry, "question takes " + std::to_string(lines.size()) + " lines of the question label; " +
                                  std::to_string(maxQuestionLines_) + " fit (shorten it)");
    }
    for (const std::string* answer : {&entry.rightAnswer, &entry.wrongAnswers[0], &entry.wrongAnswers[1],
                                      &entry.wrongAnswers[2]}) {
      const int width = widestWithLetter(*answer);
      if (width > kAnswerLabelWidth) {
        report(problems, entry, "answer \"" + *answer + "\" is " + std::to_string(width) +
                                    " pixels wide with its letter; " + std::to_string(kAnswerLabelWidth) + " fit");
      }
    }
  }

 private:
  // The game shuffles the answers, so any of them may get the widest letter.
  int widestWithLetter(const std::string& answer) const {
    int widest = 0;
    for (const char* letter : {"A. ", "B. ", "C. ", "D. "}) {
      widest = std::max(widest, textWidth(font_, letter + answer));
    }
    return widest;
  }

  FontSpec font_{};  // Times New Roman 24, as the question scene
  int maxQuestionLines_;
};

}  // namespace

std::string comparableText(const std::string& text) {
  std::string out;
  bool gap = false;
  for (char ch : text) {
    const unsigned char c = lowerCase(static_cast<unsigned char>(ch));
    if (!isWordCharacter(c)) {
      gap = !out.empty();
      continue;
    }
    if (gap) out += ' ';
    gap = false;
    out += static_cast<char>(c);
  }
  return out;
}

void lintQuestions(const std::vector<QuestionEntry>& entries, const std::vector<std::string>& files,
                   const LintOptions& options, std::vector<Problem>& problems) {
  if (options.checkCounts) checkCounts(entries, files, problems);
  checkDuplicateQuestions(entries, problems);
  LabelFit fit;
  std::string fontError;
  if (!fit.fontAvailable(&fontError)) {
    problems.push_back({"tvz_qbank", 0, "cannot measure the texts: " + fontError});
    return;
  }
  for (const auto& entry : entries) {
    checkRepeatedAnswers(entry, problems);
    fit.check(entry, problems);
  }
}

}  // namespace tvz::qbank
