// The opening of the show on the real game and its media, every frame tick
// timed: from "Start >" (the line-up made and loaded, the computer
// contestants completed, the soundtrack built) through the cards and the
// host, whose ticks make and load the next scene, to the board that takes
// over. The slowest tick is what a player could feel as a stutter.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "core/popup_box.h"
#include "harness/harness.h"
#include "menus/game_menu.h"
#include "menus/player_menu.h"
#include "scenes/camera2a.h"
#include "scenes/camera2b.h"
#include "scenes/camera2c.h"
#include "scenes/camera4.h"
#include "scenes/host_scene.h"
#include "shell/main_window.h"
#include "shell/top_menu.h"
#include "show/board.h"
#include "scratch_game_dir.h"

namespace {

using namespace tvz;
using namespace tvz::testing;
using Clock = std::chrono::steady_clock;

bool visible(const Form* form) { return form && form->visible(); }

// The processor time of the game's thread: on a machine shared with other
// work, what the tick itself cost, apart from the time it waited for a core.
double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// What is on screen, to name the slowest tick.
std::string SceneOnScreen() {
  if (visible(Camera2)) return "board";
  if (visible(Camera1)) return "host";
  if (visible(Camera2c)) return "card 3";
  if (visible(Camera2b)) return "card 2";
  if (visible(Camera2a)) return "card 1";
  if (visible(Camera4)) return "line-up";
  return "contestant setup";
}

bool ReachSetup(Driver& d) {
  auto menuUp = [] { return TvzMain && TvzMain->MenuPhase && visible(TopMenu); };
  if (!d.until(menuUp, 1200)) return false;
  d.press('N');
  if (!d.until([] { return visible(GameMenu); }, 10)) return false;
  d.press('N');
  return d.until([] { return visible(PlayerMenu); }, 10);
}

struct TimedTick {
  double ms;
  double cpuMs;
  std::string scene;  // on screen once the tick has run
};

void BM_Opening(benchmark::State& state) {
  tvz::bench::ScratchGameDir scratch("trivenza-opening");
  if (!scratch.hasMedia()) {
    state.SkipWithError("the game directory has no media");
    return;
  }
  std::vector<TimedTick> ticks;
  for (auto _ : state) {
    Harness harness;
    createForm(&TvzMain);
    TvzMain->Show();
    createForm(&PopupBox2);
    bool timing = false;
    auto dispatch = TvzMain->FrameTimer->onTimer;
    TvzMain->FrameTimer->onTimer = [&](Timer& timer) {
      const auto start = Clock::now();
      const double cpuStart = ThreadCpuMs();
      dispatch(timer);
      const double cpuMs = ThreadCpuMs() - cpuStart;
      const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      if (timing) ticks.push_back({ms, cpuMs, SceneOnScreen()});
    };
    harness.run([&](Driver& d) {
      if (!ReachSetup(d)) {
        state.SkipWithError("contestant setup did not come up");
        return;
      }
      timing = true;
      d.press('S');
      if (!d.until([] { return visible(Camera2) && TvzMain->OpeningPhase == 0; }, 2000))
        state.SkipWithError("the opening did not reach the board");
      timing = false;
    });
  }
  if (ticks.empty()) return;
  std::vector<double> ms;
  for (const TimedTick& t : ticks) ms.push_back(t.ms);
  std::sort(ms.begin(), ms.end());
  state.counters["ticks"] = static_cast<double>(ticks.size());
  state.counters["median_tick_ms"] = ms[ms.size() / 2];
  state.counters["p99_tick_ms"] = ms[ms.size() * 99 / 100];
  state.counters["max_tick_ms"] = ms.back();
  // The three costliest ticks by processor time, by the scene on screen after
  // each, with their processor and wall times.
  std::sort(ticks.begin(), ticks.end(), [](const TimedTick& a, const TimedTick& b) { return a.cpuMs > b.cpuMs; });
  state.counters["max_tick_cpu_ms"] = ticks.front().cpuMs;
  std::string costliest = "costliest:";
  for (std::size_t i = 0; i < 3 && i < ticks.size(); ++i)
    costliest += " " + ticks[i].scene + " " + std::to_string(ticks[i].cpuMs).substr(0, 5) + " cpu / " +
                 std::to_string(ticks[i].ms).substr(0, 5) + " ms;";
  state.SetLabel(costliest);
}
BENCHMARK(BM_Opening)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
