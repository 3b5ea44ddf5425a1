#pragma once
// The system tick count every timer, animation and show step runs off.
// The real clock reads SDL's ticks; tests install a manual clock and advance it
// by hand, so a 40-minute show runs in seconds.
#include <cstdint>

namespace tvz {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::uint32_t tickCount() = 0;  // milliseconds, wraps at 2^32
};

class RealClock final : public Clock {
 public:
  std::uint32_t tickCount() override;
};

class ManualClock final : public Clock {
 public:
  explicit ManualClock(std::uint32_t start = 0) : now_(start) {}
  std::uint32_t tickCount() override { return now_; }
  void advance(std::uint32_t ms) { now_ += ms; }
  void set(std::uint32_t ms) { now_ = ms; }

 private:
  std::uint32_t now_;
};

// The clock in use; a RealClock unless a test installed another. The clock
// passed in must outlive its installation; nullptr restores the real clock.
Clock& systemClock();
void installClock(Clock* clock);

// The desktop's tick count.
inline std::uint32_t GetTickCount() { return systemClock().tickCount(); }

}  // namespace tvz
