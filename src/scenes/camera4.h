#pragma once
// The line-up that opens the show: the three contestants on their podiums
// while the theme plays, with the host's first two captions. It builds the
// opening soundtrack and starts it when shown; the main window's opening
// sequence advances its caption and moves on to the contestant cards.
#include <vector>

#include "platform/label.h"
#include "platform/picture.h"
#include "scenes/camera_scene.h"

namespace tvz {

inline constexpr const char* kThisIsCaption = "This is Trivenza.";
inline constexpr const char* kLetsMeetCaption = "Lets meet tonight's contestants.";

class TCamera4 : public CameraScene {
 public:
  TCamera4();

  Picture* BkgndImg;  // "cam4bknd.mm1"
  Picture* Con1Img;   // contestant 1, from "cam4c1d.mm1"
  Picture* Con2Img;   // contestant 2, from "cam4c2d.mm1"
  Picture* Con3Img;   // contestant 3, from "cam4c3d.mm1"
  Label* CCLbl;       // caption line

  // The studio and the three figure sheets.
  bool LoadPictures() override;
  // The opening soundtrack into the speech buffer; false when a clip could
  // not be loaded (reported), and the show cannot start.
  bool AssembleSoundtrack();
  // "" -> "This is Trivenza." -> "Lets meet tonight's contestants."
  void AdvanceCaption();

  void FormCreate() override;
  void FormShow() override;

 private:
  std::vector<Bitmap> sheets_;  // one per podium
};

}  // namespace tvz
