#include "scenes/break_scene.h"

namespace tvz {

BreakScene::BreakScene(const char* picture, const char* voiceOver)
    : picture_(picture), voiceOver_(voiceOver) {
  BkgndImg = add<Picture>(0, 0, 800, 600);
}

bool BreakScene::LoadPictures() {
  if (!LoadInto(BkgndImg, picture_)) {
    Close();
    return false;
  }
  return true;
}

}  // namespace tvz
