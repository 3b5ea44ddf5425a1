#include "sweep/game_folder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "harness/harness.h"

namespace tvz::testing {

namespace fs = std::filesystem;

void PlaceGameMedia(const std::string& into, const std::vector<std::string>& except) {
  for (const auto& entry : fs::directory_iterator(TRIVENZA_GAME_DIR)) {
    const std::string name = entry.path().filename().string();
    if (!isGameMedia(entry.path().string()) || std::find(except.begin(), except.end(), name) != except.end())
      continue;
    const fs::path placed = fs::path(into) / name;
    std::error_code notLinked;
    fs::create_hard_link(entry.path(), placed, notLinked);
    if (notLinked) fs::copy_file(entry.path(), placed);
  }
}

void KeepPlayerFiles(const std::string& gameFolder, const std::string& keepIn) {
  fs::create_directories(keepIn);
  for (const auto& entry : fs::directory_iterator(gameFolder)) {
    const std::string name = entry.path().filename().string();
    // The test-output link is a folder, and so is an empty folder the game
    // made for the player's own additions.
    if (entry.is_symlink() || !entry.is_regular_file() || name == "error.log") continue;
    if (isGameMedia((fs::path(TRIVENZA_GAME_DIR) / name).string())) continue;
    fs::copy_file(entry.path(), fs::path(keepIn) / name, fs::copy_options::overwrite_existing);
  }
}

void PutPlayerFiles(const std::string& kept, const std::string& into, const std::string& except) {
  for (const auto& entry : fs::directory_iterator(kept)) {
    const std::string name = entry.path().filename().string();
    if (name != except) fs::copy_file(entry.path(), fs::path(into) / name);
  }
}

std::optional<std::string> WholeFile(const std::string& name, const std::string& kept) {
  for (const fs::path& folder : {fs::path(kept), fs::path(TRIVENZA_GAME_DIR)}) {
    std::ifstream in(folder / name, std::ios::binary);
    if (in) return std::string(std::istreambuf_iterator<char>(in), {});
  }
  return std::nullopt;
}

}  // namespace tvz::testing
