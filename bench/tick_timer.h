#pragma once
// Times every frame tick of the game's main window, in wall and processor
// time, with the scene on screen after it: the slowest tick is what a player
// could feel as a stutter (a frame is 33 ms; we keep every tick under 16).
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/timer.h"

namespace tvz::bench {

class TickTimer {
 public:
  // Wraps the timer's handler; `scene` names what is on screen.
  TickTimer(Timer& frameTimer, std::function<std::string()> scene) : scene_(std::move(scene)) {
    auto dispatch = frameTimer.onTimer;
    frameTimer.onTimer = [this, dispatch](Timer& timer) {
      const auto start = std::chrono::steady_clock::now();
      const double cpuStart = ThreadCpuMs();
      dispatch(timer);
      const double cpuMs = ThreadCpuMs() - cpuStart;
      const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      if (timing) ticks_.push_back({ms, cpuMs, scene_ ? scene_() : std::string()});
    };
  }

  bool timing = false;

  // Tick count, median, 99th percentile and slowest tick (wall), slowest
  // processor time, and the three costliest ticks by processor time named
  // by their scene.
  void report(benchmark::State& state) {
    if (ticks_.empty()) return;
    std::vector<double> ms;
    for (const Tick& t : ticks_) ms.push_back(t.ms);
    std::sort(ms.begin(), ms.end());
    state.counters["ticks"] = static_cast<double>(ticks_.size());
    state.counters["median_tick_ms"] = ms[ms.size() / 2];
    state.counters["p99_tick_ms"] = ms[ms.size() * 99 / 100];
    state.counters["max_tick_ms"] = ms.back();
    std::sort(ticks_.begin(), ticks_.end(), [](const Tick& a, const Tick& b) { return a.cpuMs > b.cpuMs; });
    state.counters["max_tick_cpu_ms"] = ticks_.front().cpuMs;
    std::string costliest = "costliest:";
    for (std::size_t i = 0; i < 3 && i < ticks_.size(); ++i)
      costliest += " " + ticks_[i].scene + " " + std::to_string(ticks_[i].cpuMs).substr(0, 5) + " cpu / " +
                   std::to_string(ticks_[i].ms).substr(0, 5) + " ms;";
    state.SetLabel(costliest);
  }

 private:
  struct Tick {
    double ms;
    double cpuMs;
    std::string scene;
  };

  // The processor time of the game's thread: on a machine shared with other
  // work, what the tick itself cost, apart from the time it waited for a core.
  static double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
  }

  std::function<std::string()> scene_;
  std::vector<Tick> ticks_;
};

}  // namespace tvz::bench
