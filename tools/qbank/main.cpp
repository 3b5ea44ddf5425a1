// tvz_qbank: lints the question sources and compiles them into the game's
// question bank.
//
//   tvz_qbank --out <game dir> history.txt music.txt sports.txt tval.txt
//   tvz_qbank --lint-only [--no-counts] files...
//
// Problems are printed one per line as "file:line: reason"; any problem means
// exit status 1 and nothing is written. Status 2 is for a wrong command line or
// a failed write.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "qbank/bank_compiler.h"
#include "qbank/lint.h"
#include "qbank/question_source.h"

namespace {

struct Arguments {
  bool lintOnly = false;
  bool checkCounts = true;
  std::string outDirectory;
  std::vector<std::string> files;
};

int usage(const char* message) {
  std::fprintf(stderr,
               "tvz_qbank: %s\n"
               "usage: tvz_qbank --out <game dir> [--no-counts] files...\n"
               "       tvz_qbank --lint-only [--no-counts] files...\n",
               message);
  return 2;
}

bool parseArguments(int argc, char** argv, Arguments* args, const char** error) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--lint-only") {
      args->lintOnly = true;
    } else if (arg == "--no-counts") {
      args->checkCounts = false;
    } else if (arg == "--out") {
      if (++i >= argc) return (*error = "--out needs a directory", false);
      args->outDirectory = argv[i];
    } else if (arg.rfind("--", 0) == 0) {
      return (*error = "unknown option", false);
    } else {
      args->files.push_back(arg);
    }
  }
  if (args->files.empty()) return (*error = "no question files given", false);
  if (!args->lintOnly && args->outDirectory.empty()) return (*error = "--out or --lint-only needed", false);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tvz::qbank;
  Arguments args;
  const char* error = nullptr;
  if (!parseArguments(argc, argv, &args, &error)) return usage(error);

  std::vector<QuestionEntry> entries;
  std::vector<Problem> problems;
  for (const auto& file : args.files) readQuestionSource(file, entries, problems);
  lintQuestions(entries, args.files, LintOptions{args.checkCounts}, problems);
  if (entries.size() > static_cast<std::size_t>(kRecordCount)) {
    problems.push_back({"tvz_qbank", 0, std::to_string(entries.size()) + " questions; the bank holds " +
                                            std::to_string(kRecordCount)});
  }
  std::stable_sort(problems.begin(), problems.end(), [](const Problem& a, const Problem& b) {
    return a.file != b.file ? a.file < b.file : a.line < b.line;
  });
  for (const auto& problem : problems) std::printf("%s\n", describe(problem).c_str());
  if (!problems.empty()) {
    std::fprintf(stderr, "tvz_qbank: %zu problem%s in %zu questions\n", problems.size(),
                 problems.size() == 1 ? "" : "s", entries.size());
    return 1;
  }
  if (args.lintOnly) {
    std::fprintf(stderr, "tvz_qbank: %zu questions, no problems\n", entries.size());
    return 0;
  }
  std::string writeError;
  if (!writeBank(compileBank(entries), args.outDirectory, &writeError)) {
    std::fprintf(stderr, "tvz_qbank: %s\n", writeError.c_str());
    return 2;
  }
  return 0;
}
