#pragma once
// The game options: rounds, time to answer and four optional rules, written
// straight into the game record.
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
  Label* CancelBtn;
  Label* NextBtn;

  std::uint8_t NextPressed = 0;
  std::uint8_t CancelPressed = 0;

  void FormCreate() override;
  void FormShow() override;
  void FormKeyUp(int& key, ShiftState shift) override;

 private:
  void ShowRounds();
  void ShowTime();
  void ChooseRounds(int rounds);
  void ChooseTime(int seconds);
  void ToggleRule(Label* rule);
};

}  // namespace tvz
