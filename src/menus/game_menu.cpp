#include "menus/game_menu.h"

#include <array>

#include "core/services.h"

namespace tvz {

namespace {
constexpr std::array<int, 3> kRoundValues = {1, 2, 3};
constexpr std::array<int, 4> kTimeValues = {0, 30, 20, 10};  // in the order shown
const char* const kRoundTexts[] = {"1", "2", "3"};
const char* const kTimeTexts[] = {"Unlimited", "30 sec.", "20 sec.", "10 sec."};
constexpr const char* kChallengerText = "Challenger may answer";
constexpr const char* kDeductText = "Deduct points for incorrect answers";
constexpr const char* kMultiplyText = "Multiply question value by round";
constexpr const char* kHarderText = "Harder questions each round";

Label* addOption(Form& form, int left, int top, const std::string& caption) {
  Label* label = form.add<Label>(left, top, 10, 27, caption);
  label->setTransparent(true);
  label->setAutoSize(true);
  label->setCursor(Cursor::HandPoint);
  return label;
}
}  // namespace

TGameMenu::TGameMenu() {
  setCaption("Game Menu");
  setFontHeight(24);
  GameLbl = addText(250, 88, 300, 36, "Game Options");
  GameLbl->setAlignment(Alignment::Center);
  GameLbl->setFontHeight(32);
  RoundsLbl = addText(80, 136, 300, 27, "Rounds:");
  OneRbtn = addOption(*this, 112, 168, optionCaption(kRoundTexts[0], false));
  TwoRbtn = addOption(*this, 184, 168, optionCaption(kRoundTexts[1], false));
  ThreeRbtn = addOption(*this, 256, 168, optionCaption(kRoundTexts[2], false));
  TimeLbl = addText(80, 208, 300, 27, "Time to Answer:");
  UnlimitedRbtn = addOption(*this, 112, 240, optionCaption(kTimeTexts[0], false));
  ThirtyRbtn = addOption(*this, 272, 240, optionCaption(kTimeTexts[1], false));
  TwentyRbtn = addOption(*this, 400, 240, optionCaption(kTimeTexts[2], false));
  TenRbtn = addOption(*this, 528, 240, optionCaption(kTimeTexts[3], false));
  OptionalLbl = addText(80, 280, 300, 27, "Optional Rules:");
  ChallengerChk = addOption(*this, 112, 312, checkCaption(kChallengerText, false));
  DeductChk = addOption(*this, 112, 344, checkCaption(kDeductText, false));
  MultiplyChk = addOption(*this, 112, 376, checkCaption(kMultiplyText, false));
  HarderChk = addOption(*this, 112, 408, checkCaption(kHarderText, false));
  CancelBtn = addButton(80, 480, 120, 27, "Cancel", [this] { CancelPressed = 1; }, {vk::Escape});
  NextBtn = addButton(600, 480, 120, 27, "Next >", [this] { NextPressed = 1; },
                      {'N', vk::Delete, 62});

  Label* rounds[] = {OneRbtn, TwoRbtn, ThreeRbtn};
  for (int i = 0; i < 3; ++i)
    rounds[i]->onClick = [this, i](Control&) { ChooseRounds(kRoundValues[i]); };
  Label* times[] = {UnlimitedRbtn, ThirtyRbtn, TwentyRbtn, TenRbtn};
  for (int i = 0; i < 4; ++i)
    times[i]->onClick = [this, i](Control&) { ChooseTime(kTimeValues[i]); };
  ChallengerChk->onClick = [this](Control&) { ToggleRule(ChallengerChk); };
  DeductChk->onClick = [this](Control&) { ToggleRule(DeductChk); };
  MultiplyChk->onClick = [this](Control&) { ToggleRule(MultiplyChk); };
  HarderChk->onClick = [this](Control&) { ToggleRule(HarderChk); };
}

void TGameMenu::FormCreate() {
  MenuScreen::FormCreate();
  GameLbl->setFontColor(kNormalColour);
  NextPressed = CancelPressed = 0;
}

void TGameMenu::FormShow() {
  ShowRounds();
  ShowTime();
  setCheck(ChallengerChk, kChallengerText, Services->ChallengerMayAnswer);
  setCheck(DeductChk, kDeductText, Services->DeductIncorrect);
  setCheck(MultiplyChk, kMultiplyText, Services->MultiplyByRound);
  setCheck(HarderChk, kHarderText, Services->HarderEachRound);
  NextPressed = CancelPressed = 0;
}

void TGameMenu::ShowRounds() {
  Label* rounds[] = {OneRbtn, TwoRbtn, ThreeRbtn};
  for (int i = 0; i < 3; ++i)
    setOption(rounds[i], kRoundTexts[i], Services->RoundCount == kRoundValues[i]);
  const bool severalRounds = Services->RoundCount != 1;
  MultiplyChk->setVisible(severalRounds);
  HarderChk->setVisible(severalRounds);
}

void TGameMenu::ShowTime() {
  Label* times[] = {UnlimitedRbtn, ThirtyRbtn, TwentyRbtn, TenRbtn};
  for (int i = 0; i < 4; ++i)
    setOption(times[i], kTimeTexts[i], Services->TimeLimit == kTimeValues[i]);
}

void TGameMenu::ChooseRounds(int rounds) {
  playClick();
  Services->RoundCount = rounds;
  if (rounds == 1) {
    // With one round the round-dependent rules do not apply.
    Services->MultiplyByRound = 0;
    Services->HarderEachRound = 0;
    setCheck(MultiplyChk, kMultiplyText, false);
    setCheck(HarderChk, kHarderText, false);
  }
  ShowRounds();
}

void TGameMenu::ChooseTime(int seconds) {
  playClick();
  Services->TimeLimit = seconds;
  ShowTime();
}

void TGameMenu::ToggleRule(Label* rule) {
  if (!rule->visible()) return;  // hidden rules neither sound nor change
  playClick();
  std::uint8_t* flag = rule == ChallengerChk ? &Services->ChallengerMayAnswer
                       : rule == DeductChk   ? &Services->DeductIncorrect
                       : rule == MultiplyChk ? &Services->MultiplyByRound
                                             : &Services->HarderEachRound;
  *flag = *flag ? 0 : 1;
  setCheck(rule, unmarkedText(rule), *flag);
}

void TGameMenu::FormKeyUp(int& key, ShiftState shift) {
  switch (key) {
    case 'C': ToggleRule(ChallengerChk); break;
    case 'D': ToggleRule(DeductChk); break;
    case 'H': ToggleRule(HarderChk); break;
    case 'M': ToggleRule(MultiplyChk); break;
    case 'R': ChooseRounds(Services->RoundCount % 3 + 1); break;
    case 'T': {
      // Unlimited -> 30 -> 20 -> 10 -> Unlimited.
      int next = 0;
      for (std::size_t i = 0; i < kTimeValues.size(); ++i)
        if (kTimeValues[i] == Services->TimeLimit) next = kTimeValues[(i + 1) % kTimeValues.size()];
      ChooseTime(next);
      break;
    }
    default: MenuScreen::FormKeyUp(key, shift); return;
  }
  key = 0;
}

}  // namespace tvz
