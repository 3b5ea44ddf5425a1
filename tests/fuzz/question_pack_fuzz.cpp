// Any bytes as a question pack's text: read into its questions and problems,
// never a crash; a pack without problems is one the show can play (enough
// questions of each category, difficulties 1 to 10), and every problem names
// a line of the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/question_pack.h"

namespace {

void expect(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
  const tvz::QuestionPack pack = tvz::ParseQuestionPack(text);
  for (const tvz::PackProblem& problem : pack.problems) {
    expect(problem.line >= 0 && problem.line <= lines);
    expect(!tvz::Describe(problem).empty());
  }
  int perCategory[tvz::kPackCategories] = {};
  for (const tvz::PackQuestion& question : pack.questions) {
    expect(question.line >= 1 && question.line <= lines);
    expect(question.category >= 0 && question.category < tvz::kPackCategories);
    expect(question.difficulty >= tvz::kEasiest && question.difficulty <= tvz::kHardest);
    ++perCategory[question.category];
    const std::string comparable = tvz::ComparableText(question.question);
    expect(tvz::ComparableText(comparable) == comparable);
  }
  if (pack.playable()) {
    expect(pack.questions.size() <= static_cast<std::size_t>(tvz::kMostPackQuestions));
    for (int count : perCategory) expect(count >= tvz::kFewestPerCategory);
  }
  return 0;
}
