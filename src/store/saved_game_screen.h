#pragma once
// What the load and save screens share: the 554 by 345 window with its title,
// the six slots listing the saved games of the game directory, "Cancel" and
// the screen's own button beside it.
#include <array>
#include <string>

#include "core/dialog_screen.h"

namespace tvz {

class SavedGameScreen : public DialogScreen {
 public:
  static constexpr int kSlotCount = 6;
  static constexpr const char* kEmptySlot = "Empty";

  Label* Game1Btn;
  Label* Game2Btn;
  Label* Game3Btn;
  Label* Game4Btn;
  Label* Game5Btn;
  Label* Game6Btn;
  Label* CancelBtn;

  Label* slot(int index) const { return slots_[index]; }
  // The file a slot shows, as named on disk; empty for an empty slot.
  const std::string& slotFile(int index) const { return files_[index]; }

 protected:
  SavedGameScreen(const std::string& caption, const std::string& title);

  // The button beside "Cancel" ("Load" or "Save"), Enter its key.
  Label* addActionButton(const std::string& caption, LabelButtons::Action action,
                         std::vector<int> keys);
  // Fills the slots from the directory, in slot order: the first six names,
  // "Empty" in the slots after the last.
  void ListSlots();
  int slotIndexOf(const Control* control) const;

  // Asks with the Yes/No box; true only on "Yes" (no box, no going on).
  static bool Confirmed(const std::string& title, const std::string& text);

  std::array<Label*, kSlotCount> slots_;
  std::array<std::string, kSlotCount> files_;
};

}  // namespace tvz
