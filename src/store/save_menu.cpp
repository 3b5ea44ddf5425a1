#include "store/save_menu.h"

#include <algorithm>

#include "core/contestant_names.h"
#include "core/question_history.h"
#include "core/services.h"
#include "store/saved_game_disk.h"
#include "store/saved_game_names.h"

namespace tvz {

namespace {
constexpr std::int32_t kNameRefused = 2500;
constexpr int kEditHeight = 39;
}  // namespace

TGSaveMenu::TGSaveMenu() : SavedGameScreen("GSaveMenu", "Save Game"), Date(Today) {
  SaveLbl = panel();
  for (int i = 0; i < kSlotCount; ++i) {
    Label* slot = slots_[i];
    buttons.add(slot, [this, i] { SlotClick(i); });
    Edit* box = add<Edit>(slot->left(), slot->top(), slot->width(), kEditHeight);
    box->hide();
    box->setBorder(false);
    box->setAlignment(Alignment::Center);
    box->setMaxLength(kNameLength);
    edits_[i] = box;
  }
  Game1Edit = edits_[0];
  Game2Edit = edits_[1];
  Game3Edit = edits_[2];
  Game4Edit = edits_[3];
  Game5Edit = edits_[4];
  Game6Edit = edits_[5];
  SaveBtn = addActionButton("Save", [this] { SaveBtnClick(); }, {vk::Return});
}

void TGSaveMenu::FormCreate() {
  SavedGameScreen::FormCreate();
  for (Edit* box : edits_) {
    box->setColor(kPressedColour);
    box->setFontColor(kNormalColour);
  }
}

void TGSaveMenu::FormShow() {
  ListSlots();
  for (int i = 0; i < kSlotCount; ++i) PutNameInBox(i);
}

void TGSaveMenu::FormHide() { HideEdits(); }

void TGSaveMenu::HideEdits() {
  for (Edit* box : edits_) box->hide();
  SetFocus(nullptr);
}

int TGSaveMenu::OpenSlot() const {
  for (int i = 0; i < kSlotCount; ++i)
    if (edits_[i]->visible()) return i;
  return -1;
}

void TGSaveMenu::PutNameInBox(int index) {
  Edit* box = edits_[index];
  // A listed name longer than a typed one may be stays whole.
  const std::string& name = slots_[index]->caption();
  box->setMaxLength(std::max<int>(kNameLength, static_cast<int>(name.size())));
  box->setText(name);
}

void TGSaveMenu::SlotClick(int index) {
  HideEdits();
  PutNameInBox(index);
  Edit* box = edits_[index];
  box->show();
  box->selectAll();
  SetFocus(box);
}

bool TGSaveMenu::ChooseFile(std::string& diskName, std::string& shownName) {
  const int open = OpenSlot();
  const int slot = open < 0 ? 0 : open;
  const std::string text = open < 0 ? slots_[0]->caption() : edits_[open]->text();
  if (!files_[slot].empty() && text == slots_[slot]->caption()) {
    // The slot's own game, by its name on disk.
    diskName = files_[slot];
    shownName = text;
    return true;
  }
  auto refuse = [](const std::string& name) {
    Services->ReportFileError("Unable to create file", name, kNameRefused);
    return false;
  };
  if (text.empty() || text == kEmptySlot) {
    const ContestantRecord& first = Services->Contestants[0];
    shownName = DefaultSaveName(FirstName(*Services, first), Date());
  } else if (!IsSafeSaveName(text)) {
    // Checked as typed too: "." and ".." would pass once the extension is on.
    return refuse(text);
  } else {
    shownName = WithSaveExtension(text);
  }
  if (!IsSafeSaveName(shownName)) return refuse(shownName);
  diskName = DiskName(shownName);
  return true;
}

void TGSaveMenu::SaveBtnClick() {
  std::string diskName, shownName;
  if (!ChooseFile(diskName, shownName)) {
    Close();
    return;
  }
  if (SaveNameTaken(diskName) &&
      !Confirmed("Save Game", "File already exists, overwrite it anyway?")) {
    Close();
    return;
  }
  const BoardValues board =
      Services->CurrentBoardValues ? Services->CurrentBoardValues() : BoardValues{};
  const DiskReport report = WriteSavedGameFile(diskName, MakeSavedGame(*Services, board));
  if (!report.ok())
    Services->ReportFileError(report.message, shownName, report.location);
  else
    RememberAsked(*Services);  // a saved show's questions are not asked afresh in the next one
  Close();
}

}  // namespace tvz
