#pragma once
// A commercial break: one full-screen still while the host's voice-over
// plays. No input; the show opens it, starts its voice-over and closes it
// again. While a break scene exists the show treats the break as running.
#include "platform/picture.h"
#include "scenes/camera_scene.h"

namespace tvz {

class BreakScene : public CameraScene {
 public:
  Picture* BkgndImg;

  // The voice-over the show plays with this still.
  const char* VoiceOver() const { return voiceOver_; }

  bool LoadPictures() override;

 protected:
  BreakScene(const char* picture, const char* voiceOver);

 private:
  const char* picture_;
  const char* voiceOver_;
};

}  // namespace tvz
