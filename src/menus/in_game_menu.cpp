#include "menus/in_game_menu.h"

#include "core/popup_box.h"
#include "core/screens.h"
#include "core/services.h"
#include "menus/prefs_menu.h"
#include "store/load_menu.h"
#include "store/save_menu.h"

namespace tvz {

namespace {
constexpr int kWidth = 274, kHeight = 305;
constexpr int kButtonLeft = 36, kButtonWidth = 200, kButtonHeight = 36;

// Makes an owned screen, hidden, unless it is there already.
template <class Screen>
bool createOwned(Screen*& slot, std::int32_t location) {
  if (slot) return true;
  if (createForm(&slot)) return true;
  Services->ReportError(kMemoryError, location);
  return false;
}
}  // namespace

TInGameMenu::TInGameMenu() : DialogScreen("InGameMenu", kWidth, kHeight, "Menu") {
  MenuLbl = panel();
  auto button = [this](int top, const char* caption, void (TInGameMenu::*action)(), std::vector<int> keys) {
    return addButton(kButtonLeft, top, kButtonWidth, kButtonHeight, caption,
                     [this, action] { (this->*action)(); }, std::move(keys));
  };
  BackBtn = button(56, "Back to Game", &TInGameMenu::BackBtnClick, {vk::Return, vk::Escape, 'B'});
  EndBtn = button(96, "End Game", &TInGameMenu::EndBtnClick, {'E'});
  SaveBtn = button(136, "Save", &TInGameMenu::SaveBtnClick, {'S'});
  LoadBtn = button(176, "Load", &TInGameMenu::LoadBtnClick, {'L'});
  PrefsBtn = button(216, "Preferences", &TInGameMenu::PrefsBtnClick, {'P'});
  QuitBtn = button(256, "Quit", &TInGameMenu::QuitBtnClick, {'Q'});
  // The title panel is part of "Back to Game": pressing it shows that button
  // pressed, and a click on it goes back to the game.
  buttons.addProxy(MenuLbl, BackBtn);
  MenuLbl->setCursor(Cursor::HandPoint);
}

void TInGameMenu::FormCreate() {
  DialogScreen::FormCreate();
  ownedScreensMade_ = CreateOwnedScreens();
  if (!ownedScreensMade_) {
    // Without its windows the menu cannot serve the show: the program ends as
    // soon as the board looks at the results.
    QuitPressed = 1;
    Close();
  }
}

bool TInGameMenu::CreateOwnedScreens() {
  if (!createOwned(PopupBox, 1600) || !createOwned(GSaveMenu, 1610) ||
      !createOwned(GLoadMenu, 1620) || !createOwned(PrefsMenu, 1630))
    return false;
  // A game loaded from here has its own board: the menu goes with the old one.
  GLoadMenu->OnGameLoaded = [this] {
    if (visible()) Close();
  };
  return true;
}

void TInGameMenu::FormShow() {
  // A menu without its windows keeps its failure whoever shows it.
  if (!ownedScreensMade_) return;
  EndPressed = QuitPressed = 0;
}

void TInGameMenu::FormDestroy() {
  destroyForm(PrefsMenu);
  destroyForm(GLoadMenu);
  destroyForm(GSaveMenu);
  destroyForm(PopupBox);
}

void TInGameMenu::BackBtnClick() { Close(); }

void TInGameMenu::EndBtnClick() {
  if (!PopupBox->Ask("End Game", "End the game in progress?")) return;
  EndPressed = 1;
  Close();
}

void TInGameMenu::SaveBtnClick() { GSaveMenu->Show(); }

void TInGameMenu::LoadBtnClick() { GLoadMenu->Show(); }

void TInGameMenu::PrefsBtnClick() { PrefsMenu->Show(); }

void TInGameMenu::QuitBtnClick() {
  if (!PopupBox->Ask("Quit", "Do you really wish to leave Trivenza?")) return;
  QuitPressed = 1;
  Close();
}

}  // namespace tvz
