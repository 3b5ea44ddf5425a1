#include "qbank/question_source.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "platform/text.h"

namespace tvz::qbank {
namespace {

constexpr const char* kFileStems[kCategoryCount] = {"history", "music", "sports", "tval"};
constexpr const char* kCategoryNames[kCategoryCount] = {"History", "Music", "Sports",
                                                        "TV, Arts, and Literature"};

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool isControl(unsigned char c) {
  // The five bytes Windows-1252 leaves unassigned are C1 controls too.
  return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

std::string hexByte(unsigned char c) {
  const char* digits = "0123456789ABCDEF";
  return std::string("0x") + digits[c >> 4] + digits[c & 15];
}

// Reads one source line into Windows-1252. A character the game could not show
// becomes "?" so the rest of the entry can still be checked; the first one of
// the line is reported.
std::string decodeLine(std::string_view utf8, std::string* problem) {
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
    if (problem->empty()) {
      *problem = "column " + std::to_string(column + part.size()) +
                 ": character outside Windows-1252 (or not UTF-8)";
    }
    column += part.size() + 1;
    std::size_t skip = bad + 1;  // the bad lead byte and its continuation bytes
    while (skip < utf8.size() && (static_cast<unsigned char>(utf8[skip]) & 0xC0) == 0x80) ++skip;
    utf8.remove_prefix(skip);
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (!isControl(c)) continue;
    if (problem->empty()) *problem = "column " + std::to_string(i + 1) + ": control character " + hexByte(c);
    text[i] = '?';
  }
  return text;
}

// Collects one entry's lines as they come and checks it when it ends.
class EntryBuilder {
 public:
  EntryBuilder(const std::string& file, int category, std::vector<QuestionEntry>& entries,
               std::vector<Problem>& problems)
      : file_(file), category_(category), entries_(entries), problems_(problems) {}

  void questionLine(std::string_view line, int lineNumber) {
    finish();
    open_ = true;
    broken_ = false;
    entry_ = QuestionEntry{};
    entry_.file = file_;
    entry_.line = lineNumber;
    entry_.category = category_;
    wrong_ = 0;
    right_ = 0;
    const auto close = line.find(']');
    const std::string_view number = close == std::string_view::npos ? std::string_view{} : line.substr(1, close - 1);
    if (!parseDifficulty(number, &entry_.difficulty)) {
      return fail(lineNumber, "difficulty must be a number from 1 to 10 in brackets, as in \"[7] Question?\"");
    }
    entry_.question = std::string(trimmed(line.substr(close + 1)));
    if (entry_.question.empty()) fail(lineNumber, "question text missing");
  }

  void answerLine(char mark, std::string_view text, int lineNumber) {
    if (!open_) return fail(lineNumber, "answer outside an entry (an entry starts with \"[difficulty] question\")");
    const std::string answer(trimmed(text));
    if (answer.empty()) return fail(lineNumber, "answer text missing");
    if (mark == '+') {
      if (right_++ == 0) entry_.rightAnswer = answer;
    } else if (wrong_ < 3) {
      entry_.wrongAnswers[wrong_++] = answer;
    } else {
      ++wrong_;
    }
  }

  void fail(int lineNumber, std::string reason) {
    problems_.push_back({file_, lineNumber, std::move(reason)});
    spoil();
  }
  // The open entry has a fault already reported: check it, but do not keep it.
  void spoil() { broken_ = true; }
  void blankLine() { finish(); }

  // An entry needs exactly one right and three wrong answers.
  void finish() {
    if (!open_) return;
    open_ = false;
    if (!broken_ && (right_ != 1 || wrong_ != 3)) {
      problems_.push_back({file_, entry_.line, "entry has " + std::to_string(right_) + " right (\"+\") and " +
                                                   std::to_string(wrong_) + " wrong (\"-\") answers; 1 and 3 wanted"});
      broken_ = true;
    }
    if (!broken_) entries_.push_back(entry_);
  }

 private:
  static bool parseDifficulty(std::string_view number, int* difficulty) {
    number = trimmed(number);
    if (number.empty() || number.size() > 2) return false;
    int value = 0;
    for (char c : number) {
      if (c < '0' || c > '9') return false;
      value = value * 10 + (c - '0');
    }
    *difficulty = value;
    return value >= kLowestDifficulty && value <= kHighestDifficulty;
  }

  const std::string& file_;
  int category_;
  std::vector<QuestionEntry>& entries_;
  std::vector<Problem>& problems_;
  QuestionEntry entry_;
  bool open_ = false;
  bool broken_ = false;
  int right_ = 0;
  int wrong_ = 0;
};

}  // namespace

std::string describe(const Problem& problem) {
  std::string where = problem.file;
  if (problem.line > 0) where += ":" + std::to_string(problem.line);
  return where + ": " + problem.reason;
}

int categoryOfFile(const std::string& path) {
  const std::string stem = std::filesystem::path(path).stem().string();
  for (int c = 0; c < kCategoryCount; ++c) {
    if (stem == kFileStems[c]) return c;
  }
  return -1;
}

std::string categoryFileName(int category) {
  return category >= 0 && category < kCategoryCount ? std::string(kFileStems[category]) + ".txt" : "?";
}

const char* categoryName(int category) {
  return category >= 0 && category < kCategoryCount ? kCategoryNames[category] : "?";
}

void parseQuestionSource(const std::string& file, std::string_view text, int category,
                         std::vector<QuestionEntry>& entries, std::vector<Problem>& problems) {
  EntryBuilder builder(file, category, entries, problems);
  int lineNumber = 0;
  std::size_t start = 0;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") start = 3;  // a byte-order mark some editors write
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view raw = text.substr(start, end - start);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    start = end + 1;
    ++lineNumber;
    std::string characterProblem;
    const std::string decoded = decodeLine(raw, &characterProblem);
    const std::string_view line = trimmed(decoded);
    if (line.empty()) {
      builder.blankLine();
    } else if (line.front() == '#') {
      continue;
    } else if (line.front() == '[') {
      builder.questionLine(line, lineNumber);
    } else if (line.front() == '+' || line.front() == '-') {
      builder.answerLine(line.front(), line.substr(1), lineNumber);
    } else {
      builder.fail(lineNumber, "not an entry line: expected \"[difficulty] question\", \"+ answer\" or \"- answer\"");
    }
    if (!characterProblem.empty()) {
      problems.push_back({file, lineNumber, characterProblem});
      builder.spoil();
    }
  }
  builder.finish();
}

void readQuestionSource(const std::string& path, std::vector<QuestionEntry>& entries,
                        std::vector<Problem>& problems) {
  const int category = categoryOfFile(path);
  if (category < 0) {
    problems.push_back({path, 0, "unknown category: the file must be named history.txt, music.txt, sports.txt or tval.txt"});
    return;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    problems.push_back({path, 0, "cannot read the file"});
    return;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  parseQuestionSource(path, text, category, entries, problems);
}

}  // namespace tvz::qbank
