// Program entry: the application and its window, the main window that runs
// the whole game from its frame timer, and the OK message box.
#include "app/main_window.h"
#include "app/popup_box.h"
#include "platform/application.h"
#include "platform/desktop.h"

int main() {
  tvz::setApplicationTitle("Trivenza");
  tvz::Application app;
  tvz::VideoInitError error;
  if (!app.init({}, &error)) tvz::SetDisplayFailure(error);

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
