#include "store/saved_game_screen.h"

#include "core/popup_box.h"
#include "core/screens.h"
#include "store/saved_game_disk.h"

namespace tvz {

namespace {
constexpr int kWidth = 554, kHeight = 345;
constexpr int kSlotLeft = 16, kSlotTop = 56, kSlotPitch = 40, kSlotWidth = 521, kSlotHeight = 31;
constexpr int kButtonTop = 296, kButtonWidth = 257, kButtonHeight = 31;
constexpr int kCancelLeft = 16, kActionLeft = 280;
}  // namespace

SavedGameScreen::SavedGameScreen(const std::string& caption, const std::string& title)
    : DialogScreen(caption, kWidth, kHeight, title) {
  for (int i = 0; i < kSlotCount; ++i) {
    Label* slot = add<Label>(kSlotLeft, kSlotTop + kSlotPitch * i, kSlotWidth, kSlotHeight, kEmptySlot);
    slot->setAlignment(Alignment::Center);
    slot->setLayout(VerticalAlignment::Center);
    slot->setTransparent(true);
    slot->setCursor(Cursor::HandPoint);
    slots_[i] = slot;
  }
  Game1Btn = slots_[0];
  Game2Btn = slots_[1];
  Game3Btn = slots_[2];
  Game4Btn = slots_[3];
  Game5Btn = slots_[4];
  Game6Btn = slots_[5];
  CancelBtn = addButton(kCancelLeft, kButtonTop, kButtonWidth, kButtonHeight, "Cancel",
                        [this] { Close(); }, {vk::Escape});
}

Label* SavedGameScreen::addActionButton(const std::string& caption, LabelButtons::Action action,
                                        std::vector<int> keys) {
  return addButton(kActionLeft, kButtonTop, kButtonWidth, kButtonHeight, caption, std::move(action),
                   std::move(keys));
}

void SavedGameScreen::ListSlots() {
  const std::vector<SavedGameEntry> games = ListSavedGames();
  for (int i = 0; i < kSlotCount; ++i) {
    const bool filled = static_cast<std::size_t>(i) < games.size();
    files_[i] = filled ? games[i].diskName : std::string();
    slots_[i]->setCaption(filled ? games[i].shownName : kEmptySlot);
  }
}

int SavedGameScreen::slotIndexOf(const Control* control) const {
  for (int i = 0; i < kSlotCount; ++i)
    if (slots_[i] == control) return i;
  return -1;
}

bool SavedGameScreen::Confirmed(const std::string& title, const std::string& text) {
  return PopupBox && PopupBox->Ask(title, text);
}

}  // namespace tvz
