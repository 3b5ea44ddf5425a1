#pragma once
// The studio splash: the studio's picture and logo animation on black, with
// the studio jingle. The sequence decides its timing; the splash loads its
// media, reports key presses and counts the logo animation's start and stop.
#include <cstdint>

#include "platform/animate.h"
#include "platform/form.h"
#include "platform/picture.h"

namespace tvz {

class TVantoSplash : public Form {
 public:
  TVantoSplash();

  Picture* BkgndImg;  // "vantosplsh.mm1", 536x348 at the top left
  Animate* LogoAni;   // "vantosplsh.mm4" at 453,158 152x235

  std::uint8_t KeyPressed = 0;
  std::int32_t LogoState = 0;  // start and stop events of the logo seen so far

  // Loads the picture, reads the animation file once and composes the jingle
  // into the main window's VoiceStream. False (after the loader's report) when
  // the picture or the animation cannot be read; the splash has closed then.
  bool LoadMedia();

  void FormShow() override;
  void FormClose(CloseAction& action) override;
  void FormKeyDown(int& key, ShiftState shift) override;
  void FormKeyPress(char& key) override;
};

}  // namespace tvz
