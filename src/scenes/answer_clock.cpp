#include "scenes/answer_clock.h"

#include <charconv>
#include <string>

#include "platform/clock.h"

namespace tvz {

void AnswerClock::Start(std::int32_t limitSeconds) {
  if (limitSeconds <= 0) {
    limit_ = 0;
    label_->hide();
    return;
  }
  limit_ = limitSeconds;
  ClockLastTick = GetTickCount();
  ClockElapsed = 0;
  label_->setCaption(std::to_string(limit_));
  label_->show();
}

bool AnswerClock::Step() {
  if (!Running()) return false;
  const std::uint32_t now = GetTickCount();
  ClockElapsed += now - ClockLastTick;  // unsigned: the tick counter's wrap is harmless
  ClockLastTick = now;
  const std::int64_t left = static_cast<std::int64_t>(limit_) - ClockElapsed / 1000;
  if (left <= 0) return true;
  if (left != ShownSeconds()) label_->setCaption(std::to_string(left));
  return false;
}

std::int32_t AnswerClock::ShownSeconds() const {
  const std::string& shown = label_->caption();
  std::int32_t value = -1;
  std::from_chars(shown.data(), shown.data() + shown.size(), value);
  return value;
}

}  // namespace tvz
