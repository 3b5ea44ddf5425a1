// One frame of the game board while all three contestants talk: the frame's
// dispatch (timers, the face queues) and the drawing of the whole board with
// three face frames decoded anew, on the real game's media. The clock moves a
// face frame per iteration, so every frame decodes three new faces.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "core/screens.h"
#include "core/services.h"
#include "platform/application.h"
#include "platform/clock.h"
#include "scratch_game_dir.h"
#include "show/board.h"

namespace {

using namespace tvz;

constexpr std::uint32_t kFaceFrameMs = 67;  // the face clips run at 15 frames a second

void SeatTalkers(TvzServices& services) {
  services.Round = 1;
  const int appearances[] = {0, 3, 4};
  for (int c = 0; c < kContestantCount; ++c) {
    ContestantRecord& who = services.Contestants[c];
    who.Appearance = appearances[c];
    who.AppearanceNo = appearances[c] / 2 + 1;
    who.FirstNameIdx = c;
    who.Role = c == 0 ? 1 : 0;
  }
}

// Each contestant says a long phrase again as soon as the last one ends.
void KeepTalking(TCamera2& board) {
  for (int c = 0; c < kContestantCount; ++c)
    if (board.AnimQueue[c][0].empty() && !board.AnimPlaying[c])
      board.QueueFaces(c, {FaceSegment::IllChallengeFor, FaceSegment::Number30, FaceSegment::Closing});
}

void BM_BoardFrameThreeFaces(benchmark::State& state) {
  bench::ScratchGameDir scratch("trivenza-board-frame");
  if (!scratch.hasMedia()) {
    state.SkipWithError("the game directory has no media");
    return;
  }
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  ManualClock clock(1000);
  installClock(&clock);
  {
    Application app;
    ApplicationOptions options;
    options.headless = true;
    options.softwareRenderer = true;
    VideoInitError error;
    TvzServices services;
    if (!app.init(options, &error) || !services.CreateServices()) {
      state.SkipWithError("no video or no game files");
    } else {
      SeatTalkers(services);
      if (!createForm(&Camera2) || !Camera2->LoadPictures()) {
        state.SkipWithError("the board did not load");
      } else {
        Camera2->Show();
        app.processMessages();
        int talking = 0, frames = 0;
        for (auto _ : state) {
          KeepTalking(*Camera2);
          clock.advance(kFaceFrameMs);
          app.processMessages();
          Camera2->StepShow();
          app.invalidate();
          app.redraw();
          for (int c = 0; c < kContestantCount; ++c) talking += Camera2->AnimPlaying[c];
          ++frames;
        }
        // How many of the three faces moved on an average frame (3 = all).
        state.counters["faces_moving"] = frames ? static_cast<double>(talking) / frames : 0;
      }
    }
  }
  installClock(nullptr);
}
BENCHMARK(BM_BoardFrameThreeFaces)->Unit(benchmark::kMillisecond);

}  // namespace
