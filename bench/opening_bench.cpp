// The opening of the show on the real game and its media, every frame tick
// timed: from "Start >" (the line-up made and loaded, the computer
// contestants completed, the soundtrack built) through the cards and the
// host, whose ticks make and load the next scene, to the board that takes
// over. The slowest tick is what a player could feel as a stutter.
#include <benchmark/benchmark.h>

#include <string>

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
#include "tick_timer.h"

namespace {

using namespace tvz;
using namespace tvz::testing;

bool visible(const Form* form) { return form && form->visible(); }

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

void BM_Opening(benchmark::State& state) {
  tvz::bench::ScratchGameDir scratch("trivenza-opening");
  if (!scratch.hasMedia()) {
    state.SkipWithError("the game directory has no media");
    return;
  }
  for (auto _ : state) {
    Harness harness;
    createForm(&TvzMain);
    TvzMain->Show();
    createForm(&PopupBox2);
    bench::TickTimer ticks(*TvzMain->FrameTimer, SceneOnScreen);
    harness.run([&](Driver& d) {
      if (!ReachSetup(d)) {
        state.SkipWithError("contestant setup did not come up");
        return;
      }
      ticks.timing = true;
      d.press('S');
      if (!d.until([] { return visible(Camera2) && TvzMain->OpeningPhase == 0; }, 2000))
        state.SkipWithError("the opening did not reach the board");
      ticks.timing = false;
    });
    ticks.report(state);
  }
}
BENCHMARK(BM_Opening)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
