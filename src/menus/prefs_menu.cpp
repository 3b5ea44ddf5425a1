#include "menus/prefs_menu.h"

#include "core/services.h"
#include "platform/application.h"

namespace tvz {

namespace {
constexpr int kWidth = 274, kHeight = 345;
constexpr const char* kTooltips = "Tooltips";
constexpr const char* kSound = "Sound";
constexpr const char* kCaptions = "Captions";
constexpr const char* kAudienceTexts[] = {"Difficult", "General", "Lively"};
}  // namespace

TPrefsMenu::TPrefsMenu() : DialogScreen("PrefsMenu", kWidth, kHeight, "Preferences") {
  PrefsLbl = panel();
  TooltipsChk = addOption(16, 56, 241, 31, checkCaption(kTooltips, false));
  SoundChk = addOption(16, 88, 241, 31, checkCaption(kSound, false));
  CaptionsChk = addOption(16, 120, 241, 31, checkCaption(kCaptions, false));
  AudienceLbl = addOption(16, 160, 241, 31, "Audience:");
  DifficultRbtn = addOption(24, 192, 233, 31, optionCaption(kAudienceTexts[0], false));
  GeneralRbtn = addOption(24, 224, 233, 31, optionCaption(kAudienceTexts[1], false));
  LivelyRbtn = addOption(24, 256, 233, 31, optionCaption(kAudienceTexts[2], false));
  OkBtn = add<Label>(16, 296, 113, 31, "Ok");
  CancelBtn = add<Label>(144, 296, 113, 31, "Cancel");
  addSilentButton(OkBtn, &TPrefsMenu::OkBtnClick);
  addSilentButton(CancelBtn, &TPrefsMenu::CancelBtnClick);

  for (Label* check : {TooltipsChk, SoundChk, CaptionsChk}) {
    check->setCursor(Cursor::HandPoint);
    check->onClick = [this, check](Control&) { Swap(check); };
  }
  Label* audience[] = {DifficultRbtn, GeneralRbtn, LivelyRbtn};
  for (int mood = 0; mood < 3; ++mood) {
    audience[mood]->setCursor(Cursor::HandPoint);
    audience[mood]->onClick = [this, mood](Control&) { ChooseAudience(mood); };
  }
}

void TPrefsMenu::addSilentButton(Label* button, void (TPrefsMenu::*action)()) {
  buttons.add(button, nullptr);
  button->onClick = [this, button, action](Control&) {
    buttons.showNormal(button);
    (this->*action)();
  };
}

void TPrefsMenu::FormShow() {
  const TvzServices& record = *Services;
  setCheck(TooltipsChk, kTooltips, record.TooltipsOn);
  setCheck(SoundChk, kSound, record.SoundOn);
  setCheck(CaptionsChk, kCaptions, record.CaptionsOn);
  Label* audience[] = {DifficultRbtn, GeneralRbtn, LivelyRbtn};
  for (int mood = 0; mood < 3; ++mood)
    setOption(audience[mood], kAudienceTexts[mood], record.AudienceMood == mood);
}

void TPrefsMenu::Swap(Label* check) {
  playClick();
  setCheck(check, unmarkedText(check), !isMarked(check));
}

void TPrefsMenu::ChooseAudience(int mood) {
  playClick();
  Label* audience[] = {DifficultRbtn, GeneralRbtn, LivelyRbtn};
  for (int i = 0; i < 3; ++i) setOption(audience[i], kAudienceTexts[i], i == mood);
}

int TPrefsMenu::MarkedAudience() const {
  if (isMarked(LivelyRbtn)) return 2;
  if (isMarked(GeneralRbtn)) return 1;
  return 0;
}

void TPrefsMenu::OkBtnClick() {
  TvzServices& record = *Services;
  record.TooltipsOn = isMarked(TooltipsChk) ? 1 : 0;
  Application::current().setShowHints(record.TooltipsOn != 0);
  record.SoundOn = isMarked(SoundChk) ? 1 : 0;
  record.CaptionsOn = isMarked(CaptionsChk) ? 1 : 0;
  record.AudienceMood = MarkedAudience();
  Close();
}

void TPrefsMenu::CancelBtnClick() { Close(); }

// Enter and Esc press "Ok" and "Cancel"; the letters act on release only.
void TPrefsMenu::FormKeyDown(int& key, ShiftState shift) {
  if (swallowAltF4(key, shift)) return;
  if (key == vk::Return) buttons.showPressed(OkBtn);
  if (key == vk::Escape) buttons.showPressed(CancelBtn);
}

void TPrefsMenu::FormKeyUp(int& key, ShiftState) {
  switch (key) {
    case vk::Return: OkBtn->onClick(*OkBtn); break;
    case vk::Escape: CancelBtn->onClick(*CancelBtn); break;
    case 'T': Swap(TooltipsChk); break;
    case 'S': Swap(SoundChk); break;
    case 'C': Swap(CaptionsChk); break;
    case 'A': ChooseAudience((MarkedAudience() + 1) % 3); break;
    default: return;
  }
  key = 0;
}

}  // namespace tvz
