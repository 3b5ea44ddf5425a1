#pragma once
// What the built-in editions must keep to beyond any pack's rules: 100
// questions in each category, ten at each difficulty (so that every
// contestant's band has questions left in a three-round show), and no
// question that nearly repeats another, in the same edition or another one.
#include <string>
#include <vector>

#include "core/question_pack.h"

namespace tvz::qbank {

inline constexpr int kEditionPerCategory = 100;
inline constexpr int kEditionPerDifficulty = 10;  // in each category

// One problem of an edition file: "file:line: reason".
struct EditionProblem {
  std::string file;
  int line = 0;
  std::string reason;
};
std::string describe(const EditionProblem& problem);

// The counts per category and difficulty.
void checkEditionCounts(const QuestionPack& pack, const std::string& file, std::vector<EditionProblem>& problems);

// A pack's questions as the near-duplicate check sees them.
struct PackFile {
  std::string file;
  const QuestionPack* pack;
};

// Two questions that share most of their words, or that share their right
// answer and a good part of their words, ask the same thing: each such pair
// is a problem at the later one. Exact duplicates within a pack are the
// pack's own problem and are not repeated here.
void checkNearDuplicates(const std::vector<PackFile>& packs, std::vector<EditionProblem>& problems);

// The likeness of two questions: the share of their significant words they
// have in common (0 to 1).
double questionLikeness(const std::string& a, const std::string& b);

}  // namespace tvz::qbank
