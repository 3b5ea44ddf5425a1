#pragma once
// Question source files written into a scratch directory for the bank tool's
// tests, and a full bank of well-formed questions to start from.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "qbank/question_source.h"

namespace tvz::qbank::testing {

class ScratchDirectory {
 public:
  explicit ScratchDirectory(const std::string& name)
      : path_(std::filesystem::temp_directory_path() / (name + "_" + std::to_string(getpid()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDirectory() { std::filesystem::remove_all(path_); }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  std::string write(const std::string& name, const std::string& text) const {
    const auto file = path_ / name;
    std::ofstream(file, std::ios::binary) << text;
    return file.string();
  }
  std::string path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

inline const char* const kStems[] = {"history", "music", "sports", "tval"};

// One source entry in the writers' format.
inline std::string entryText(int difficulty, const std::string& question, const std::string& right,
                             const std::string& wrong1, const std::string& wrong2, const std::string& wrong3) {
  return "[" + std::to_string(difficulty) + "] " + question + "\n+ " + right + "\n- " + wrong1 + "\n- " +
         wrong2 + "\n- " + wrong3 + "\n\n";
}

// A category file with its full hundred: ten distinct questions per difficulty.
inline std::string fullCategory(int category) {
  std::string text = "# generated for the tests\n";
  static const char* const kWords[] = {"amber", "basalt", "cedar", "delta", "ember",
                                       "fjord", "granite", "harbour", "iris", "juniper"};
  for (int d = 1; d <= 10; ++d) {
    for (int i = 0; i < 10; ++i) {
      const std::string tag = std::string(kStems[category]) + " " + kWords[d - 1] + " " + kWords[i];
      text += entryText(d, "Which answer belongs to " + tag + "?", "Right " + tag, "Wrong one", "Wrong two",
                        "Wrong three");
    }
  }
  return text;
}

}  // namespace tvz::qbank::testing
