#include "core/places_policy.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "core/file_writer.h"
#include "core/media.h"

namespace tvz {
namespace {

namespace fs = std::filesystem;

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool hasMedia(const fs::path& folder) {
  std::error_code ec;
  return fs::is_regular_file(folder / kMediaMarkerFile, ec);
}

// Writable by the user the process acts as now: the effective user, not the
// real one, so that a superuser who has become an ordinary user is judged as
// that user.
bool writable(const std::string& folder) {
  return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool sameFolder(const std::string& a, const std::string& b) {
  std::error_code ec;
  return !a.empty() && !b.empty() && fs::equivalent(a, b, ec) && !ec;
}

std::string programFolder(const StartFacts& facts) {
  if (facts.executable.empty()) return facts.workingDirectory;  // the best guess left
  return fs::path(facts.executable).parent_path().string();
}

// The player's folder under an XDG base folder: the variable's value when it
// is an absolute path (the XDG rules ignore a relative one), else the default
// under the home folder; "" when neither is known.
std::string userFolder(const std::string& variable, const std::string& home, const char* underHome) {
  fs::path base;
  if (!variable.empty() && fs::path(variable).is_absolute())
    base = variable;
  else if (!home.empty() && fs::path(home).is_absolute())
    base = fs::path(home) / underHome;
  else
    return "";
  return (base / kUserFolderName).lexically_normal().string();
}

// Creates every missing folder of the path, each private to the user as the
// XDG rules ask; "" or the reason it failed.
std::string makeFolders(const std::string& folder) {
  fs::path sofar;
  for (const fs::path& part : fs::path(folder)) {
    sofar /= part;
    if (::mkdir(sofar.c_str(), 0700) != 0 && errno != EEXIST) return std::strerror(errno);
  }
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return "it is not a folder";
  if (!writable(folder)) return std::strerror(EACCES);
  return "";
}

// A player's first champions list is the installed one. Without an installed
// list, or should the copy fail, the game starts from its built-in champions
// as it does whenever the list is missing.
void seedChampions(const GamePlaces& places) {
  const std::string mine = InData(kChampionsFileName);
  std::error_code ec;
  if (fs::symlink_status(mine, ec).type() != fs::file_type::not_found) return;  // or unknown: left alone
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile((fs::path(places.media) / kChampionsFileName).string(), bytes)) return;
  ReplaceFile(mine, bytes);
}

}  // namespace

StartFacts CurrentStartFacts() {
  StartFacts facts;
  std::error_code ec;
  facts.executable = fs::read_symlink("/proc/self/exe", ec).string();
  facts.workingDirectory = fs::current_path(ec).string();
  facts.home = environment("HOME");
  if (facts.home.empty()) {
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir) facts.home = user->pw_dir;
  }
  facts.xdgDataHome = environment("XDG_DATA_HOME");
  facts.xdgConfigHome = environment("XDG_CONFIG_HOME");
  return facts;
}

std::string FindMediaFolder(const StartFacts& facts) {
  const fs::path own = programFolder(facts);
  if (hasMedia(own)) return own.string();
  if (!facts.executable.empty()) {
    const fs::path installed = (own / TRIVENZA_MEDIA_FROM_PROGRAM).lexically_normal();
    if (hasMedia(installed)) return installed.string();
  }
  return facts.workingDirectory;
}

PlacesChoice ChoosePlaces(const StartFacts& facts) {
  PlacesChoice choice;
  const std::string media = FindMediaFolder(facts);
  const bool gameFolder = sameFolder(media, programFolder(facts)) &&
                          sameFolder(media, facts.workingDirectory) && writable(media);
  if (gameFolder) return choice;
  choice.installed = true;
  choice.places.media = media;
  choice.places.data = userFolder(facts.xdgDataHome, facts.home, ".local/share");
  choice.places.config = userFolder(facts.xdgConfigHome, facts.home, ".config");
  if (choice.places.data.empty() || choice.places.config.empty())
    choice.problem = "There is no home folder to keep your saved games and settings in.\n"
                     "Set HOME (or XDG_DATA_HOME and XDG_CONFIG_HOME) and start the game again.";
  return choice;
}

std::string PreparePlaces(const PlacesChoice& choice) {
  if (!choice.problem.empty()) return choice.problem;
  const GamePlaces& places = choice.places;
  SetPlaces(places);
  if (!choice.installed) return "";
  struct Wanted {
    const std::string& folder;
    const char* what;
  };
  for (const Wanted& wanted : {Wanted{places.data, "your saved games"}, Wanted{places.config, "your settings"}}) {
    const std::string why = makeFolders(wanted.folder);
    if (!why.empty())
      return std::string("Cannot create the folder for ") + wanted.what + ":\n" + wanted.folder + "\n(" + why + ")";
  }
  seedChampions(places);
  if (::chdir(places.media.c_str()) != 0)
    return "Cannot open the game's folder:\n" + places.media + "\n(" + std::strerror(errno) + ")";
  return "";
}

}  // namespace tvz
