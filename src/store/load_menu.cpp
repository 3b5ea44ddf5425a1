#include "store/load_menu.h"

#include "core/pack_library.h"
#include "core/popup_box.h"
#include "core/screens.h"
#include "core/services.h"
#include "platform/application.h"
#include "store/saved_game_disk.h"

namespace tvz {

namespace {
constexpr std::int32_t kCannotOpen = 2640;

// The loaded game replaced the one in the record and its board could not be
// built: nothing is left to play, so the program ends as after any failure.
void endProgram() {
  Application& app = Application::current();
  if (Form* main = app.mainForm())
    main->Close();
  else
    app.terminate();
}
}  // namespace

TGLoadMenu::TGLoadMenu() : SavedGameScreen("GLoadMenu", "Load Game") {
  LoadLbl = panel();
  for (int i = 0; i < kSlotCount; ++i) {
    slots_[i]->onMouseDown = [this, i](Control&, MouseButton, ShiftState, int, int) { SlotMouseDown(i); };
    slots_[i]->onClick = [this, i](Control&) { SlotClick(i); };
  }
  LoadBtn = addActionButton("Load", [this] { LoadBtnClick(); }, {vk::Return, 'L'});
}

void TGLoadMenu::FormShow() {
  GameLoaded = 0;
  ListSlots();
  // The chosen game stays chosen wherever the listing has put it now.
  int again = -1;
  for (int i = 0; i < kSlotCount; ++i)
    if (!chosenFile_.empty() && files_[i] == chosenFile_) again = i;
  Highlight(again);
}

void TGLoadMenu::Highlight(int index) {
  for (Label* slot : slots_) buttons.showNormal(slot);
  chosen_ = index;
  chosenFile_ = index < 0 ? std::string() : files_[index];
  if (index >= 0) buttons.showPressed(slots_[index]);
}

void TGLoadMenu::SlotMouseDown(int index) { Highlight(files_[index].empty() ? -1 : index); }

void TGLoadMenu::SlotClick(int index) {
  if (!files_[index].empty()) playClick();
}

// The digits 1 to 6 choose a slot as pressing it does.
void TGLoadMenu::FormKeyDown(int& key, ShiftState shift) {
  if (key >= '1' && key < '1' + kSlotCount) {
    SlotMouseDown(key - '1');
    key = 0;
    return;
  }
  SavedGameScreen::FormKeyDown(key, shift);
}

void TGLoadMenu::FormKeyUp(int& key, ShiftState shift) {
  if (key >= '1' && key < '1' + kSlotCount) {
    SlotClick(key - '1');
    key = 0;
    return;
  }
  SavedGameScreen::FormKeyUp(key, shift);
}

// The running game and the file stay as they are; the screen stays for
// another choice.
void TGLoadMenu::TellPackMissing(const PackKey& key) {
  std::string text;
  for (const PackEntry& pack : Packs().packs())
    if (!pack.fileName.empty() && PackKeyFor(pack.fileName, 0).name == key.name)
      text = "The question pack \"" + pack.title +
             "\" has changed since this game was saved. The game can only be loaded with the pack as it was.";
  if (text.empty()) {
    const std::string pack = key.name.size() < kPackNameBytes
                                 ? "the question pack \"" + key.name + ".tvq\""
                                 : "a question pack whose file name begins \"" + key.name + "\"";
    text = "This game needs " + pack + ", which is not here. Put the pack back to load the game.";
  }
  if (PopupBox2) PopupBox2->Tell("Load Game", text);
}

void TGLoadMenu::LoadBtnClick() {
  if (chosen_ < 0) return;
  if (Services->Round != 0 && !Confirmed("Load Game", "Abandon the game in progress?")) return;
  const std::string shownName = slots_[chosen_]->caption();
  SavedGameImage image;
  const DiskReport report = ReadSavedGameFile(files_[chosen_], SavedGameLimits::AnyPack(*Services), image);
  if (!report.ok()) {
    Services->ReportFileError(report.message, shownName, report.location);
    // A game that cannot be opened may be another slot's mistake: the screen
    // stays for another choice. A bad file closes it; the game goes on.
    if (report.location != kCannotOpen) Close();
    return;
  }
  // The game's question pack must be here, as it was: its questions are the
  // ones the saved flags and answers point at.
  const PackKey key = PackKeyOf(image.Record);
  Packs().refresh(Services->FirstEdition);
  const PackEntry* pack = Packs().find(key);
  if (!pack) {
    TellPackMissing(key);
    return;
  }
  if (const SavedGameFault fault = CheckSavedGame(image, SavedGameLimits::Of(*Services, pack->bank)); !fault.ok()) {
    Services->ReportFileError("Error reading from file", shownName, fault.location);
    Close();
    return;
  }
  Close();
  UsePack(*Services, pack->bank, pack->key);
  ApplySavedGame(image, *Services);
  if (OnGameLoaded) OnGameLoaded();
  if (!Services->ContinueLoadedGame(BoardValuesOf(image))) {
    endProgram();
    return;
  }
  GameLoaded = 1;
}

}  // namespace tvz
