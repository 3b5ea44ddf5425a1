#pragma once
// Question packs: one UTF-8 text file (".tvq") that anyone can write in a
// text editor, with questions of the four categories:
//
//   Title: Around the World
//   Author: A. Person
//
//   == History
//   [3] In which year did ...?
//   + right answer
//   - wrong answer
//   - wrong answer
//   - wrong answer
//
//   == Music
//   ...
//
// A section names its category as the game does; "[n]" is the difficulty 1
// to 10; one "+" and three "-" answers; blank lines between questions; a
// line starting with "#" is a comment. A pack has at least 10 questions in
// each category and at most 400 in all. Everything the game cannot play is a
// problem with its line number, and a pack with any problem is never played.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/game_record.h"

namespace tvz {

inline constexpr int kPackCategories = 4;  // History, Music, Sports, TV, Arts, and Literature
inline constexpr int kFewestPerCategory = 10;
inline constexpr int kMostPackQuestions = kQuestionRecordCount;
inline constexpr int kEasiest = 1;
inline constexpr int kHardest = 10;
// A file larger than this is not read as a pack (400 long questions fit
// many times over).
inline constexpr std::size_t kLargestPackFile = 1024 * 1024;

// One problem of a pack: the line it is on (1-based; 0 for the whole pack)
// and what is wrong, in words a player can act on.
struct PackProblem {
  int line = 0;
  std::string reason;
};
std::string Describe(const PackProblem& problem);  // "line 12: ..." or the reason alone

struct PackQuestion {
  int line = 0;        // of the "[n]" line
  int category = 0;    // 0 History, 1 Music, 2 Sports, 3 TV, Arts, and Literature
  int difficulty = 0;  // 1..10
  std::string question;  // Windows-1252, as the game shows it
  std::string rightAnswer;
  std::string wrongAnswers[3];
};

struct QuestionPack {
  std::string title;   // Windows-1252; empty when the pack names none
  std::string author;
  std::vector<PackQuestion> questions;  // only the sound ones
  std::vector<PackProblem> problems;    // in line order, whole-pack ones last
  bool playable() const { return problems.empty(); }
};

// The category names as the game writes them, by category 0..3.
const char* PackCategoryName(int category);

// Reads a pack's text: its header, its questions and every problem of form,
// characters, duplicates (the same question twice, also with other case or
// punctuation; an answer given twice in one question) and counts. Whether the
// texts fit the question scene is checked apart (CheckPackFits), as it needs
// the game's fonts.
QuestionPack ParseQuestionPack(std::string_view text);

// How two texts compare for duplicates: lower case, letters and digits only,
// single blanks between words.
std::string ComparableText(const std::string& text);

}  // namespace tvz
