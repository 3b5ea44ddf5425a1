// tvz_qbank: checks the game's question packs and builds them into the game
// folder: the first edition compiled into the question bank files the game
// loads at start, every further edition copied beside them as it is.
//
//   tvz_qbank --out <game dir> first.tvq [second.tvq ...]
//   tvz_qbank --lint-only [--pack] files...
//
// The built-in editions must also have 100 questions in each category, ten
// at each difficulty, and no question may nearly repeat another in any of
// them. With --pack a file is checked only as a player's pack would be.
// Problems are printed one per line as "file:line: reason"; any problem means
// exit status 1 and nothing is written. Status 2 is for a wrong command line
// or a failed write.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/pack_bank.h"
#include "core/question_fit.h"
#include "core/question_pack.h"
#include "qbank/bank_compiler.h"
#include "qbank/edition_lint.h"

namespace {

using namespace tvz;
using namespace tvz::qbank;

struct Arguments {
  bool lintOnly = false;
  bool packRulesOnly = false;
  std::string outDirectory;
  std::vector<std::string> files;
};

int usage(const char* message) {
  std::fprintf(stderr,
               "tvz_qbank: %s\n"
               "usage: tvz_qbank --out <game dir> first.tvq [more.tvq ...]\n"
               "       tvz_qbank --lint-only [--pack] files...\n",
               message);
  return 2;
}

bool parseArguments(int argc, char** argv, Arguments* args, const char** error) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--lint-only") {
      args->lintOnly = true;
    } else if (arg == "--pack") {
      args->packRulesOnly = true;
    } else if (arg == "--out") {
      if (++i >= argc) return (*error = "--out needs a directory", false);
      args->outDirectory = argv[i];
    } else if (arg.rfind("--", 0) == 0) {
      return (*error = "unknown option", false);
    } else {
      args->files.push_back(arg);
    }
  }
  if (args->files.empty()) return (*error = "no question packs given", false);
  if (!args->lintOnly && args->outDirectory.empty()) return (*error = "--out or --lint-only needed", false);
  return true;
}

bool readFile(const std::string& path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

struct ReadPack {
  std::string file;
  std::string text;
  QuestionPack pack;
};

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  const char* error = nullptr;
  if (!parseArguments(argc, argv, &args, &error)) return usage(error);

  std::vector<ReadPack> packs;
  std::vector<EditionProblem> problems;
  for (const std::string& file : args.files) {
    ReadPack read{file, {}, {}};
    if (!readFile(file, &read.text)) {
      problems.push_back({file, 0, "cannot read the file"});
      continue;
    }
    read.pack = ParseQuestionPack(read.text);
    std::string fontError;
    if (!CheckPackFits(read.pack, &fontError)) problems.push_back({file, 0, "cannot measure the texts: " + fontError});
    for (const PackProblem& p : read.pack.problems) problems.push_back({file, p.line, p.reason});
    if (!args.packRulesOnly) checkEditionCounts(read.pack, file, problems);
    packs.push_back(std::move(read));
  }
  if (!args.packRulesOnly) {
    std::vector<PackFile> all;
    for (const ReadPack& read : packs) all.push_back({read.file, &read.pack});
    checkNearDuplicates(all, problems);
  }

  std::size_t questions = 0;
  for (const ReadPack& read : packs) questions += read.pack.questions.size();
  for (const auto& problem : problems) std::printf("%s\n", describe(problem).c_str());
  if (!problems.empty()) {
    std::fprintf(stderr, "tvz_qbank: %zu problem%s in %zu questions\n", problems.size(),
                 problems.size() == 1 ? "" : "s", questions);
    return 1;
  }
  if (args.lintOnly) {
    std::fprintf(stderr, "tvz_qbank: %zu questions in %zu pack%s, no problems\n", questions, packs.size(),
                 packs.size() == 1 ? "" : "s");
    return 0;
  }
  std::string writeError;
  if (!writeBank(compileBank(CompilePack(packs.front().pack.questions)), args.outDirectory, &writeError)) {
    std::fprintf(stderr, "tvz_qbank: %s\n", writeError.c_str());
    return 2;
  }
  for (std::size_t i = 1; i < packs.size(); ++i) {
    const std::string target =
        (std::filesystem::path(args.outDirectory) / std::filesystem::path(packs[i].file).filename()).string();
    if (!writeFileAtomically(target, std::vector<std::uint8_t>(packs[i].text.begin(), packs[i].text.end()),
                             &writeError)) {
      std::fprintf(stderr, "tvz_qbank: %s\n", writeError.c_str());
      return 2;
    }
  }
  return 0;
}
