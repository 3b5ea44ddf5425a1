#include "core/question_fit.h"

#include <algorithm>
#include <array>

#include "platform/text.h"

namespace tvz {
namespace {

// Laying a text out costs a measurement per word, and a pack holds 2,000
// texts; most are far from their limits, so each is first held against a
// bound that one measurement (or none) decides, and laid out in full only
// when the bound cannot tell. The bounds leave kSlack pixels for kerning, so
// they never pass a text that the full layout would refuse.
class LabelFit {
 public:
  LabelFit() : maxQuestionLines_(kQuestionLabelHeight / std::max(1, lineHeight(font_))) {}

  bool fontAvailable(std::string* error) const { return openFont(font_, error) != nullptr; }

  // The first reason the question does not fit, or "" when it does.
  std::string misfit(const PackQuestion& q) {
    if (!questionSurelyFits(q.question)) {
      const auto lines = wrapText(font_, q.question, kQuestionLabelWidth);
      if (static_cast<int>(lines.size()) > maxQuestionLines_)
        return "the question takes " + std::to_string(lines.size()) + " lines on screen; " +
               std::to_string(maxQuestionLines_) + " fit (shorten it)";
    }
    for (const std::string* answer : {&q.rightAnswer, &q.wrongAnswers[0], &q.wrongAnswers[1], &q.wrongAnswers[2]}) {
      if (answerSurelyFits(*answer)) continue;
      const int width = widestWithLetter(*answer);
      if (width > kAnswerLabelWidth)
        return "the answer \"" + *answer + "\" is " + std::to_string(width) + " pixels wide on screen; " +
               std::to_string(kAnswerLabelWidth) + " fit (shorten it)";
    }
    return {};
  }

 private:
  static constexpr int kSlack = 8;

  // A line of a wrapped label is broken only when the next word would not
  // fit, so every line but the last is wider than the label less a blank and
  // the widest word. A text that, on one line, is narrower than the room its
  // lines would then have at the least cannot need more lines than fit.
  bool questionSurelyFits(const std::string& text) {
    const int widestWord = widestWordBound(text);
    const int leastPerLine = kQuestionLabelWidth - widestWord - charWidth(' ') - kSlack;
    return leastPerLine > 0 && textWidth(font_, text) + kSlack < maxQuestionLines_ * leastPerLine;
  }

  // A word is no wider than its letters measured one by one (a letter's
  // overhang counted each time) plus the slack for kerning.
  int widestWordBound(const std::string& text) {
    int widest = 0, word = 0;
    for (const char c : text) {
      word = c == ' ' ? 0 : word + charWidth(static_cast<unsigned char>(c));
      widest = std::max(widest, word);
    }
    return widest + kSlack;
  }

  bool answerSurelyFits(const std::string& answer) {
    return widestLetter() + textWidth(font_, answer) + kSlack <= kAnswerLabelWidth;
  }

  // The answers are shuffled, so any of them may get the widest letter.
  int widestWithLetter(const std::string& answer) const {
    int widest = 0;
    for (const char* letter : kLetters) widest = std::max(widest, textWidth(font_, letter + answer));
    return widest;
  }

  int widestLetter() {
    if (widestLetter_ < 0)
      for (const char* letter : kLetters) widestLetter_ = std::max(widestLetter_, textWidth(font_, letter));
    return widestLetter_;
  }

  int charWidth(unsigned char c) {
    if (charWidths_[c] < 0) charWidths_[c] = textWidth(font_, std::string(1, static_cast<char>(c)));
    return charWidths_[c];
  }

  static constexpr const char* kLetters[] = {"A. ", "B. ", "C. ", "D. "};
  FontSpec font_{};  // Times New Roman 24, as the question scene
  int maxQuestionLines_;
  int widestLetter_ = -1;
  std::array<int, 256> charWidths_ = MakeUnmeasured();

  static std::array<int, 256> MakeUnmeasured() {
    std::array<int, 256> widths{};
    widths.fill(-1);
    return widths;
  }
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
