#include "harness/harness.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "platform/random.h"
#include "platform/text.h"

namespace tvz::testing {
namespace {

// The SDL key for a virtual-key code, for keys the tests press.
SDL_Keycode sdlKeyFor(int vk) {
  if (vk >= 'A' && vk <= 'Z') return SDLK_a + (vk - 'A');
  if (vk >= '0' && vk <= '9') return SDLK_0 + (vk - '0');
  if (vk >= 0x70 && vk <= 0x7B) return SDLK_F1 + (vk - 0x70);
  switch (vk) {
    case vk::Back: return SDLK_BACKSPACE;
    case vk::Tab: return SDLK_TAB;
    case vk::Return: return SDLK_RETURN;
    case vk::Escape: return SDLK_ESCAPE;
    case vk::Space: return SDLK_SPACE;
    case vk::Prior: return SDLK_PAGEUP;
    case vk::Next: return SDLK_PAGEDOWN;
    case vk::End: return SDLK_END;
    case vk::Home: return SDLK_HOME;
    case vk::Left: return SDLK_LEFT;
    case vk::Up: return SDLK_UP;
    case vk::Right: return SDLK_RIGHT;
    case vk::Down: return SDLK_DOWN;
    case vk::Snapshot: return SDLK_PRINTSCREEN;
    case vk::Insert: return SDLK_INSERT;
    case vk::Delete: return SDLK_DELETE;
    case vk::Shift: return SDLK_LSHIFT;
    case vk::Control: return SDLK_LCTRL;
    case vk::Menu: return SDLK_LALT;
    default: return SDLK_UNKNOWN;
  }
}

Uint16 sdlModFor(ShiftState shift) {
  Uint16 mod = KMOD_NONE;
  if (shift.shift) mod |= KMOD_LSHIFT;
  if (shift.ctrl) mod |= KMOD_LCTRL;
  if (shift.alt) mod |= KMOD_LALT;
  return mod;
}

void pushKey(Uint32 type, int vk, ShiftState shift) {
  SDL_Event event{};
  event.type = type;
  event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = sdlKeyFor(vk);
  event.key.keysym.scancode = SDL_GetScancodeFromKey(event.key.keysym.sym);
  event.key.keysym.mod = sdlModFor(shift);
  SDL_PushEvent(&event);
}

void pushButton(Uint32 type, int x, int y, std::uint8_t button) {
  SDL_Event event{};
  event.type = type;
  event.button.button = button;
  event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.button.clicks = 1;
  event.button.x = x;
  event.button.y = y;
  SDL_PushEvent(&event);
}

}  // namespace

std::string outputPath(const std::string& fileName) {
  // Beside the test program, so a run from the source tree leaves it clean;
  // in a folder of the running test's own, so that tests run side by side
  // (ctest -j) never write or map each other's files.
  std::error_code noExe;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", noExe);
  const auto base = noExe ? std::filesystem::current_path() : exe.parent_path();
  auto dir = base / "test-output";
  if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info())
    dir /= std::string(test->test_suite_name()) + "." + test->name();
  std::error_code ignored;
  std::filesystem::create_directories(dir, ignored);
  return (dir / fileName).string();
}

void writeFixture(const std::string& path, const void* bytes, std::size_t size) {
  // Written whole under a name of its own, then renamed: a reader that has the
  // old file open or mapped keeps the old bytes, never half of the new ones.
  const std::string temporary = path + ".part-" + std::to_string(::getpid());
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
    if (!out.flush()) throw std::runtime_error("cannot write " + temporary);
  }
  std::filesystem::rename(temporary, path);
}

bool isGameMedia(const std::string& path) {
  namespace fs = std::filesystem;
  const fs::path file(path);
  const std::string name = file.filename().string();
  // What a player's own game leaves in its folder: champions, the error log,
  // settings, the questions asked and saved games. Linked into a test's
  // folder, a test writing one would write the game folder's copy.
  const bool players = name == "vantoc.mm3" || name == "error.log" || name == "settings.ini" ||
                       name == "asked.tvh" || file.extension() == ".tzs";
  return !players && name != "trivenza" && fs::is_regular_file(file);
}

bool isLinkedMedia(const std::filesystem::directory_entry& entry) {
  std::error_code ec;
  if (entry.is_symlink(ec)) return true;
  return entry.is_regular_file(ec) && entry.hard_link_count(ec) > 1 && !ec;
}

void linkGameMedia(const std::string& gameDir, const std::string& into,
                   const std::vector<std::string>& except) {
  namespace fs = std::filesystem;
  for (const auto& entry : fs::directory_iterator(gameDir)) {
    const std::string name = entry.path().filename().string();
    if (!isGameMedia(entry.path().string())) continue;
    if (std::find(except.begin(), except.end(), name) != except.end()) continue;
    // A hard link where it can be: a test that runs the game as an ordinary
    // user then reads the media wherever the build is, also in a checkout in
    // a private temporary folder that a symbolic link would pass through.
    std::error_code notLinked;
    fs::create_hard_link(entry.path(), fs::path(into) / name, notLinked);
    if (notLinked) fs::create_symlink(entry.path(), fs::path(into) / name);
  }
}

// The turn between the loop and the scenario: only one of them runs.
struct Harness::Turns {
  std::mutex mutex;
  std::condition_variable changed;
  bool scenarioTurn = false;
  bool scenarioDone = false;

  void give(bool toScenario) {
    std::unique_lock lock(mutex);
    scenarioTurn = toScenario;
    changed.notify_all();
    changed.wait(lock, [&] { return scenarioTurn != toScenario || (toScenario && scenarioDone); });
  }
};

Harness::Harness(HarnessOptions options) : clock_(options.startTick), turns_(std::make_unique<Turns>()) {
  // Without a display: offscreen video and silent audio, unless a developer
  // asked for a real driver to watch a test.
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  installClock(&clock_);
  Randomize(options.randomSeed);
  app_ = std::make_unique<Application>();
  ApplicationOptions appOptions;
  appOptions.headless = true;
  appOptions.softwareRenderer = true;
  ok_ = app_->init(appOptions, &error_);
}

Harness::~Harness() {
  app_.reset();
  installClock(nullptr);
}

void Harness::handToApplication() {
  if (appFinished_) return;
  turns_->give(false);
}

void Harness::handToScenario() {
  if (turns_->scenarioDone) {
    app_->terminate();
    return;
  }
  turns_->give(true);
  if (turns_->scenarioDone) app_->terminate();
}

void Harness::run(const std::function<void(Driver&)>& scenario) {
  appFinished_ = false;
  turns_->scenarioDone = false;
  turns_->scenarioTurn = false;
  std::exception_ptr failure;
  std::thread scenarioThread([&] {
    {
      std::unique_lock lock(turns_->mutex);
      turns_->changed.wait(lock, [&] { return turns_->scenarioTurn; });
    }
    Driver driver(*this);
    try {
      scenario(driver);
    } catch (...) {
      failure = std::current_exception();
    }
    std::unique_lock lock(turns_->mutex);
    turns_->scenarioDone = true;
    turns_->scenarioTurn = false;
    turns_->changed.notify_all();
  });
  app_->idleHook = [this] { handToScenario(); };
  app_->run();
  app_->idleHook = nullptr;
  // The program may have ended before the scenario did: let it finish alone.
  appFinished_ = true;
  {
    std::unique_lock lock(turns_->mutex);
    turns_->scenarioTurn = true;
    turns_->changed.notify_all();
    turns_->changed.wait(lock, [&] { return turns_->scenarioDone; });
  }
  scenarioThread.join();
  if (failure) std::rethrow_exception(failure);
}

void Harness::run(const std::function<void()>& setup, const std::function<void(Driver&)>& scenario) {
  setup();
  run(scenario);
}

// --- Driver ------------------------------------------------------------------

Application& Driver::app() { return harness_.app(); }
ManualClock& Driver::clock() { return harness_.clock(); }

void Driver::settle() { harness_.handToApplication(); }

void Driver::keyDown(int vk, ShiftState shift) {
  pushKey(SDL_KEYDOWN, vk, shift);
  settle();
}

void Driver::keyUp(int vk, ShiftState shift) {
  pushKey(SDL_KEYUP, vk, shift);
  settle();
}

void Driver::press(int vk, ShiftState shift) {
  keyDown(vk, shift);
  if (vk >= 'A' && vk <= 'Z' && !shift.ctrl && !shift.alt)
    type(std::string(1, static_cast<char>(shift.shift ? vk : vk - 'A' + 'a')));
  else if (((vk >= '0' && vk <= '9') || vk == vk::Space) && !shift.ctrl && !shift.alt)
    type(std::string(1, static_cast<char>(vk)));
  keyUp(vk, shift);
}

void Driver::type(std::string_view text) {
  const std::string utf8 = cp1252ToUtf8(text);
  SDL_Event event{};
  event.type = SDL_TEXTINPUT;
  // One event per character keeps each within the event's small buffer.
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t length = 1;
    while (i + length < utf8.size() && (static_cast<unsigned char>(utf8[i + length]) & 0xC0) == 0x80) ++length;
    std::fill(std::begin(event.text.text), std::end(event.text.text), '\0');
    std::copy_n(utf8.data() + i, length, event.text.text);
    SDL_PushEvent(&event);
    i += length;
  }
  settle();
}

void Driver::mouseMove(int x, int y) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.x = x;
  event.motion.y = y;
  SDL_PushEvent(&event);
  settle();
}

void Driver::mouseDown(int x, int y, std::uint8_t button) {
  pushButton(SDL_MOUSEBUTTONDOWN, x, y, button);
  settle();
}

void Driver::mouseUp(int x, int y, std::uint8_t button) {
  pushButton(SDL_MOUSEBUTTONUP, x, y, button);
  settle();
}

void Driver::click(int x, int y) {
  mouseMove(x, y);
  mouseDown(x, y);
  mouseUp(x, y);
}

void Driver::wheel(int steps) {
  SDL_Event event{};
  event.type = SDL_MOUSEWHEEL;
  event.wheel.y = steps;
  event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
  SDL_PushEvent(&event);
  settle();
}

void Driver::closeRequest() {
  SDL_Event event{};
  event.type = SDL_QUIT;
  SDL_PushEvent(&event);
  settle();
}

void Driver::ticks(int n) {
  for (int i = 0; i < n; ++i) {
    clock().advance(kFrameMs);
    settle();
  }
}

void Driver::advance(std::uint32_t ms) {
  while (ms > 0) {
    const std::uint32_t step = std::min(ms, kFrameMs);
    clock().advance(step);
    settle();
    ms -= step;
  }
}

bool Driver::until(const std::function<bool()>& condition, int maxTicks) {
  for (int i = 0; i < maxTicks; ++i) {
    if (condition()) return true;
    ticks(1);
  }
  return condition();
}

Bitmap Driver::capture() { return app().captureCanvas(); }

std::string Driver::capture(const std::string& fileName) {
  const std::string path = outputPath(fileName);
  std::string error;
  if (!app().savePng(path, &error)) throw std::runtime_error(error);
  return path;
}

}  // namespace tvz::testing
