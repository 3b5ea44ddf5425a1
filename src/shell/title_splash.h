#pragma once
// The title splash: the game's title picture with the program's version.
#include <cstdint>

#include "platform/form.h"
#include "platform/label.h"
#include "platform/picture.h"

namespace tvz {

class TTitleSplash : public Form {
 public:
  TTitleSplash();

  Picture* BkgndImg;   // "titlespl.mm1"
  Label* VersionLbl;   // "Version " and the program's version, right-aligned

  std::uint8_t KeyPressed = 0;
  Color TextColour = 0x444444;

  bool LoadMedia();  // false after the loader's report; the splash has closed

  void FormCreate() override;
  void FormClose(CloseAction& action) override;
  void FormKeyDown(int& key, ShiftState shift) override;
  void FormKeyUp(int& key, ShiftState shift) override;
};

}  // namespace tvz
