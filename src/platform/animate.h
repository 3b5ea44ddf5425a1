#pragma once
// The animation control: plays a frame range of a silent ".mm4" clip once (or
// a number of times) at the clip's own frame rate, timed off the system Clock.
// Frames are decoded one at a time as they are shown, never all at once.
// onStart is called from play() itself; onStop when the last frame of the
// range has been shown for its time, or when stop() is called. Both run on
// the user-interface thread like every other handler.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/control.h"
#include "platform/timer.h"

namespace tvz {

class AviClip;

class Animate : public Control {
 public:
  explicit Animate(Form& owner);
  Animate(Form& owner, int left, int top, int width, int height);
  ~Animate() override;

  // Setting the file name stops a running animation; the file is opened on
  // the first play() or open().
  const std::string& fileName() const { return fileName_; }
  void setFileName(std::string fileName);
  // Opens the clip now; false and a reason when it cannot be read.
  bool open(std::string* error = nullptr);
  bool isOpen() const { return clip_ != nullptr; }
  int frameCount() const;  // 0 when not open

  // Frames counted from 1; toFrame 0 means the last frame. repeat 0 plays
  // forever, otherwise that many times. Returns false (and plays nothing,
  // no notifications) when the clip cannot be opened or the range is empty.
  bool play(int fromFrame, int toFrame, int repeat = 1);
  void stop();
  bool active() const { return active_; }
  // The frame on show, counted from 1 (0 before anything was played).
  int currentFrame() const { return currentFrame_; }
  // Why the last open() or play() failed.
  const std::string& lastError() const { return lastError_; }

  NotifyHandler onStart;
  NotifyHandler onStop;

  void paint(Canvas& canvas, int originX, int originY) override;

 private:
  void advance();
  void finish();

  std::string fileName_;
  std::unique_ptr<AviClip> clip_;
  std::string lastError_;
  Timer timer_;
  bool active_ = false;
  int fromFrame_ = 0, toFrame_ = 0, repeat_ = 1, playsDone_ = 0;
  std::uint32_t startTick_ = 0;
  std::uint32_t frameMs_ = 100;
  int currentFrame_ = 0;
  int decodedFrame_ = 0;  // frame held in frame_, counted from 1
  Bitmap frame_;
};

}  // namespace tvz
