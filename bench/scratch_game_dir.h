#pragma once
// A game directory of the benchmark's own: the build's media linked in,
// nothing of a player's (champions, saved games, error log), so a run starts
// clean. It is the working directory while the object lives.
#include <filesystem>
#include <string>
#include <system_error>

#include "harness/harness.h"

namespace tvz::bench {

class ScratchGameDir {
 public:
  explicit ScratchGameDir(const std::string& name) : previous_(std::filesystem::current_path()) {
    namespace fs = std::filesystem;
    dir_ = fs::temp_directory_path() / name;
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    if (fs::exists(fs::path(TRIVENZA_GAME_DIR) / "tvzd.tzd"))
      testing::linkGameMedia(TRIVENZA_GAME_DIR, dir_.string());
    fs::current_path(dir_);
  }
  ~ScratchGameDir() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  ScratchGameDir(const ScratchGameDir&) = delete;
  ScratchGameDir& operator=(const ScratchGameDir&) = delete;

  bool hasMedia() const { return std::filesystem::exists(dir_ / "tvzd.tzd"); }

 private:
  std::filesystem::path previous_;
  std::filesystem::path dir_;
};

}  // namespace tvz::bench
