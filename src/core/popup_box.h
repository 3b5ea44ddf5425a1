#pragma once
// The two message boxes: the yes/no box (confirmations of the in-game menu
// and the saved-games screens) and the OK box. Both are shown modally and
// only hidden when closed.
#include <cstdint>

#include "core/screen_convention.h"
#include "platform/form.h"
#include "platform/label.h"

namespace tvz {

class TPopupBox : public Form {
 public:
  TPopupBox();

  Label* TitleLbl;
  Label* TextLbl;
  Label* YesBtn;
  Label* NoBtn;

  std::uint8_t YesPressed = 0;
  std::uint8_t NoPressed = 0;

  // Sets the title and text, shows the box modally; true when "Yes" was taken.
  bool Ask(const std::string& title, const std::string& text);

  void FormCreate() override;
  void FormShow() override;
  void FormKeyDown(int& key, ShiftState shift) override;
  void FormKeyUp(int& key, ShiftState shift) override;

 private:
  LabelButtons buttons_;
};

class TPopupBox2 : public Form {
 public:
  TPopupBox2();

  Label* TitleLbl;
  Label* TextLbl;
  Label* OkBtn;

  std::uint8_t OkPressed = 0;

  // Sets the title and text and shows the box modally until "Ok".
  void Tell(const std::string& title, const std::string& text);

  void FormCreate() override;
  void FormShow() override;
  void FormKeyDown(int& key, ShiftState shift) override;
  void FormKeyUp(int& key, ShiftState shift) override;

 private:
  LabelButtons buttons_;
};

}  // namespace tvz
