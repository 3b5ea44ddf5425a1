#include "shell/top_menu.h"

#include "menus/in_game_menu.h"
#include "shell/main_window.h"
#include "store/load_menu.h"

namespace tvz {

namespace {
constexpr std::int32_t kInGameMenuFailed = 2720;

void endProgram() {
  if (TvzMain) TvzMain->Close();
}
}  // namespace

TTopMenu::TTopMenu() {
  setCaption("Top Menu");
  BuyBtn = addButton(202, 120, 396, 36, "Buy Trivenza", [this] { BuyPressed = 1; }, {'B'});
  NewGameBtn = addButton(300, 160, 200, 36, "New Game", [this] { NewGamePressed = 1; }, {'N'});
  LoadGameBtn = addButton(300, 200, 200, 36, "Load Game", [this] { LoadGameBtnClick(); }, {'L'});
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

namespace tvz {

void TTopMenu::LoadGameBtnClick() {
  // The in-game menu owns the load screen; before any show it is made here.
  if (!InGameMenu && !createForm(&InGameMenu)) {
    Services->ReportError(kMemoryError, kInGameMenuFailed);
    endProgram();
    return;
  }
  // The in-game menu could not make its screens (it has said so).
  if (!GLoadMenu) {
    endProgram();
    return;
  }
  GLoadMenu->ShowModal();
  // Decided only now that the load screen has closed: the frame ticks kept
  // running while it was up, and the sequence must not act on a choice the
  // player has not made yet. After a cancel the menu simply goes on.
  LoadGamePressed = GLoadMenu && GLoadMenu->GameLoaded ? 1 : 0;
}

}  // namespace tvz
