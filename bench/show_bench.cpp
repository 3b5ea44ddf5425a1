// Whole shows played headless on the real game and its media, the manual
// clock jumping to each next step and nothing drawn: start-up, the menus by
// keys, every step of the show, the credits and the champions list. Reports
// the wall time of a show of one round and of three rounds with every option
// on, one round also frame by frame, and the peak resident memory of the
// process (run one show per process, with --benchmark_filter, to see each
// one's own peak).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "core/popup_box.h"
#include "harness/harness.h"
#include "harness/show_player.h"
#include "scenes/camera3h.h"
#include "scenes/camera3hc.h"
#include "scenes/camera3m.h"
#include "scenes/camera3mc.h"
#include "scenes/camera3s.h"
#include "scenes/camera3sc.h"
#include "scenes/camera3t.h"
#include "scenes/camera3tc.h"
#include "scenes/camera3w.h"
#include "scenes/camera4x.h"
#include "scenes/camera5a.h"
#include "scenes/camera5b.h"
#include "scenes/camera5c.h"
#include "scenes/host_scene.h"
#include "resident_memory.h"
#include "scratch_game_dir.h"
#include "show/board.h"
#include "tick_timer.h"
#include "shell/main_window.h"
#include "show/show_flow.h"
#include "store/champions.h"

namespace {

using namespace tvz;
using namespace tvz::testing;

bool visible(const Form* form) { return form && form->visible(); }

// What is on screen, to name the slowest tick of a show.
std::string ShowSceneOnScreen() {
  if (visible(Champions)) return "champions";
  if (visible(Camera4x)) return "winners";
  if (visible(Camera5a) || visible(Camera5b) || visible(Camera5c)) return "break";
  if (visible(Camera3w)) return "category";
  for (const Form* scene : {static_cast<Form*>(Camera3hc), static_cast<Form*>(Camera3mc),
                            static_cast<Form*>(Camera3sc), static_cast<Form*>(Camera3tc)})
    if (visible(scene)) return "value";
  for (const Form* scene : {static_cast<Form*>(Camera3h), static_cast<Form*>(Camera3m),
                            static_cast<Form*>(Camera3s), static_cast<Form*>(Camera3t)})
    if (visible(scene)) return "question";
  if (visible(Camera1)) return "host";
  if (visible(Camera2)) return "board";
  return "other";
}

void BM_WholeShow(benchmark::State& state, const ShowOptions& options, bool everyFrame = false) {
  bench::ScratchGameDir scratch("trivenza-show-bench");
  if (!scratch.hasMedia()) {
    state.SkipWithError("the game directory has no media");
    return;
  }
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  std::size_t steps = 0;
  long frames = 0;
  for (auto _ : state) {
    // Each show starts from a champions list of its own.
    std::remove("vantoc.mm3");
    Harness harness;
    createForm(&TvzMain);
    TvzMain->Show();
    createForm(&PopupBox2);
    ShowPlayer player;
    player.everyFrame = everyFrame;
    bench::TickTimer ticks(*TvzMain->FrameTimer, ShowSceneOnScreen);
    bool played = false;
    harness.run([&](Driver& d) {
      // Every tick of the show, from the board's first frame to the
      // champions list, once the opening has brought the board.
      played = player.startShow(d, options);
      ticks.timing = everyFrame;
      played = played && player.playToChampions(d);
      ticks.timing = false;
      d.press(vk::Escape);  // "< Menu"
      d.ticks(3);
      d.press('Q');
      d.ticks(3);
    });
    if (!played) state.SkipWithError("the show did not reach the champions list");
    steps = player.steps_.size();
    frames = player.frames_;
    ticks.report(state);
  }
  state.counters["steps"] = static_cast<double>(steps);
  state.counters["frames"] = static_cast<double>(frames);
  state.counters["peak_rss_mb"] = bench::PeakResidentMb();
}

BENCHMARK_CAPTURE(BM_WholeShow, one_round, ShowOptions{})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
// The same round frame by frame, every 33 ms tick of its half hour run: what
// the frames cost that do nothing but move faces and clocks.
BENCHMARK_CAPTURE(BM_WholeShow, one_round_every_frame, ShowOptions{}, true)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_WholeShow, three_rounds_every_option,
                  ShowOptions{.rounds = 3,
                              .seconds = 10,
                              .challengerMayAnswer = true,
                              .deductIncorrect = true,
                              .multiplyByRound = true,
                              .harderEachRound = true})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
