#include "platform/timer.h"

#include "platform/application.h"
#include "platform/clock.h"

namespace tvz {

Timer::Timer() {
  restart();
  Application::current().addTimer(this);
}

Timer::Timer(std::uint32_t intervalMs, std::function<void(Timer&)> handler, bool enabled)
    : onTimer(std::move(handler)), interval_(intervalMs), enabled_(enabled) {
  restart();
  Application::current().addTimer(this);
}

Timer::~Timer() {
  if (Application::exists()) Application::current().removeTimer(this);
}

void Timer::restart() { dueAt_ = systemClock().tickCount() + interval_; }

void Timer::setInterval(std::uint32_t intervalMs) {
  interval_ = intervalMs;
  restart();
}

void Timer::setEnabled(bool enabled) {
  if (enabled && !enabled_) restart();
  enabled_ = enabled;
}

bool Timer::fireIfDue(std::uint32_t now) {
  if (!enabled_ || interval_ == 0 || !onTimer) return false;
  // Signed difference so the tick count may wrap around.
  if (static_cast<std::int32_t>(now - dueAt_) < 0) return false;
  // The next tick counts from now: ticks missed while busy are not queued.
  dueAt_ = now + interval_;
  // A copy, because the handler may delete this timer (and its function).
  auto handler = onTimer;
  handler(*this);
  return true;
}

}  // namespace tvz
