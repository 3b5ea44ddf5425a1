#include "scenes/contestant_card.h"

#include "core/screen_convention.h"
#include "core/screens.h"
#include "core/services.h"
#include "scenes/camera2a.h"
#include "scenes/camera2b.h"
#include "scenes/camera2c.h"
#include "scenes/card_captions.h"

namespace tvz {

ContestantCard::ContestantCard(std::int32_t contestant, const char* designCaption,
                               bool showsNameWithoutCaptions)
    : contestant_(contestant), showsNameWithoutCaptions_(showsNameWithoutCaptions) {
  fillScreen();
  setColor(rgb(0, 0, 0));
  setFont({"Times New Roman", 24});
  setKeyPreview(true);
  BkgndImg = add<Picture>(0, 0, 800, 600);
  CCLbl = add<Label>(16, 536, 769, 35, designCaption);
  CCLbl->setAlignment(Alignment::Center);
  CCLbl->setLayout(VerticalAlignment::Center);
  BkgndImg->onClick = [this](Control&) { BkgndImgClick(); };
  CCLbl->onClick = [this](Control&) { BkgndImgClick(); };
}

bool ContestantCard::LoadPictures() {
  const ContestantRecord& who = Services->Contestants[contestant_];
  const std::string file = "cam2x" + std::to_string(who.Appearance) + ".mm1";
  Bitmap picture;
  if (!Services->LoadPicture(file, picture)) {
    Close();
    return false;
  }
  BkgndImg->setBitmap(std::move(picture));
  return true;
}

void ContestantCard::FormShow() {
  const ContestantRecord& who = Services->Contestants[contestant_];
  if (!Services->CaptionsOn) CCLbl->hide();
  if (InOpening()) {
    CCLbl->setCaption(FirstOpeningLine(*Services, who));
    return;
  }
  // In the game the card tells the players whose turn it is, captions or not.
  CCLbl->setCaption(NameLine(*Services, who) + kClickToContinue);
  CCLbl->show();
}

void ContestantCard::AdvanceCaption() {
  const ContestantRecord& who = Services->Contestants[contestant_];
  const std::string& shown = CCLbl->caption();
  if (shown == kChampionLine) {
    CCLbl->setCaption(OccupationLine(*Services, who));
  } else if (shown == OccupationLine(*Services, who)) {
    CCLbl->setCaption(NameLine(*Services, who));
    if (showsNameWithoutCaptions_) CCLbl->show();
  }
}

CardLine ContestantCard::ShownLine() const {
  const ContestantRecord& who = Services->Contestants[contestant_];
  const std::string& shown = CCLbl->caption();
  if (shown == kChampionLine) return CardLine::Champion;
  if (shown == OccupationLine(*Services, who)) return CardLine::Occupation;
  if (shown == NameLine(*Services, who)) return CardLine::Name;
  return CardLine::Other;
}

void ContestantCard::FormKeyDown(int& key, ShiftState shift) { swallowAltF4(key, shift); }

void ContestantCard::FormKeyUp(int& key, ShiftState) {
  if (InOpening()) return;
  key = 0;  // the key dismissed the card; the scene below does not see it
  Close();
}

void ContestantCard::FormMouseUp(MouseButton, ShiftState, int, int) {
  if (!InOpening()) Close();
}

void ContestantCard::BkgndImgClick() {
  if (!InOpening()) Close();
}

void ContestantCard::FormClose(CloseAction& action) { action = CloseAction::Free; }

bool ContestantCard::InOpening() const { return Services->OpeningPhase != 0; }

bool AnyContestantCard() { return Camera2a || Camera2b || Camera2c; }

ContestantCard* ContestantCardOf(std::int32_t contestant) {
  switch (contestant) {
    case 0: return Camera2a;
    case 1: return Camera2b;
    case 2: return Camera2c;
    default: return nullptr;
  }
}

}  // namespace tvz
