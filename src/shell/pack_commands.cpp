#include "shell/pack_commands.h"

#include <filesystem>

#include "core/pack_library.h"
#include "core/places.h"
#include "core/question_bank.h"
#include "platform/text.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;

// The game keeps its texts in Windows-1252; a terminal reads UTF-8.
std::string ForTerminal(const std::string& gameText) { return cp1252ToUtf8(gameText); }

// "History 10, Music 10, Sports 10, TV, Arts, and Literature 10".
std::string CategoryCounts(const PackBank& bank) {
  int counts[kPackCategories] = {};
  for (const QuestionIndexRecord& record : bank.records)
    if (record.Category >= 0 && record.Category < kPackCategories) ++counts[record.Category];
  std::string text;
  for (int category = 0; category < kPackCategories; ++category)
    text += (category ? ", " : "") + std::string(PackCategoryName(category)) + " " + std::to_string(counts[category]);
  return text;
}

std::string QuestionsText(int count) { return std::to_string(count) + (count == 1 ? " question" : " questions"); }

void PrintPackLine(std::ostream& out, const PackEntry& pack, const std::string& path) {
  const std::string count = pack.playable() ? std::to_string(pack.questionCount()) : "-";
  const std::string title = ForTerminal(pack.title) + (pack.playable() ? "" : " (cannot be played)");
  out << count << '\t' << title << '\t' << fs::absolute(path).lexically_normal().string() << '\n';
}

// The first edition: the question bank the game loads at start.
void PrintFirstEdition(std::ostream& out) {
  const QuestionBank bank = LoadQuestionBank(Places().media);
  PackEntry first;
  first.title = kFirstEditionTitle;
  if (bank.ok())
    first.bank.records.assign(bank.records, bank.records + bank.questions.size());
  else
    first.problems.push_back({0, bank.failures.front().message});
  PrintPackLine(out, first, InMedia(kQuestionIndexFile));
}

}  // namespace

int CheckPackCommand(const std::string& file, std::ostream& out) {
  const PackEntry pack = ReadPackFile(file, false);
  for (const PackProblem& problem : pack.problems) {
    out << file;
    if (problem.line > 0) out << ':' << problem.line;
    out << ": " << ForTerminal(problem.reason) << '\n';
  }
  if (!pack.playable()) return 1;
  out << file << ": \"" << ForTerminal(pack.title) << "\" can be played: " << QuestionsText(pack.questionCount())
      << " (" << CategoryCounts(pack.bank) << ")\n";
  return 0;
}

int ListPacksCommand(std::ostream& out) {
  PrintFirstEdition(out);
  for (const std::string& path : PackFilesIn(Places().media)) PrintPackLine(out, ReadPackFile(path, true), path);
  for (const std::string& path : PackFilesIn(InData(kPlayerPackFolder)))
    PrintPackLine(out, ReadPackFile(path, false), path);
  return 0;
}

}  // namespace tvz
