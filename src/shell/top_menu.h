#pragma once
// The top menu: the program's main menu. Every entry records the choice in a
// result flag that the main window's sequence reads; "Load Game" first runs
// the load screen.
#include <cstdint>

#include "core/menu_screen.h"

namespace tvz {

class TTopMenu : public MenuScreen {
 public:
  TTopMenu();

  Label* BuyBtn;
  Label* NewGameBtn;
  Label* LoadGameBtn;
  Label* MultiplayerBtn;
  Label* ChampionsBtn;
  Label* HelpBtn;
  Label* QuitBtn;

  std::uint8_t BuyPressed = 0;
  std::uint8_t NewGamePressed = 0;
  std::uint8_t LoadGamePressed = 0;
  std::uint8_t MultiPlayerPressed = 0;
  std::uint8_t ChampionsPressed = 0;
  std::uint8_t HelpPressed = 0;
  std::uint8_t QuitPressed = 0;

  void FormShow() override;  // clears the seven flags

  // Shows the load screen and waits for it; LoadGamePressed is set only when
  // a game was loaded, for the sequence to leave the menus on its next tick.
  void LoadGameBtnClick();
};

}  // namespace tvz
