// The cost of one frame of a menu-like screen (event dispatch, painting a
// full-screen picture and a dozen labels, presenting through SDL's software
// renderer), and the CPU the main loop uses while the screen stands still.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <memory>

#include "platform/application.h"
#include "platform/controls.h"
#include "platform/form.h"

namespace {

using namespace tvz;

class MenuScreen : public Form {
 public:
  Picture* BkgndImg = add<Picture>(0, 0, 800, 600);
  MenuScreen() {
    fillScreen();
    setFont({"Times New Roman", 32, false, false, false, rgb(255, 102, 0)});
    Bitmap backdrop(800, 600);
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x) backdrop.setPixel(x, y, rgb(x * 255 / 800, y * 255 / 600, 96));
    BkgndImg->setBitmap(backdrop);
    const char* captions[] = {"Buy Trivenza", "New Game", "Load Game", "Multi-Player", "Champions", "Help",
                              "Quit", "Sound", "Tooltips", "Easy", "Average", "Expert"};
    int top = 40;
    for (const char* caption : captions) {
      Label* button = add<Label>(250, top, 300, 36, caption);
      button->setAlignment(Alignment::Center);
      button->setLayout(VerticalAlignment::Center);
      button->setTransparent(true);
      button->setCursor(Cursor::HandPoint);
      top += 44;
    }
  }
};

std::unique_ptr<Application> startApplication(bool headless) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  auto app = std::make_unique<Application>();
  ApplicationOptions options;
  options.headless = headless;
  options.softwareRenderer = true;
  VideoInitError error;
  if (!app->init(options, &error)) return nullptr;
  return app;
}

void BM_MenuFrame(benchmark::State& state) {
  auto app = startApplication(true);
  if (!app) {
    state.SkipWithError("no video");
    return;
  }
  auto* menu = createForm<MenuScreen>();
  menu->Show();
  int x = 0;
  for (auto _ : state) {
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 300 + (x++ % 200);
    motion.motion.y = 100;
    SDL_PushEvent(&motion);
    app->processMessages();
    app->invalidate();
    app->redraw();
  }
}
BENCHMARK(BM_MenuFrame)->Unit(benchmark::kMillisecond);

// Painting alone (no presenting), to tell the two costs apart.
void BM_MenuPaint(benchmark::State& state) {
  auto app = startApplication(true);
  if (!app) {
    state.SkipWithError("no video");
    return;
  }
  auto* menu = createForm<MenuScreen>();
  menu->Show();
  for (auto _ : state) benchmark::DoNotOptimize(app->captureCanvas());
}
BENCHMARK(BM_MenuPaint)->Unit(benchmark::kMillisecond);

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The real main loop with the 33 ms frame timer running over a static screen
// for three seconds: the share of one core it takes.
void BM_IdleLoopCpu(benchmark::State& state) {
  auto app = startApplication(false);
  if (!app) {
    state.SkipWithError("no video");
    return;
  }
  auto* menu = createForm<MenuScreen>();
  menu->Show();
  int frames = 0;
  Timer frameTimer(33, [&](Timer&) { ++frames; });
  double percent = 0;
  for (auto _ : state) {
    app->processMessages();  // the first drawing is not idle time
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = cpuSeconds();
    Timer stop(3000, [&](Timer&) { app->terminate(); });
    app->run();
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    percent = 100.0 * (cpuSeconds() - cpuStart) / wall;
  }
  state.counters["cpu_percent"] = percent;
  state.counters["frame_ticks"] = frames;
}
BENCHMARK(BM_IdleLoopCpu)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
