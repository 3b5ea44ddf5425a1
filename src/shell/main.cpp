// Program entry: the command line, where the game's files are, the
// application and its window (full screen or a window, as the player last
// chose), the main window that runs the whole game from its frame timer, and
// the OK message box. The exit status is 0 unless the player was shown a
// failure (1), or the command line was refused (2). The pack writer's
// options run without a window and end with their own status.
#include <cstdio>
#include <iostream>
#include <string>

#include "core/places_policy.h"
#include "core/popup_box.h"
#include "core/settings.h"
#include "platform/application.h"
#include "platform/desktop.h"
#include "platform/text.h"
#include "shell/command_line.h"
#include "shell/main_window.h"
#include "shell/pack_commands.h"

namespace {

constexpr const char* kWindowSetting = "window";
constexpr const char* kWindowed = "windowed";
constexpr const char* kFullscreen = "fullscreen";

// Every text of the game is drawn in these two faces; without them the
// screens would come up blank, so the program says so and does not start.
bool gameFontsPresent() {
  for (const char* family : {"Times New Roman", "Courier"}) {
    std::string error;
    if (!tvz::openFont({family, 16}, &error)) {
      tvz::showErrorBox(tvz::applicationTitle(), error);
      return false;
    }
  }
  return true;
}

bool startsWindowed(tvz::WindowRequest request) {
  switch (request) {
    case tvz::WindowRequest::Windowed: return true;
    case tvz::WindowRequest::Fullscreen: return false;
    case tvz::WindowRequest::Remembered: break;
  }
  return tvz::Setting(kWindowSetting) == kWindowed;
}

// The game itself, until the player quits or a failure ends it. The
// application goes before this returns: the main window's end shows the
// last failure, if any.
void play(const tvz::CommandLine& line) {
  tvz::Application app;
  tvz::ApplicationOptions options;
  options.windowed = startsWindowed(line.window);
  app.onFullscreenToggled = [](bool fullscreen) {
    tvz::SetSetting(kWindowSetting, fullscreen ? kFullscreen : kWindowed);
  };
  tvz::VideoInitError error;
  if (!app.init(options, &error)) tvz::SetDisplayFailure(error);
  else if (!gameFontsPresent()) return;

  if (!tvz::createForm(&tvz::TvzMain)) {
    tvz::showErrorBox(tvz::applicationTitle(), "Insufficent memory or resources available");
    return;
  }
  if (!tvz::TvzMain->MainWindowClosed()) {
    tvz::TvzMain->Show();
    tvz::createForm(&tvz::PopupBox2);
  }
  app.run();
}

std::string programName(const char* argv0) {
  const std::string path = argv0 ? argv0 : "";
  const std::string name = path.substr(path.find_last_of('/') + 1);
  return name.empty() ? "trivenza" : name;
}

// The packs where the game would look for them, without making the
// player's folders (listing writes nothing).
int listPacks(const std::string& name) {
  const tvz::PlacesChoice choice = tvz::ChoosePlaces(tvz::CurrentStartFacts());
  if (!choice.problem.empty()) {
    std::fprintf(stderr, "%s: %s\n", name.c_str(), choice.problem.c_str());
    return 1;
  }
  tvz::SetPlaces(choice.places);
  return tvz::ListPacksCommand(std::cout);
}

}  // namespace

int main(int argc, char** argv) {
  const tvz::CommandLine line = tvz::ParseCommandLine(argc, argv);
  const std::string name = programName(argc > 0 ? argv[0] : nullptr);
  switch (line.action) {
    case tvz::CommandLine::Action::ShowHelp:
      std::fputs(tvz::UsageText(name).c_str(), stdout);
      return 0;
    case tvz::CommandLine::Action::ShowVersion:
      std::fputs(tvz::VersionText().c_str(), stdout);
      return 0;
    case tvz::CommandLine::Action::Refuse:
      std::fprintf(stderr, "%s: %s\nTry '%s --help' for the options.\n", name.c_str(), line.problem.c_str(),
                   name.c_str());
      return tvz::kUsageExitStatus;
    case tvz::CommandLine::Action::CheckPack:
      return tvz::CheckPackCommand(line.packFile, std::cout);
    case tvz::CommandLine::Action::ListPacks:
      return listPacks(name);
    case tvz::CommandLine::Action::Play: break;
  }

  tvz::setApplicationTitle("Trivenza");
  const std::string problem = tvz::PreparePlaces(tvz::ChoosePlaces(tvz::CurrentStartFacts()));
  if (!problem.empty()) {
    tvz::showErrorBox(tvz::applicationTitle(), problem);
    return 1;
  }
  play(line);
  return tvz::errorBoxesShown() > 0 ? 1 : 0;
}
