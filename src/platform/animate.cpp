#include "platform/animate.h"

#include <algorithm>

#include "platform/avi.h"
#include "platform/canvas.h"
#include "platform/clock.h"

namespace tvz {
namespace {
constexpr std::uint32_t kFallbackFrameMs = 100;  // a clip without a frame rate
}

Animate::Animate(Form& owner) : Control(owner) {
  setColor(rgb(0, 0, 0));
  timer_.setEnabled(false);
  timer_.onTimer = [this](Timer&) { advance(); };
}

Animate::Animate(Form& owner, int left, int top, int width, int height) : Animate(owner) {
  setBounds(left, top, width, height);
}

Animate::~Animate() = default;

void Animate::setFileName(std::string fileName) {
  if (active_) stop();
  fileName_ = std::move(fileName);
  clip_.reset();
  currentFrame_ = decodedFrame_ = 0;
  frame_ = Bitmap();
  invalidate();
}

bool Animate::open(std::string* error) {
  if (clip_) return true;
  std::string reason;
  clip_ = AviClip::load(fileName_, &reason);
  if (!clip_) {
    lastError_ = "Cannot open the animation \"" + fileName_ + "\": " + reason;
    if (error) *error = lastError_;
    return false;
  }
  const std::uint32_t us = clip_->microsecondsPerFrame();
  frameMs_ = us ? std::max<std::uint32_t>(1, (us + 500) / 1000) : kFallbackFrameMs;
  return true;
}

int Animate::frameCount() const { return clip_ ? clip_->frameCount() : 0; }

bool Animate::play(int fromFrame, int toFrame, int repeat) {
  if (!open()) return false;
  const int count = clip_->frameCount();
  if (toFrame == 0) toFrame = count;
  if (fromFrame < 1 || toFrame > count || fromFrame > toFrame) {
    lastError_ = "Frame range outside the animation \"" + fileName_ + "\"";
    return false;
  }
  if (active_) stop();
  fromFrame_ = fromFrame;
  toFrame_ = toFrame;
  repeat_ = std::max(0, repeat);
  playsDone_ = 0;
  startTick_ = systemClock().tickCount();
  currentFrame_ = fromFrame_;
  active_ = true;
  timer_.setInterval(frameMs_);
  timer_.setEnabled(true);
  invalidate();
  if (onStart) onStart(*this);
  return true;
}

void Animate::stop() {
  if (!active_) return;
  finish();
}

void Animate::finish() {
  active_ = false;
  timer_.setEnabled(false);
  if (onStop) onStop(*this);
}

void Animate::advance() {
  if (!active_) return;
  // The frame is chosen by the time since play(), so a late tick skips frames
  // rather than slowing the clip down.
  const std::uint32_t elapsed = systemClock().tickCount() - startTick_;
  const int length = toFrame_ - fromFrame_ + 1;
  const long long shown = elapsed / frameMs_;  // frames whose time is over
  const long long plays = shown / length;
  if (repeat_ > 0 && plays >= repeat_) {
    // The last frame has been shown for its time: the clip has ended.
    currentFrame_ = toFrame_;
    finish();
    invalidate();
    return;
  }
  const int frame = fromFrame_ + static_cast<int>(shown % length);
  if (frame != currentFrame_) {
    currentFrame_ = frame;
    invalidate();
  }
}

void Animate::paint(Canvas& canvas, int originX, int originY) {
  const Rect r{originX + left(), originY + top(), originX + left() + width(),
               originY + top() + height()};
  const Rect previous = canvas.intersectClip(r);
  canvas.fillRect(r, color());
  if (clip_ && currentFrame_ > 0) {
    if (decodedFrame_ != currentFrame_) {
      // Decode only the frame on show; a damaged frame leaves the last good one.
      if (clip_->decodeFrame(currentFrame_ - 1, frame_)) decodedFrame_ = currentFrame_;
    }
    if (!frame_.empty()) canvas.drawBitmap(r.left, r.top, frame_);
  }
  canvas.setClip(previous);
}

}  // namespace tvz
