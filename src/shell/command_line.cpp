#include "shell/command_line.h"

#include <string_view>

#include "platform/desktop.h"

namespace tvz {

namespace {
constexpr std::string_view kCheckPackJoined = "--check-pack=";
}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
  CommandLine line;
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i] ? argv[i] : "";
    if (option == "--help" || option == "-h") {
      line.action = CommandLine::Action::ShowHelp;
      return line;
    }
    if (option == "--version") {
      line.action = CommandLine::Action::ShowVersion;
      return line;
    }
    if (option == "--list-packs") {
      line.action = CommandLine::Action::ListPacks;
      return line;
    }
    if (option == "--check-pack" || option.starts_with(kCheckPackJoined)) {
      const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
      line.packFile = option.starts_with(kCheckPackJoined) ? std::string(option.substr(kCheckPackJoined.size()))
                                                           : std::string(next ? next : "");
      line.action = line.packFile.empty() ? CommandLine::Action::Refuse : CommandLine::Action::CheckPack;
      if (line.packFile.empty()) line.problem = "option '--check-pack' needs the pack file to check";
      return line;
    }
    if (option == "--windowed") {
      line.window = WindowRequest::Windowed;
    } else if (option == "--fullscreen") {
      line.window = WindowRequest::Fullscreen;
    } else {
      line.action = CommandLine::Action::Refuse;
      line.problem = option.starts_with("-") ? "unknown option '" + std::string(option) + "'"
                                             : "unexpected argument '" + std::string(option) + "'";
      return line;
    }
  }
  return line;
}

std::string UsageText(const std::string& programName) {
  return "Usage: " + programName + " [OPTION]...\n"
         "Trivenza, a trivia game staged as a television quiz show.\n"
         "\n"
         "  --fullscreen  play full screen (as last time when neither is given)\n"
         "  --windowed    play in a window, which can be resized\n"
         "  --help        show this help and quit\n"
         "  --version     show the version and quit\n"
         "\n"
         "For question pack writers (neither opens a window):\n"
         "  --check-pack FILE  check a question pack (.tvq): every problem as\n"
         "                     FILE:LINE: message, exit status 1 if there is one\n"
         "  --list-packs       list the question packs the game finds: questions,\n"
         "                     title and file\n"
         "\n"
         "F11 or Alt+Enter switches between full screen and a window at any time;\n"
         "the game starts the same way next time.\n"
         "\n"
         "Saved games, the champions list, error.log and your question packs are\n"
         "kept in $XDG_DATA_HOME/trivenza (~/.local/share/trivenza), settings in\n"
         "$XDG_CONFIG_HOME/trivenza (~/.config/trivenza). A copy started from its\n"
         "own writable game folder keeps them all in that folder.\n";
}

std::string VersionText() { return "Trivenza " + programVersion() + "\n"; }

}  // namespace tvz
