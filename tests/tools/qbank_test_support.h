#pragma once
// A scratch directory for the question-bank tool's tests.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

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

}  // namespace tvz::qbank::testing
