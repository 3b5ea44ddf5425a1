#pragma once
// The answer clock of the category, challenge value and question scenes: the
// time limit counted from the scene's showing by differences of the system
// tick count, shown as the whole seconds left. Because every step adds the
// whole difference since the previous one, time keeps counting while nobody
// steps the clock (a contestant card covering the scene) and the label jumps
// to the right number at the next step.
#include <cstdint>

#include "platform/label.h"

namespace tvz {

class AnswerClock {
 public:
  AnswerClock() = default;
  explicit AnswerClock(Label* label) : label_(label) {}

  // Starts counting now with the limit in seconds and shows it. A limit of 0
  // (or a nonsensical negative one) means no clock: the label is hidden.
  void Start(std::int32_t limitSeconds);
  // One frame: counts the time since the last step and rewrites the label when
  // the whole second changes. True when the time is up. Nothing happens (and
  // false) while the label is hidden.
  bool Step();
  bool Running() const { return label_->visible(); }

  std::uint32_t ClockLastTick = 0;  // system tick count at the last step
  std::uint32_t ClockElapsed = 0;   // milliseconds counted since showing

 private:
  std::int32_t ShownSeconds() const;

  Label* label_ = nullptr;
  std::int32_t limit_ = 0;
};

}  // namespace tvz
