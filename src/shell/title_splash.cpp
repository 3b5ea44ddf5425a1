#include "shell/title_splash.h"

#include "core/screen_convention.h"
#include "core/services.h"
#include "platform/desktop.h"

namespace tvz {

namespace {
constexpr const char* kPictureFile = "titlespl.mm1";
}

TTitleSplash::TTitleSplash() {
  fillScreen();
  setColor(rgb(0, 0, 0));
  setStayOnTop(true);
  setKeyPreview(true);
  setFont({"Times New Roman", 15, true});
  BkgndImg = add<Picture>(0, 0, 800, 600);
  VersionLbl = add<Label>(630, 545, 115, 17, "Version 1.00 beta");
  VersionLbl->setAlignment(Alignment::Right);
  VersionLbl->setTransparent(true);
}

void TTitleSplash::FormCreate() {
  setFontColor(TextColour);
  VersionLbl->setCaption("Version " + programVersion());
}

bool TTitleSplash::LoadMedia() {
  Bitmap picture;
  if (!Services->LoadPicture(kPictureFile, picture)) {
    Close();
    return false;
  }
  BkgndImg->setBitmap(std::move(picture));
  return true;
}

void TTitleSplash::FormClose(CloseAction& action) { action = CloseAction::Free; }

void TTitleSplash::FormKeyDown(int& key, ShiftState shift) { swallowAltF4(key, shift); }

void TTitleSplash::FormKeyUp(int&, ShiftState) { KeyPressed = 1; }

}  // namespace tvz
