#pragma once
// The preferences: tooltips, sound and captions on or off, and how the studio
// audience behaves. Choices are made on the screen and written into the
// record only with "Ok"; "Cancel" leaves the record as it was, and the next
// showing shows the record again.
#include "core/dialog_screen.h"

namespace tvz {

class TPrefsMenu : public DialogScreen {
 public:
  TPrefsMenu();

  Label* PrefsLbl;
  Label* TooltipsChk;
  Label* SoundChk;
  Label* CaptionsChk;
  Label* AudienceLbl;
  Label* DifficultRbtn;
  Label* GeneralRbtn;
  Label* LivelyRbtn;
  Label* OkBtn;
  Label* CancelBtn;

  void FormShow() override;
  void FormKeyDown(int& key, ShiftState shift) override;
  void FormKeyUp(int& key, ShiftState shift) override;

  void OkBtnClick();
  void CancelBtnClick();

 private:
  void Swap(Label* check);
  void ChooseAudience(int mood);
  // The audience marked on the screen: 0 Difficult, 1 General, 2 Lively.
  int MarkedAudience() const;
  // Ok and Cancel make no click sound: they act as the screen's buttons do
  // in every other way.
  void addSilentButton(Label* button, void (TPrefsMenu::*action)());
};

}  // namespace tvz
