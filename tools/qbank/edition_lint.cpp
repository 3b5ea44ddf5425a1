#include "qbank/edition_lint.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <vector>

namespace tvz::qbank {
namespace {

// Words every question uses, which say nothing about what it asks.
const std::set<std::string>& fillerWords() {
  static const std::set<std::string> words = {
      "a",     "an",    "and",   "are",  "as",    "at",   "be",    "by",     "did",   "do",    "does",
      "for",   "from",  "had",   "has",  "have",  "he",   "her",   "his",    "how",   "in",    "into",
      "is",    "it",    "its",   "name", "named", "of",   "on",    "one",    "or",    "she",   "that",
      "the",   "their", "them",  "they", "this",  "to",   "was",   "were",   "what",  "when",  "where",
      "which", "who",   "whom",  "whose", "with", "year", "years", "called", "known", "first", "became",
      "s",     "whose", "after", "before", "than", "then", "there", "these", "those", "under", "over"};
  return words;
}

// Lower-case significant words, plural "s" taken off.
std::set<std::string> significantWords(const std::string& text) {
  std::set<std::string> words;
  std::istringstream in(ComparableText(text));
  for (std::string word; in >> word;) {
    if (word.size() > 3 && word.back() == 's') word.pop_back();
    if (!fillerWords().count(word)) words.insert(word);
  }
  return words;
}

struct Question {
  std::string file;
  int line;
  std::set<std::string> words;
  std::string answer;
};

double likeness(const std::set<std::string>& a, const std::set<std::string>& b) {
  if (a.empty() || b.empty()) return 0;
  std::size_t shared = 0;
  for (const auto& word : a) shared += b.count(word);
  return static_cast<double>(shared) / static_cast<double>(a.size() + b.size() - shared);
}

// Nearly every word in common; or the same answer with a good part of them.
// Questions cut from one pattern ("Which city hosted the 2000 Games?") share
// most words and ask different things, so wording alone must be very close.
constexpr double kSameWording = 0.9;
constexpr double kSameFact = 0.3;

// "Leonardo" names the same answer as "Leonardo da Vinci": a shorter answer
// whose every word is in the longer one.
bool sameAnswer(const std::string& a, const std::string& b) {
  if (a == b) return true;
  auto words = [](const std::string& text) {
    std::vector<std::string> list;
    std::istringstream in(text);
    for (std::string w; in >> w;) list.push_back(w);
    return list;
  };
  std::vector<std::string> shorter = words(a), longer = words(b);
  if (shorter.size() > longer.size()) std::swap(shorter, longer);
  if (shorter.empty() || shorter.size() == longer.size()) return false;
  for (const std::string& w : shorter)
    if (std::find(longer.begin(), longer.end(), w) == longer.end()) return false;
  return true;
}

}  // namespace

std::string describe(const EditionProblem& problem) {
  std::string where = problem.file;
  if (problem.line > 0) where += ":" + std::to_string(problem.line);
  return where + ": " + problem.reason;
}

void checkEditionCounts(const QuestionPack& pack, const std::string& file, std::vector<EditionProblem>& problems) {
  int counts[kPackCategories][kHardest + 1] = {};
  for (const PackQuestion& q : pack.questions) ++counts[q.category][q.difficulty];
  for (int c = 0; c < kPackCategories; ++c) {
    int total = 0;
    for (int d = kEasiest; d <= kHardest; ++d) {
      total += counts[c][d];
      if (counts[c][d] != kEditionPerDifficulty)
        problems.push_back({file, 0, std::string(PackCategoryName(c)) + ", difficulty " + std::to_string(d) + ": " +
                                         std::to_string(counts[c][d]) + " questions, " +
                                         std::to_string(kEditionPerDifficulty) + " wanted"});
    }
    if (total != kEditionPerCategory)
      problems.push_back({file, 0, std::string(PackCategoryName(c)) + ": " + std::to_string(total) +
                                       " questions, " + std::to_string(kEditionPerCategory) + " wanted"});
  }
}

double questionLikeness(const std::string& a, const std::string& b) {
  return likeness(significantWords(a), significantWords(b));
}

void checkNearDuplicates(const std::vector<PackFile>& packs, std::vector<EditionProblem>& problems) {
  std::vector<Question> questions;
  for (const PackFile& file : packs)
    for (const PackQuestion& q : file.pack->questions)
      questions.push_back({file.file, q.line, significantWords(q.question), ComparableText(q.rightAnswer)});
  for (std::size_t i = 0; i < questions.size(); ++i) {
    for (std::size_t j = i + 1; j < questions.size(); ++j) {
      const Question& a = questions[i];
      const Question& b = questions[j];
      const double alike = likeness(a.words, b.words);
      const bool sameFact = alike >= kSameFact && sameAnswer(a.answer, b.answer);
      if (alike < kSameWording && !sameFact) continue;
      problems.push_back({b.file, b.line, std::string("nearly the same question as ") + a.file + ":" +
                                              std::to_string(a.line) + (sameFact ? " (same answer)" : "")});
    }
  }
}

}  // namespace tvz::qbank
