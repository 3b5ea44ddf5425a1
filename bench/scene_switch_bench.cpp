// The camera scenes on the real game directory: assembling the opening
// soundtrack from its clips (under 5 ms wanted), and switching from one scene
// to the next as the show does it in one tick: create, load the pictures,
// show, close the previous one, release it, draw the frame (under 16 ms).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>

#include "core/services.h"
#include "harness/harness.h"
#include "scenes/camera2a.h"
#include "scenes/camera3h.h"
#include "scenes/camera3hc.h"
#include "scenes/camera3w.h"
#include "scenes/camera4.h"
#include "scenes/camera4x.h"
#include "scenes/camera5a.h"
#include "scenes/opening_soundtrack.h"

namespace {

using namespace tvz;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The game as the scenes see it: a scratch game directory with the media
// linked in, the services up with a seated line-up, a headless window with a
// stage form below the scenes. Each benchmark run builds its own and takes it
// down again, so no window outlives its run: the whole-show benchmarks that
// follow in the same process start their own program.
class SceneStudio {
 public:
  SceneStudio() : previous_(fs::current_path()) {
    dir_ = fs::temp_directory_path() / "trivenza-scene-bench";
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    if (!fs::exists(fs::path(TRIVENZA_GAME_DIR) / "tvzd.tzd")) return;
    testing::linkGameMedia(TRIVENZA_GAME_DIR, dir_.string());
    fs::current_path(dir_);
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    app_ = std::make_unique<Application>();
    VideoInitError error;
    if (!app_->init({.headless = true, .softwareRenderer = true}, &error)) return;
    services_ = std::make_unique<TvzServices>();
    if (!services_->CreateServices() || !services_->LoadPicture("cam3bknd.mm1", services_->Backdrop)) return;
    SeatLineUp();
    createForm<Form>()->Show();
    ready_ = true;
  }
  SceneStudio(const SceneStudio&) = delete;
  SceneStudio& operator=(const SceneStudio&) = delete;
  bool ready() const { return ready_; }
  ~SceneStudio() {
    app_.reset();
    services_.reset();
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

 private:
  void SeatLineUp() {
    for (int k = 0; k < kContestantCount; ++k) {
      ContestantRecord& who = services_->Contestants[k];
      who.IsHuman = k == 0;
      who.Appearance = 2 * k + 1;
      who.FirstNameIdx = k + 4;
      who.LastNameIdx = 3 * k + 1;
      who.OccupationIdx = 5 * k + 2;
      who.ResidenceIdx = 7 * k + 3;
      for (int cell = 0; cell < kCellCount; ++cell) who.CellValue[cell] = cell + 1;
    }
    services_->QuestionTextRef = 12;
    for (int slot = 0; slot < 4; ++slot) services_->AnswerIds[slot] = 48 + slot;
    services_->TimeLimit = 30;
    services_->FirstPlace = 1;
    services_->SecondPlace = 2;
    services_->ThirdPlace = 0;
  }

  fs::path previous_;
  fs::path dir_;
  std::unique_ptr<Application> app_;
  std::unique_ptr<TvzServices> services_;
  bool ready_ = false;
};

void BM_OpeningSoundtrackRealClips(benchmark::State& state) {
  SceneStudio studio;
  if (!studio.ready()) {
    state.SkipWithError("no game directory with media");
    return;
  }
  for (auto _ : state) {
    if (!AssembleOpeningSoundtrack(*Services)) state.SkipWithError("a clip is missing");
    benchmark::DoNotOptimize(Services->VoiceStream.bytes.data());
  }
  state.counters["seconds"] = static_cast<double>(SampleCount(Services->VoiceStream.bytes)) / 22050.0;
}
BENCHMARK(BM_OpeningSoundtrackRealClips)->Unit(benchmark::kMillisecond);

template <class Scene>
void SetContestant(Scene* scene) {
  if constexpr (requires { scene->Contestant = 0; }) scene->Contestant = 0;
}

// One switch per iteration: the next scene of the kind replaces the previous
// one. The slowest switch is what a player could feel as a stutter.
template <class Scene>
void BM_SceneSwitch(benchmark::State& state, Scene*& slot) {
  SceneStudio studio;
  if (!studio.ready()) {
    state.SkipWithError("no game directory with media");
    return;
  }
  Application& app = Application::current();
  double slowestMs = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    Scene* previous = slot;
    Scene* next = createForm<Scene>();
    SetContestant(next);
    if (!next->LoadPictures()) {
      state.SkipWithError("the scene's pictures did not load");
      break;
    }
    next->Show();
    if (previous) previous->Close();
    slot = next;
    app.processMessages();
    benchmark::DoNotOptimize(app.captureCanvas().pixels());
    slowestMs = std::max(slowestMs, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  if (slot) slot->Close();
  slot = nullptr;
  app.processMessages();
  state.counters["slowest_ms"] = slowestMs;
}

// The scenes' own registry variables are left to the show; these hold the
// benchmark's instances.
TCamera3w* categoryScene = nullptr;
TCamera3hc* valueScene = nullptr;
TCamera3h* questionScene = nullptr;
TCamera4* lineUp = nullptr;
TCamera2a* card = nullptr;
TCamera5a* breakScene = nullptr;
TCamera4x* winners = nullptr;

BENCHMARK_CAPTURE(BM_SceneSwitch, category_choice, categoryScene)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SceneSwitch, challenge_value, valueScene)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SceneSwitch, question, questionScene)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SceneSwitch, line_up, lineUp)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SceneSwitch, contestant_card, card)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SceneSwitch, commercial_break, breakScene)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SceneSwitch, winners, winners)->Unit(benchmark::kMillisecond);

}  // namespace
