#pragma once
// The load screen: six slots over the saved games of the game directory.
// Pressing a slot that holds a game chooses it (it stays highlighted, also
// when the screen comes back); "Load" reads the whole file, checks it, and
// only then replaces the game in the record and has a new board continue it.
#include <cstdint>
#include <functional>
#include <string>

#include "core/pack_library.h"
#include "store/saved_game_screen.h"

namespace tvz {

class TGLoadMenu : public SavedGameScreen {
 public:
  TGLoadMenu();

  Label* LoadLbl;
  Label* LoadBtn;

  // A game has been loaded and its board started since the screen was last
  // shown; read by the top menu once the screen has closed.
  std::uint8_t GameLoaded = 0;
  // What else closes when a game has been loaded (the in-game menu).
  std::function<void()> OnGameLoaded;

  // The chosen slot, -1 when none is.
  int chosenSlot() const { return chosen_; }

  void FormShow() override;
  void FormKeyDown(int& key, ShiftState shift) override;
  void FormKeyUp(int& key, ShiftState shift) override;

  void SlotMouseDown(int index);
  void SlotClick(int index);
  void LoadBtnClick();

 private:
  void Highlight(int index);
  void TellPackMissing(const PackKey& key);

  int chosen_ = -1;
  std::string chosenFile_;
};

}  // namespace tvz
