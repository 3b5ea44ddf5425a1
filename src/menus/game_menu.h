#pragma once
// The game options: rounds, time to answer and four optional rules, written
// straight into the game record, and the question pack the show draws from
// (remembered between runs). A pack that cannot be played shows its first
// problem, and "Next >" is not offered while it is chosen.
#include <cstdint>

#include "core/menu_screen.h"

namespace tvz {

class TGameMenu : public MenuScreen {
 public:
  TGameMenu();

  Label* GameLbl;
  Label* RoundsLbl;
  Label* OneRbtn;
  Label* TwoRbtn;
  Label* ThreeRbtn;
  Label* TimeLbl;
  Label* UnlimitedRbtn;
  Label* ThirtyRbtn;
  Label* TwentyRbtn;
  Label* TenRbtn;
  Label* OptionalLbl;
  Label* ChallengerChk;
  Label* DeductChk;
  Label* MultiplyChk;
  Label* HarderChk;
  Label* QuestionsLbl;
  Label* PackLbl;         // the chosen pack: its title and number of questions
  Label* PackProblemLbl;  // the first problem of a pack that cannot be played
  Label* CancelBtn;
  Label* NextBtn;

  std::uint8_t NextPressed = 0;
  std::uint8_t CancelPressed = 0;
  int ChosenPack = 0;  // in Packs().packs()

  void FormCreate() override;
  void FormShow() override;
  void FormKeyUp(int& key, ShiftState shift) override;

 private:
  void ShowRounds();
  void ShowTime();
  void ChooseRounds(int rounds);
  void ChooseTime(int seconds);
  void ToggleRule(Label* rule);
  void ShowPack();
  void StepPack(int by);
  void TakeNext();
};

}  // namespace tvz
