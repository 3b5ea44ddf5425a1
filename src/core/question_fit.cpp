#include "core/question_fit.h"

#include <algorithm>

#include "platform/text.h"

namespace tvz {
namespace {

class LabelFit {
 public:
  LabelFit() : maxQuestionLines_(kQuestionLabelHeight / std::max(1, lineHeight(font_))) {}

  bool fontAvailable(std::string* error) const { return openFont(font_, error) != nullptr; }

  // The first reason the question does not fit, or "" when it does.
  std::string misfit(const PackQuestion& q) const {
    const auto lines = wrapText(font_, q.question, kQuestionLabelWidth);
    if (static_cast<int>(lines.size()) > maxQuestionLines_)
      return "the question takes " + std::to_string(lines.size()) + " lines on screen; " +
             std::to_string(maxQuestionLines_) + " fit (shorten it)";
    for (const std::string* answer : {&q.rightAnswer, &q.wrongAnswers[0], &q.wrongAnswers[1], &q.wrongAnswers[2]}) {
      const int width = widestWithLetter(*answer);
      if (width > kAnswerLabelWidth)
        return "the answer \"" + *answer + "\" is " + std::to_string(width) + " pixels wide on screen; " +
               std::to_string(kAnswerLabelWidth) + " fit (shorten it)";
    }
    return {};
  }

 private:
  // The answers are shuffled, so any of them may get the widest letter.
  int widestWithLetter(const std::string& answer) const {
    int widest = 0;
    for (const char* letter : {"A. ", "B. ", "C. ", "D. "}) widest = std::max(widest, textWidth(font_, letter + answer));
    return widest;
  }

  FontSpec font_{};  // Times New Roman 24, as the question scene
  int maxQuestionLines_;
};

}  // namespace

bool CheckPackFits(QuestionPack& pack, std::string* error) {
  LabelFit fit;
  if (!fit.fontAvailable(error)) return false;
  std::vector<PackQuestion> fitting;
  for (PackQuestion& q : pack.questions) {
    if (std::string reason = fit.misfit(q); !reason.empty())
      pack.problems.push_back({q.line, std::move(reason)});
    else
      fitting.push_back(std::move(q));
  }
  pack.questions = std::move(fitting);
  std::stable_sort(pack.problems.begin(), pack.problems.end(), [](const PackProblem& a, const PackProblem& b) {
    return (a.line == 0 ? 1 << 30 : a.line) < (b.line == 0 ? 1 << 30 : b.line);
  });
  return true;
}

}  // namespace tvz
