// Whole shows played headless on the real game and its media, the manual
// clock jumping to each next step and nothing drawn: start-up, the menus by
// keys, every step of the show, the credits and the champions list. Reports
// the wall time of a show of one round and of three rounds with every option
// on, one round also frame by frame, and the peak resident memory of the
// process (run one show per process, with --benchmark_filter, to see each
// one's own peak).
#include <sys/resource.h>

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "core/popup_box.h"
#include "harness/harness.h"
#include "harness/show_player.h"
#include "scratch_game_dir.h"
#include "shell/main_window.h"
#include "show/show_flow.h"
#include "store/champions.h"

namespace {

using namespace tvz;
using namespace tvz::testing;

double PeakResidentMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
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
    bool played = false;
    harness.run([&](Driver& d) {
      played = player.startShow(d, options) && player.playToChampions(d);
      d.press(vk::Escape);  // "< Menu"
      d.ticks(3);
      d.press('Q');
      d.ticks(3);
    });
    if (!played) state.SkipWithError("the show did not reach the champions list");
    steps = player.steps_.size();
    frames = player.frames_;
  }
  state.counters["steps"] = static_cast<double>(steps);
  state.counters["frames"] = static_cast<double>(frames);
  state.counters["peak_rss_mb"] = PeakResidentMb();
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
