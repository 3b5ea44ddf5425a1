#include "scenes/camera_scene.h"

#include "core/screen_convention.h"
#include "core/services.h"

namespace tvz {

CameraScene::CameraScene() {
  fillScreen();
  setColor(rgb(0, 0, 0));
  setFont({"Times New Roman", 24});
  setKeyPreview(true);
}

void CameraScene::FormKeyDown(int& key, ShiftState shift) { swallowAltF4(key, shift); }

void CameraScene::FormClose(CloseAction& action) { action = CloseAction::Free; }

bool CameraScene::LoadInto(Picture* picture, const std::string& fileName) {
  Bitmap loaded;
  if (!Services->LoadPicture(fileName, loaded)) return false;
  picture->setBitmap(std::move(loaded));
  return true;
}

void CameraScene::SetTooltip(const std::string& text) {
  setHint(Services->TooltipsOn ? text : std::string());
}

}  // namespace tvz
