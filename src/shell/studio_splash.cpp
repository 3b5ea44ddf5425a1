#include "shell/studio_splash.h"

#include <fstream>

#include "core/screen_convention.h"
#include "core/services.h"

namespace tvz {

namespace {
constexpr const char* kPictureFile = "vantosplsh.mm1";
constexpr const char* kLogoFile = "vantosplsh.mm4";
}  // namespace

TVantoSplash::TVantoSplash() {
  fillScreen();
  setColor(rgb(0, 0, 0));
  setStayOnTop(true);
  setKeyPreview(true);
  BkgndImg = add<Picture>(0, 0, 536, 348);
  LogoAni = add<Animate>(453, 158, 152, 235);
  LogoAni->setColor(rgb(0, 0, 0));
  LogoAni->setFileName(kLogoFile);
  LogoAni->onStart = [this](Control&) { ++LogoState; };
  LogoAni->onStop = [this](Control&) { ++LogoState; };
}

bool TVantoSplash::LoadMedia() {
  Bitmap picture;
  if (!Services->LoadPicture(kPictureFile, picture)) {
    Close();
    return false;
  }
  BkgndImg->setBitmap(std::move(picture));
  // The logo clip is read once before the splash shows; a clip that cannot be
  // read ends the program like a missing picture.
  std::string reason;
  if (!LogoAni->open(&reason)) {
    Services->ReportFileError("Error loading file", kLogoFile, 500);
    Close();
    return false;
  }
  // The jingle: a second of silence, the studio's two-part sting. A missing
  // clip is reported by the sound loader and the splash goes on.
  SoundBuffer& voice = Services->VoiceStream;
  Services->LoadSound(voice, "s1.mm3");
  Services->AppendSound(voice, "s1.mm3");
  Services->AppendSound(voice, "vantouhuh.mm3");
  Services->AppendSound(voice, "s1.mm3");
  Services->AppendSound(voice, "vantogboy.mm3");
  return true;
}

void TVantoSplash::FormShow() { Services->PlayStream(Services->VoiceStream); }

void TVantoSplash::FormClose(CloseAction& action) { action = CloseAction::Free; }

void TVantoSplash::FormKeyDown(int& key, ShiftState shift) { swallowAltF4(key, shift); }

void TVantoSplash::FormKeyPress(char&) { KeyPressed = 1; }

}  // namespace tvz
