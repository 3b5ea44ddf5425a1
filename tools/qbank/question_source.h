#pragma once
// The question writers' source files: one file per category, entries of a
// "[difficulty] question" line, one "+" right answer and three "-" wrong
// answers, blank lines between entries, "#" comment lines. The files are UTF-8
// holding only characters of Windows-1252; entries are kept in Windows-1252,
// as the game shows them.
#include <string>
#include <string_view>
#include <vector>

namespace tvz::qbank {

inline constexpr int kCategoryCount = 4;
inline constexpr int kLowestDifficulty = 1;
inline constexpr int kHighestDifficulty = 10;

// One problem of a source file: where it is and what is wrong.
struct Problem {
  std::string file;
  int line = 0;  // 1-based; 0 when the problem concerns the whole file
  std::string reason;
};
std::string describe(const Problem& problem);  // "file:line: reason"

struct QuestionEntry {
  std::string file;
  int line = 0;  // of the "[d]" line
  int category = 0;
  int difficulty = 0;
  std::string question;      // Windows-1252
  std::string rightAnswer;   // Windows-1252
  std::string wrongAnswers[3];
};

// History 0, Music 1, Sports 2, "TV, Arts, and Literature" 3, from the file's
// base name ("music.txt"); -1 for any other name.
int categoryOfFile(const std::string& path);
const char* categoryName(int category);
std::string categoryFileName(int category);  // "music.txt"

// Reads the entries of one source text (file names the file in problems).
void parseQuestionSource(const std::string& file, std::string_view text, int category,
                         std::vector<QuestionEntry>& entries, std::vector<Problem>& problems);

// Reads a source file from disk; the category comes from its name.
void readQuestionSource(const std::string& path, std::vector<QuestionEntry>& entries,
                        std::vector<Problem>& problems);

}  // namespace tvz::qbank
