// A traced walk through the menus as a player takes it, on the real game and
// its media: start-up to the first drawn frame, then every frame tick of the
// splashes, top menu, game options, contestant setup, champions and help,
// timed one by one. Ticks that create a screen and load its pictures are the
// expensive ones; the slowest tick is what a player could feel.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "core/popup_box.h"
#include "harness/harness.h"
#include "menus/game_menu.h"
#include "menus/player_menu.h"
#include "shell/help_menu.h"
#include "shell/main_window.h"
#include "shell/top_menu.h"
#include "store/champions.h"
#include "scratch_game_dir.h"

namespace {

using namespace tvz;
using namespace tvz::testing;
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool visible(const Form* form) { return form && form->visible(); }

// Every screen of the menu phase, by the keys a player presses. False when a
// screen did not come up, so the figures would not be of the whole walk.
bool walkTheMenus(Driver& d) {
  bool reached = true;
  // A key, then the few ticks until the screen it leads to is up.
  auto press = [&](int key, const std::function<bool()>& screenUp) {
    d.press(key);
    reached = d.until(screenUp, 10) && reached;
  };
  auto menuUp = [] { return TvzMain && TvzMain->MenuPhase && visible(TopMenu); };
  auto optionsUp = [] { return visible(GameMenu); };
  auto setupUp = [] { return visible(PlayerMenu); };
  reached = d.until(menuUp, 1200);  // both splashes at their full length
  for (int entry : {'N', 'M'}) {  // single and multi-player, there and back
    press(entry, optionsUp);
    d.press('R');
    d.press('T');
    press('N', setupUp);
    d.ticks(5);
    press('P', optionsUp);
    press(vk::Escape, menuUp);
  }
  press('C', [] { return visible(Champions); });
  press(vk::Escape, menuUp);
  press('H', [] { return visible(HelpMenu); });
  d.press(vk::Next);
  press('M', menuUp);
  d.ticks(30);
  return reached;
}

void BM_MenuWalk(benchmark::State& state) {
  tvz::bench::ScratchGameDir scratch("trivenza-menu-walk");
  if (!scratch.hasMedia()) {
    state.SkipWithError("the game directory has no media");
    return;
  }
  double startupMs = 0;
  std::vector<double> tickMs;
  for (auto _ : state) {
    const auto start = Clock::now();
    Harness harness;
    createForm(&TvzMain);
    TvzMain->Show();
    createForm(&PopupBox2);
    auto dispatch = TvzMain->FrameTimer->onTimer;
    TvzMain->FrameTimer->onTimer = [&](Timer& timer) {
      const auto tickStart = Clock::now();
      dispatch(timer);
      tickMs.push_back(msSince(tickStart));
    };
    harness.run([&](Driver& d) {
      d.capture();  // the first frame, drawn and read back
      startupMs = msSince(start);
      if (!walkTheMenus(d)) state.SkipWithError("a menu screen did not come up");
      d.press('Q');
      d.ticks(3);
    });
  }
  std::sort(tickMs.begin(), tickMs.end());
  state.counters["startup_ms"] = startupMs;
  state.counters["ticks"] = static_cast<double>(tickMs.size());
  if (!tickMs.empty()) {
    state.counters["median_tick_ms"] = tickMs[tickMs.size() / 2];
    state.counters["p99_tick_ms"] = tickMs[tickMs.size() * 99 / 100];
    state.counters["max_tick_ms"] = tickMs.back();
  }
}
BENCHMARK(BM_MenuWalk)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
