#pragma once
// What every camera scene of the show shares: a full-screen black form in
// Times New Roman 24 that sees keys first, swallows Alt+F4, releases itself
// when closed (its registry variable goes back to null) and loads its
// pictures before it is shown.
#include <string>

#include "platform/form.h"
#include "platform/picture.h"

namespace tvz {

class CameraScene : public Form {
 public:
  // Loads the scene's pictures and clips. On failure the loader has reported
  // it, the scene has closed itself and the result is false.
  virtual bool LoadPictures() = 0;

  void FormKeyDown(int& key, ShiftState shift) override;
  void FormClose(CloseAction& action) override;

 protected:
  CameraScene();

  // A media picture into a picture control; false (after the loader's
  // report) when it cannot be read, and the picture is left as it was.
  static bool LoadInto(Picture* picture, const std::string& fileName);
  // The tooltip over the whole scene, shown while tooltips are on.
  void SetTooltip(const std::string& text);
};

}  // namespace tvz
