// Program entry: the application and its window, the main window that runs
// the whole game from its frame timer, and the OK message box.
#include "core/popup_box.h"
#include "platform/application.h"
#include "platform/desktop.h"
#include "platform/text.h"
#include "shell/main_window.h"

namespace {

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

}  // namespace

int main() {
  tvz::setApplicationTitle("Trivenza");
  tvz::Application app;
  tvz::VideoInitError error;
  if (!app.init({}, &error)) tvz::SetDisplayFailure(error);
  else if (!gameFontsPresent()) return 1;

  if (!tvz::createForm(&tvz::TvzMain)) {
    tvz::showErrorBox(tvz::applicationTitle(), "Insufficent memory or resources available");
    return 1;
  }
  if (!tvz::TvzMain->MainWindowClosed()) {
    tvz::TvzMain->Show();
    tvz::createForm(&tvz::PopupBox2);
  }
  app.run();
  return 0;
}
