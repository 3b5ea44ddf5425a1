#pragma once
// The program's command line: --help, --version, --windowed, --fullscreen,
// and for people who write question packs, --check-pack FILE and
// --list-packs.
#include <string>

namespace tvz {

// How this run shows the game: as last time, or as the command line asks
// (for this run only; F11 and Alt+Enter change the remembered choice).
enum class WindowRequest { Remembered, Windowed, Fullscreen };

struct CommandLine {
  enum class Action { Play, ShowHelp, ShowVersion, CheckPack, ListPacks, Refuse };
  Action action = Action::Play;
  WindowRequest window = WindowRequest::Remembered;
  std::string packFile;  // the file --check-pack checks
  std::string problem;   // why the line was refused
};

// Options may come in any order; of --windowed and --fullscreen the last
// one counts. --help, --version, --check-pack FILE and --list-packs each do
// their one thing and quit. Anything else is refused (exit status 2).
CommandLine ParseCommandLine(int argc, const char* const* argv);

// What --help and --version print.
std::string UsageText(const std::string& programName);
std::string VersionText();

// The exit status of a refused command line, as command-line tools use it.
inline constexpr int kUsageExitStatus = 2;

}  // namespace tvz
