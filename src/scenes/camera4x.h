#pragma once
// The winners' stage that ends the show: the contestants in finishing order
// beside the host while the closing theme plays, then the credits. The main
// window times it (CreditsOver); a key released at any moment ends it as soon
// as the credits are rolling.
#include <cstdint>
#include <vector>

#include "platform/animate.h"
#include "platform/picture.h"
#include "scenes/camera_scene.h"

namespace tvz {

inline constexpr std::uint32_t kCreditsDelayMs = 15000;   // from showing to the credits
inline constexpr std::uint32_t kCreditsLengthMs = 46000;  // from the credits to the end
inline constexpr int kCreditsLastFrame = 460;

class TCamera4x : public CameraScene {
 public:
  TCamera4x();

  Picture* BkgndImg;   // "cam4xbkd.mm1", sized to its picture
  Picture* WinnerImg;  // first place, from "cam4xwin.mm1"
  Picture* SecondImg;  // second place, from "cam4x2nd.mm1"
  Picture* ThirdImg;   // third place, from "cam4x3rd.mm1"
  Picture* HostImg;    // "cam4xhst.mm2", its bottom-left colour see-through
  Animate* CreditsAni; // "creds.mm4"

  bool CreditsStarted = false;
  bool KeyReleased = false;  // any key released while the scene is up
  // The credits clip is missing or too short to roll (reported, 1910): the
  // show ends when the credits would have started.
  bool CreditsMissing = false;

  // The studio, the host and the three figure sheets (false when one fails);
  // the credits clip is read once so that a damaged clip is found, and
  // reported, before the scene shows.
  bool LoadPictures() override;

  // Rolls the credits: frames 1 to 460 once.
  void StartCredits();
  // The main window's check on each frame while the scene is visible, with its
  // ElapsedMs: 15 s after showing the credits start (and ElapsedMs goes back to
  // 0); once they run, true when a key has been released or 46 s have passed.
  bool CreditsOver(std::uint32_t& elapsedMs);

  void FormCreate() override;
  void FormShow() override;
  void FormKeyUp(int& key, ShiftState shift) override;
  void FormClose(CloseAction& action) override;

 private:
  void DrawPlaces();

  std::vector<Bitmap> sheets_;  // winner, second, third
};

}  // namespace tvz
