#pragma once
// The save screen: six slots over the saved games of the game directory. A
// click on a slot opens an edit box over it with the slot's name; "Save"
// writes the game under the name in the open box, or into slot 1 when none
// is open. An empty slot gets the default name.
#include <array>
#include <ctime>
#include <functional>

#include "platform/edit.h"
#include "store/saved_game_screen.h"

namespace tvz {

class TGSaveMenu : public SavedGameScreen {
 public:
  static constexpr int kNameLength = 25;

  TGSaveMenu();

  Label* SaveLbl;
  Edit* Game1Edit;
  Edit* Game2Edit;
  Edit* Game3Edit;
  Edit* Game4Edit;
  Edit* Game5Edit;
  Edit* Game6Edit;
  Label* SaveBtn;

  // The date of default names (today, unless a test says otherwise).
  std::function<std::tm()> Date;

  Edit* edit(int index) const { return edits_[index]; }

  void FormCreate() override;
  void FormShow() override;
  void FormHide() override;

  void SlotClick(int index);
  void SaveBtnClick();

 private:
  // The slot whose edit box is open, -1 when none is.
  int OpenSlot() const;
  void HideEdits();
  void PutNameInBox(int index);
  // Works out the file from the chosen slot; false when the name is refused
  // (reported).
  bool ChooseFile(std::string& diskName, std::string& shownName);

  std::array<Edit*, kSlotCount> edits_;
};

}  // namespace tvz
