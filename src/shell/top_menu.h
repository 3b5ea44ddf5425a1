#pragma once
// The top menu: the program's main menu. Every entry but "Load Game" only
// records the choice in a result flag that the main window's sequence reads.
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

  // What "Load Game" opens modally; the saved-games screens plug in here.
  std::function<void()> ShowLoadScreen;

  void FormShow() override;  // clears the seven flags
};

}  // namespace tvz
