#include "shell/top_menu.h"


namespace tvz {

TTopMenu::TTopMenu() {
  setCaption("Top Menu");
  BuyBtn = addButton(202, 120, 396, 36, "Buy Trivenza", [this] { BuyPressed = 1; }, {'B'});
  NewGameBtn = addButton(300, 160, 200, 36, "New Game", [this] { NewGamePressed = 1; }, {'N'});
  LoadGameBtn = addButton(300, 200, 200, 36, "Load Game", [this] {
    LoadGamePressed = 1;
    if (ShowLoadScreen) ShowLoadScreen();
  }, {'L'});
  MultiplayerBtn =
      addButton(300, 240, 200, 36, "Multi-Player", [this] { MultiPlayerPressed = 1; }, {'M'});
  ChampionsBtn = addButton(300, 280, 200, 36, "Champions", [this] { ChampionsPressed = 1; }, {'C'});
  HelpBtn = addButton(300, 320, 200, 36, "Help", [this] { HelpPressed = 1; }, {'H'});
  QuitBtn = addButton(300, 360, 200, 36, "Quit", [this] { QuitPressed = 1; }, {'Q'});
}

void TTopMenu::FormShow() {
  BuyPressed = NewGamePressed = LoadGamePressed = MultiPlayerPressed = 0;
  ChampionsPressed = HelpPressed = QuitPressed = 0;
}

}  // namespace tvz
