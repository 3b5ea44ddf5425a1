#include "core/question_pack.h"

#include <algorithm>
#include <map>
#include <optional>

#include "platform/text.h"

namespace tvz {
namespace {

constexpr const char* kCategoryNames[kPackCategories] = {"History", "Music", "Sports",
                                                         "TV, Arts, and Literature"};

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

unsigned char LowerCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);  // Latin-1 capitals
  return c;
}

bool IsWordCharacter(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || c >= 0xC0 || c == 0x8A || c == 0x8C ||
         c == 0x8E || c == 0x9A || c == 0x9C || c == 0x9E || c == 0x9F;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerCase(static_cast<unsigned char>(a[i])) != LowerCase(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

bool IsControl(unsigned char c) {
  // The five bytes Windows-1252 leaves unassigned are C1 controls too.
  return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

// One line of the file in Windows-1252. A character the game cannot show
// becomes "?" so that the rest of the line can still be checked; the first
// one is reported with its column.
std::string DecodeLine(std::string_view utf8, std::string* problem) {
  std::string text;
  std::size_t column = 1;
  while (!utf8.empty()) {
    std::string part;
    std::size_t bad = 0;
    if (utf8ToCp1252(utf8, &part, &bad)) {
      text += part;
      break;
    }
    utf8ToCp1252(utf8.substr(0, bad), &part);
    text += part + '?';
    if (problem->empty())
      *problem = "column " + std::to_string(column + part.size()) +
                 ": a character the game cannot show (or text that is not UTF-8)";
    column += part.size() + 1;
    std::size_t skip = bad + 1;  // the bad lead byte and its continuation bytes
    while (skip < utf8.size() && (static_cast<unsigned char>(utf8[skip]) & 0xC0) == 0x80) ++skip;
    utf8.remove_prefix(std::min(skip, utf8.size()));
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsControl(static_cast<unsigned char>(text[i]))) continue;
    if (problem->empty()) *problem = "column " + std::to_string(i + 1) + ": a control character";
    text[i] = '?';
  }
  return text;
}

std::optional<int> CategoryNamed(std::string_view name) {
  for (int c = 0; c < kPackCategories; ++c)
    if (SameIgnoringCase(name, kCategoryNames[c])) return c;
  return std::nullopt;
}

// "[7] Question?": the difficulty, when it is a number from 1 to 10.
std::optional<int> Difficulty(std::string_view number) {
  number = Trimmed(number);
  if (number.empty() || number.size() > 2) return std::nullopt;
  int value = 0;
  for (char c : number) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < kEasiest || value > kHardest) return std::nullopt;
  return value;
}

// Reads the pack line by line: the header, then sections of questions.
class PackReader {
 public:
  explicit PackReader(QuestionPack& pack) : pack_(pack) {}

  void line(std::string_view raw, int number) {
    std::string characterProblem;
    const std::string decoded = DecodeLine(raw, &characterProblem);
    const std::string_view text = Trimmed(decoded);
    const bool damaged = !characterProblem.empty();
    if (damaged) problem(number, characterProblem);
    if (text.empty()) return endQuestion();
    if (text.front() == '#') return;
    if (text.substr(0, 2) == "==") return section(Trimmed(text.substr(2)), number);
    if (text.front() == '[') return questionLine(text, number, damaged);
    if (text.front() == '+' || text.front() == '-') {
      broken_ = broken_ || damaged;
      return answerLine(text.front(), Trimmed(text.substr(1)), number);
    }
    if (!inSections_ && headerLine(text)) return;
    problem(number, inSections_ ? "not a question or answer line: a question is \"[difficulty] question\", "
                                  "an answer \"+ right answer\" or \"- wrong answer\""
                                : "not a header line: the header has \"Title: ...\" and \"Author: ...\"; "
                                  "questions follow a section line such as \"== History\"");
    broken_ = true;
  }

  void finish() {
    endQuestion();
    checkCounts();
    std::stable_sort(pack_.problems.begin(), pack_.problems.end(), [](const PackProblem& a, const PackProblem& b) {
      return (a.line == 0 ? 1 << 30 : a.line) < (b.line == 0 ? 1 << 30 : b.line);
    });
  }

 private:
  bool headerLine(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) return false;
    const std::string_view key = Trimmed(text.substr(0, colon));
    const std::string value(Trimmed(text.substr(colon + 1)));
    if (SameIgnoringCase(key, "Title")) {
      pack_.title = value;
      return true;
    }
    if (SameIgnoringCase(key, "Author")) {
      pack_.author = value;
      return true;
    }
    return false;
  }

  void section(std::string_view name, int number) {
    endQuestion();
    inSections_ = true;
    category_ = CategoryNamed(name);
    if (!category_)
      problem(number, "unknown section \"" + std::string(name) +
                          "\": the sections are History, Music, Sports and TV, Arts, and Literature");
  }

  void questionLine(std::string_view text, int number, bool damaged) {
    endQuestion();
    open_ = true;
    broken_ = damaged || !category_;
    if (!inSections_) {
      problem(number, "a question before any section: start the questions with a line such as \"== History\"");
      broken_ = true;
    }
    current_ = PackQuestion{};
    current_.line = number;
    current_.category = category_.value_or(0);
    rights_ = wrongs_ = 0;
    const auto close = text.find(']');
    const std::optional<int> difficulty =
        close == std::string_view::npos ? std::nullopt : Difficulty(text.substr(1, close - 1));
    if (!difficulty) {
      problem(number, "the difficulty must be a number from 1 to 10 in brackets, as in \"[7] Question?\"");
      broken_ = true;
      return;
    }
    current_.difficulty = *difficulty;
    current_.question = std::string(Trimmed(text.substr(close + 1)));
    if (current_.question.empty()) {
      problem(number, "the question has no text");
      broken_ = true;
    }
  }

  void answerLine(char mark, std::string_view text, int number) {
    if (!open_) {
      problem(number, "an answer without its question (a question starts with \"[difficulty] question\")");
      return;
    }
    if (text.empty()) {
      problem(number, "the answer has no text");
      broken_ = true;
    }
    const std::string answer(text);
    if (mark == '+') {
      if (rights_++ == 0) current_.rightAnswer = answer;
    } else if (wrongs_++ < 3) {
      current_.wrongAnswers[wrongs_ - 1] = answer;
    }
  }

  // A question needs exactly one right and three wrong answers, all
  // different; a sound one is kept.
  void endQuestion() {
    if (!open_) {
      broken_ = false;
      return;
    }
    open_ = false;
    const bool counted = rights_ == 1 && wrongs_ == 3;
    if (!counted) {
      problem(current_.line, "the question has " + std::to_string(rights_) + " right (\"+\") and " +
                                 std::to_string(wrongs_) + " wrong (\"-\") answers; it needs 1 and 3");
    } else if (const std::string repeated = RepeatedAnswer(); !repeated.empty()) {
      problem(current_.line, "the answer \"" + repeated + "\" is given twice");
    } else if (!broken_) {
      keep();
    }
    broken_ = false;
  }

  std::string RepeatedAnswer() const {
    const std::string* answers[4] = {&current_.rightAnswer, &current_.wrongAnswers[0], &current_.wrongAnswers[1],
                                     &current_.wrongAnswers[2]};
    for (int i = 0; i < 4; ++i)
      for (int j = i + 1; j < 4; ++j)
        if (!answers[j]->empty() && ComparableText(*answers[i]) == ComparableText(*answers[j])) return *answers[j];
    return {};
  }

  void keep() {
    const auto [first, added] = questionLines_.emplace(ComparableText(current_.question), current_.line);
    if (!added) {
      problem(current_.line, "the same question as line " + std::to_string(first->second));
      return;
    }
    pack_.questions.push_back(current_);
  }

  void checkCounts() {
    int counts[kPackCategories] = {};
    for (const PackQuestion& q : pack_.questions) ++counts[q.category];
    for (int c = 0; c < kPackCategories; ++c)
      if (counts[c] < kFewestPerCategory)
        problem(0, std::string(kCategoryNames[c]) + " has " + std::to_string(counts[c]) +
                       " playable question" + (counts[c] == 1 ? "" : "s") + "; a pack needs at least " +
                       std::to_string(kFewestPerCategory) + " in each category");
    if (pack_.questions.size() > static_cast<std::size_t>(kMostPackQuestions))
      problem(0, std::to_string(pack_.questions.size()) + " questions; a pack holds at most " +
                     std::to_string(kMostPackQuestions));
  }

  void problem(int line, std::string reason) { pack_.problems.push_back({line, std::move(reason)}); }

  QuestionPack& pack_;
  bool inSections_ = false;
  std::optional<int> category_;
  bool open_ = false;
  bool broken_ = false;  // the question being read has a problem already reported
  PackQuestion current_;
  int rights_ = 0;
  int wrongs_ = 0;
  std::map<std::string, int> questionLines_;
};

}  // namespace

std::string Describe(const PackProblem& problem) {
  return problem.line > 0 ? "line " + std::to_string(problem.line) + ": " + problem.reason : problem.reason;
}

const char* PackCategoryName(int category) {
  return category >= 0 && category < kPackCategories ? kCategoryNames[category] : "?";
}

QuestionPack ParseQuestionPack(std::string_view text) {
  QuestionPack pack;
  PackReader reader(pack);
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a byte-order mark some editors write
  int number = 0;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view raw = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    reader.line(raw, ++number);
  }
  reader.finish();
  return pack;
}

std::string ComparableText(const std::string& text) {
  std::string out;
  bool gap = false;
  for (char ch : text) {
    const unsigned char c = LowerCase(static_cast<unsigned char>(ch));
    if (!IsWordCharacter(c)) {
      gap = !out.empty();
      continue;
    }
    if (gap) out += ' ';
    gap = false;
    out += static_cast<char>(c);
  }
  return out;
}

}  // namespace tvz
