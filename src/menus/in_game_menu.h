#pragma once
// The in-game menu, opened from the game board during a show: back to the
// game, end the game, save, load, preferences, quit. While it is up the show
// is paused. It owns the four small windows it opens (the Yes/No box, the
// save, load and preferences screens): it makes them when it is made and
// releases them when it goes.
#include <cstdint>

#include "core/dialog_screen.h"

namespace tvz {

class TInGameMenu : public DialogScreen {
 public:
  TInGameMenu();

  Label* MenuLbl;
  Label* BackBtn;
  Label* EndBtn;
  Label* SaveBtn;
  Label* LoadBtn;
  Label* PrefsBtn;
  Label* QuitBtn;

  // "End Game" and "Quit" confirmed; the board reads them every frame.
  std::uint8_t EndPressed = 0;
  std::uint8_t QuitPressed = 0;

  // False when the menu could not make its windows (reported): it then
  // stays shut, with QuitPressed set, so that the board ends the program.
  bool Usable() const { return ownedScreensMade_; }

  void FormCreate() override;
  void FormShow() override;
  void FormDestroy() override;

  void BackBtnClick();
  void EndBtnClick();
  void SaveBtnClick();
  void LoadBtnClick();
  void PrefsBtnClick();
  void QuitBtnClick();

 private:
  bool CreateOwnedScreens();

  bool ownedScreensMade_ = false;
};

}  // namespace tvz
