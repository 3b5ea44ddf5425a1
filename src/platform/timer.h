#pragma once
// The application-wide timer, as the desktop's timer component: an interval,
// an enabled switch and a handler, run by the main loop (and by modal loops)
// off the system Clock. A tick that falls due while a handler runs is not
// queued: the next tick comes one interval after the handler was called.
// A handler may disable or delete its own timer.
#include <cstdint>
#include <functional>

namespace tvz {

class Timer {
 public:
  // Registers with the running Application, which must exist.
  Timer();
  Timer(std::uint32_t intervalMs, std::function<void(Timer&)> onTimer, bool enabled = true);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  std::uint32_t interval() const { return interval_; }
  void setInterval(std::uint32_t intervalMs);  // restarts the count
  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);  // enabling restarts the count

  // Tick count at which the timer is next due (valid while enabled).
  std::uint32_t dueAt() const { return dueAt_; }

  std::function<void(Timer&)> onTimer;

  // Called by the application's loop: runs the handler when due at now.
  // Returns true when the handler ran.
  bool fireIfDue(std::uint32_t now);

 private:
  void restart();

  std::uint32_t interval_ = 1000;
  bool enabled_ = true;
  std::uint32_t dueAt_ = 0;
};

}  // namespace tvz
