#include "menus/game_menu.h"

#include <array>
#include <cstring>

#include "core/pack_library.h"
#include "core/question_history.h"
#include "core/services.h"
#include "core/settings.h"
#include "platform/text.h"

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
constexpr const char* kPackSetting = "pack";
constexpr int kPackLeft = 224;
constexpr int kPackWidth = 496;  // to the right edge of "Next >"

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
  QuestionsLbl = addText(80, 444, 140, 27, "Questions:");
  PackLbl = addOption(*this, kPackLeft, 444, "");
  PackLbl->onClick = [this](Control&) { StepPack(1); };
  PackProblemLbl = addText(80, 538, 640, 50, "");
  PackProblemLbl->setFontHeight(18);
  PackProblemLbl->setWordWrap(true);
  CancelBtn = addButton(80, 480, 120, 27, "Cancel", [this] { CancelPressed = 1; }, {vk::Escape});
  NextBtn = addButton(600, 480, 120, 27, "Next >", [this] { TakeNext(); }, {'N', vk::Delete, 62});

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
  Packs().refresh(Services->FirstEdition);
  ChosenPack = std::max(0, Packs().indexOf(Setting(kPackSetting)));
  ShowPack();
  NextPressed = CancelPressed = 0;
}

// The title is cut short to fit beside its heading; the number of questions
// (or "cannot be played") always shows.
void TGameMenu::ShowPack() {
  const PackEntry& pack = Packs().packs()[ChosenPack];
  std::string caption = pack.caption();
  const FontSpec font = PackLbl->font();
  for (std::string title = pack.title; textWidth(font, caption) > kPackWidth && !title.empty();) {
    title.pop_back();
    caption = pack.captionWith(title + "...");
  }
  PackLbl->setCaption(caption);
  PackProblemLbl->setCaption(pack.playable() ? std::string()
                                             : "Cannot be played: " + Describe(pack.problems.front()));
  NextBtn->setVisible(pack.playable());
}

void TGameMenu::StepPack(int by) {
  playClick();
  const int count = static_cast<int>(Packs().packs().size());
  ChosenPack = ((ChosenPack + by) % count + count) % count;
  SetSetting(kPackSetting, Packs().packs()[ChosenPack].fileName);
  ShowPack();
}

// The show draws from the chosen pack, fresh questions first.
void TGameMenu::TakeNext() {
  const PackEntry& pack = Packs().packs()[ChosenPack];
  if (!pack.playable()) return;
  UsePack(*Services, pack.bank, pack.key);
  std::memset(Services->QuestionUsed, 0, sizeof(Services->QuestionUsed));
  MarkAskedBefore(*Services);
  NextPressed = 1;
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
    case 'Q': StepPack(shift.shift ? -1 : 1); break;
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
