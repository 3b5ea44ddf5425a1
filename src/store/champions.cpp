#include "store/champions.h"

#include <filesystem>

#include "core/contestant_names.h"
#include "core/file_writer.h"
#include "core/media.h"
#include "core/places.h"
#include "core/places_policy.h"
#include "core/services.h"
#include "store/champion_list.h"

namespace tvz {

namespace {
constexpr const char* kChampionsFile = kChampionsFileName;  // in the data folder
constexpr std::int32_t kUnreadableLocation = 3920;
constexpr std::int32_t kWriteLocation = 3930;

bool isMenuKey(int key) { return key == vk::Escape || key == vk::Snapshot || key == 'M'; }

ChampionIdentity identityOf(const ContestantRecord& who) {
  return {who.Score, FullName(*Services, who), Residence(*Services, who), who.Appearance};
}
}  // namespace

TChampions::TChampions() {
  setCaption("Champions");
  setFontHeight(24);
  ChampsLbl = addText(250, 88, 300, 36, "Champions");
  ChampsLbl->setAlignment(Alignment::Center);
  ChampsLbl->setFontHeight(32);
  ChampsMemo = add<Memo>(104, 136, 593, 321);
  ChampsMemo->setBorder(false);
  ChampsMemo->setWordWrap(false);
  ChampsMemo->setTabStop(false);
  ChampsMemo->setFont({"Courier", 16});
  MenuBtn = addButton(80, 480, 120, 27, "< Menu", [this] { MenuPressed = 1; });
  InfoLbl = addText(376, 480, 327, 27, "Use up/down arrow keys to scroll.");
  InfoLbl->setAutoSize(true);  // the whole hint, full stop included
}

void TChampions::FormCreate() {
  LoadChampions();
  RefreshDisplay();
  setColor(kPressedColour);
  setFontColor(kNormalColour);
  ChampsLbl->setFontColor(kNormalColour);
  ChampsMemo->setColor(kPressedColour);
  ChampsMemo->setFontColor(kNormalColour);
  InfoLbl->setColor(kPressedColour);  // the hint stays transparent, as on the help screen
  InfoLbl->setFontColor(kNormalColour);
}

// A missing file starts the list from the built-in champions. A file that is
// there but cannot be read is reported and left alone: the list stays empty
// and is never saved over it, so no champion is lost.
void TChampions::LoadChampions() {
  std::error_code ec;
  const std::string path = InData(kChampionsFile);
  if (!std::filesystem::exists(path, ec) && !ec) {
    ChampionList = BuiltInChampions();
    return;
  }
  std::vector<std::uint8_t> bytes;
  if (ec || !ReadWholeFile(path, bytes)) {
    FileUnreadable = true;
    Services->ReportFileError("Error reading from file", kChampionsFile, kUnreadableLocation);
    return;
  }
  ChampionList = DecodeChampionsFile(std::move(bytes));
}

void TChampions::RefreshDisplay() {
  SortEntries(ChampionList);
  ChampsMemo->setLines(DisplayLines(ChampionList));
}

void TChampions::SaveChampions() {
  if (FileUnreadable) return;
  // The list is replaced in one step once the new one is safely on disk, so
  // a failed write (a full disk) never loses the old list.
  if (!ReplaceFile(InData(kChampionsFile), EncodeChampionsFile(ChampionList)))
    Services->ReportFileError("Error writing to file", kChampionsFile, kWriteLocation);
}

void TChampions::AddChampion(const ContestantRecord& record) {
  const std::string entry = FormatEntry(identityOf(record)) + "+";
  ChampionList.push_back(entry);
  RefreshDisplay();
  SaveChampions();
  // The caret goes to the new champion's line (the list shows best first).
  const std::string shown = entry.substr(0, entry.find('='));
  const auto& lines = ChampsMemo->lines();
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i] == shown) ChampsMemo->setCaretLine(static_cast<int>(i));
}

void TChampions::RetireChampion(const ContestantRecord& record) {
  if (RetireEntries(ChampionList, ChampionKey(identityOf(record)))) SaveChampions();
}

bool TChampions::IsChampion(const ContestantRecord& record) const {
  return HasCurrentChampion(ChampionList, ChampionKey(identityOf(record)));
}

void TChampions::ResetChampions() {
  playClick();
  ChampionList = BuiltInChampions();
  RefreshDisplay();
  // Resetting is the player's explicit choice: it may replace even a file
  // that could not be read.
  FileUnreadable = false;
  SaveChampions();
}

void TChampions::FormShow() {
  SetFocus(ChampsMemo);
  MenuPressed = 0;
}

void TChampions::FormKeyDown(int& key, ShiftState shift) {
  if (swallowAltF4(key, shift)) return;
  if (isMenuKey(key)) {
    buttons.showPressed(MenuBtn);
    key = 0;
  }
}

void TChampions::FormKeyUp(int& key, ShiftState shift) {
  if (isMenuKey(key)) {
    buttons.click(MenuBtn);
    key = 0;
  } else if (key == 'R' && shift.ctrl) {
    ResetChampions();
    key = 0;
  }
}

}  // namespace tvz
