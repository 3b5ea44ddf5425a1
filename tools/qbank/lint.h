#pragma once
// The question bank's lint: what would show badly or unfairly in the game.
// Counts per category and difficulty, duplicate questions (also the same text
// with other case or punctuation), repeated answers, and texts that do not fit
// the question scene's labels in the game's own font.
#include <string>
#include <vector>

#include "qbank/question_source.h"

namespace tvz::qbank {

inline constexpr int kQuestionsPerCategory = 100;
inline constexpr int kQuestionsPerDifficulty = 10;  // in each category

// The question scene's labels, in the font they are drawn with.
inline constexpr int kQuestionLabelWidth = 601;
inline constexpr int kQuestionLabelHeight = 108;
inline constexpr int kAnswerLabelWidth = 601;

struct LintOptions {
  bool checkCounts = true;  // off while the writers are still at work
};

// Appends one problem per fault found in the entries (of the given files).
void lintQuestions(const std::vector<QuestionEntry>& entries, const std::vector<std::string>& files,
                   const LintOptions& options, std::vector<Problem>& problems);

// The texts compared for duplicates: lower case, letters and digits only,
// single blanks between words.
std::string comparableText(const std::string& text);

}  // namespace tvz::qbank
