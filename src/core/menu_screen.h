#pragma once
// The common frame of the full-screen menu screens (top menu, game options,
// contestant setup, champions, help): the shared backdrop picture, the two
// colours, label buttons with accelerators, Alt+F4 swallowed, released when
// closed.
#include "core/screen_convention.h"
#include "platform/form.h"
#include "platform/picture.h"

namespace tvz {

class MenuScreen : public Form {
 public:
  MenuScreen();

  // Receives the main window's Backdrop when the sequence creates the screen.
  Picture* BkgndImg;

  // Form colour = pressed colour, form font = normal colour.
  void FormCreate() override;
  void FormKeyDown(int& key, ShiftState shift) override;
  void FormKeyUp(int& key, ShiftState shift) override;
  void FormClose(CloseAction& action) override;

 protected:
  // Adds a label button at the given place with its accelerators.
  Label* addButton(int left, int top, int width, int height, const std::string& caption,
                   LabelButtons::Action action, std::vector<int> keys = {});
  // A plain transparent text label in the form's font.
  Label* addText(int left, int top, int width, int height, const std::string& caption);

  LabelButtons buttons;
};

}  // namespace tvz
