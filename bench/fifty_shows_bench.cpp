// Fifty shows in a row in one process, as a player who plays all evening:
// each a three-round show with every option on, from "New Game" to the
// champions list, then "< Menu" back to the top menu and the next one. Played
// headless on the real game and its media, the manual clock jumping to each
// next step. Reports the peak resident memory after the fifth show and after
// the fiftieth (what the shows in between leave behind must stay under 5 MB;
// a run past that is marked as an error), the resident memory at both points,
// and the mean wall time of a show, with its processor time beside it (what
// the show itself costs when others share the machine).
#include <benchmark/benchmark.h>
#include <time.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "core/popup_box.h"
#include "harness/harness.h"
#include "harness/show_player.h"
#include "resident_memory.h"
#include "scratch_game_dir.h"
#include "shell/main_window.h"
#include "shell/top_menu.h"

namespace {

using namespace tvz;
using namespace tvz::testing;

constexpr int kShows = 50;
constexpr int kSettledShows = 5;  // caches and pools are full by then
constexpr double kMostGrowthMb = 5.0;

const ShowOptions kEveryOption{.rounds = 3,
                               .seconds = 10,
                               .challengerMayAnswer = true,
                               .deductIncorrect = true,
                               .multiplyByRound = true,
                               .harderEachRound = true};

bool TopMenuUp() { return TopMenu && TopMenu->visible() && TvzMain && TvzMain->MenuPhase; }

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

struct Evening {
  int shows = 0;
  double showSeconds = 0;
  double showCpuSeconds = 0;
  double peakAfterSettledMb = 0, residentAfterSettledMb = 0;
  double peakAfterLastMb = 0, residentAfterLastMb = 0;
  std::string failure;
};

// One show from the top menu back to it; false with the reason when it did
// not get there.
bool PlayOneShow(Driver& d, std::string& failure) {
  ShowPlayer player;
  if (!player.startShow(d, kEveryOption)) {
    failure = "the board did not come up";
    return false;
  }
  if (!player.playToChampions(d)) {
    failure = "the show did not reach the champions list";
    return false;
  }
  d.press(vk::Escape);  // "< Menu"
  if (!d.until(TopMenuUp, 100)) {
    failure = "\"< Menu\" did not lead back to the top menu";
    return false;
  }
  return true;
}

void PlayTheEvening(Driver& d, Evening& evening) {
  for (int show = 1; show <= kShows; ++show) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ProcessCpuSeconds();
    if (!PlayOneShow(d, evening.failure)) {
      evening.failure = "show " + std::to_string(show) + ": " + evening.failure;
      return;
    }
    evening.showSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    evening.showCpuSeconds += ProcessCpuSeconds() - cpuStart;
    evening.shows = show;
    if (show == kSettledShows) {
      evening.peakAfterSettledMb = bench::PeakResidentMb();
      evening.residentAfterSettledMb = bench::ResidentMb();
    }
  }
  evening.peakAfterLastMb = bench::PeakResidentMb();
  evening.residentAfterLastMb = bench::ResidentMb();
}

void BM_FiftyShows(benchmark::State& state) {
  bench::ScratchGameDir scratch("trivenza-fifty-shows-bench");
  if (!scratch.hasMedia()) {
    state.SkipWithError("the game directory has no media");
    return;
  }
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  Evening evening;
  for (auto _ : state) {
    Harness harness;
    createForm(&TvzMain);
    TvzMain->Show();
    createForm(&PopupBox2);
    harness.run([&](Driver& d) {
      PlayTheEvening(d, evening);
      d.press('Q');
      d.ticks(3);
    });
  }
  state.counters["shows"] = evening.shows;
  state.counters["mean_show_ms"] = evening.shows ? 1000.0 * evening.showSeconds / evening.shows : 0;
  state.counters["mean_show_cpu_ms"] = evening.shows ? 1000.0 * evening.showCpuSeconds / evening.shows : 0;
  state.counters["peak_rss_after_5_mb"] = evening.peakAfterSettledMb;
  state.counters["peak_rss_after_50_mb"] = evening.peakAfterLastMb;
  state.counters["peak_growth_mb"] = evening.peakAfterLastMb - evening.peakAfterSettledMb;
  state.counters["rss_after_5_mb"] = evening.residentAfterSettledMb;
  state.counters["rss_after_50_mb"] = evening.residentAfterLastMb;
  if (!evening.failure.empty()) {
    state.SkipWithError(evening.failure.c_str());
  } else if (evening.peakAfterLastMb - evening.peakAfterSettledMb >= kMostGrowthMb) {
    state.SkipWithError("the peak resident memory grew by 5 MB or more between show 5 and show 50");
  }
}

BENCHMARK(BM_FiftyShows)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
