#pragma once
// The help screen: the scrollable help text "he.mm3".
#include <cstdint>

#include "core/menu_screen.h"
#include "platform/memo.h"

namespace tvz {

class THelpMenu : public MenuScreen {
 public:
  THelpMenu();

  Label* HelpLbl;
  Label* MenuBtn;
  Label* InfoLbl;
  Memo* HelpMemo;

  std::uint8_t MenuPressed = 0;
  // The help text could not be read: reported (3800) and the screen closed
  // itself during creation.
  bool TextMissing = false;

  void FormCreate() override;  // reads the help text, colours the screen
  void FormShow() override;    // focus to the text, clears MenuPressed
  void FormKeyDown(int& key, ShiftState shift) override;
  void FormKeyUp(int& key, ShiftState shift) override;
};

}  // namespace tvz
