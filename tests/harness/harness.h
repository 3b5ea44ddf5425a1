#pragma once
// The headless harness: runs the real Application (offscreen video, dummy
// audio, manual clock, fixed random seed) and drives it from a scenario.
//
// The application loop runs on the test's thread and the scenario on a second
// thread, strictly in turns: the scenario runs only while the loop is idle,
// and each driver call hands the turn back until the loop is idle again. So a
// handler may open a modal loop and the scenario still reads straight on:
//
//   tvz::testing::Harness h;
//   auto* menu = tvz::createForm<TTopMenu>(&TopMenu);   // first forms, before run
//   menu->Show();
//   h.run([&](tvz::testing::Driver& d) {
//     d.keyDown('L');
//     d.keyUp('L');        // opens a modal screen; the scenario goes on
//     d.ticks(10);          // ten frame ticks of 33 ms
//     EXPECT_TRUE(...);
//     d.capture("menu.png");
//   });
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/application.h"
#include "platform/bitmap.h"
#include "platform/clock.h"
#include "platform/keys.h"

namespace tvz::testing {

inline constexpr std::uint32_t kFrameMs = 33;

struct HarnessOptions {
  std::uint32_t randomSeed = 12345;
  std::uint32_t startTick = 1000;
};

// Where tests write their pictures and files: "test-output" beside the test
// program, in a folder named for the running test ("Suite.Test").
std::string outputPath(const std::string& fileName);

// Writes a file a test reads back (a clip, a picture) under a temporary name
// and renames it into place.
void writeFixture(const std::string& path, const void* bytes, std::size_t size);

// True for a media file of a built game directory: a file that is neither
// the program nor one of a player's own (champions, saved games, error log).
bool isGameMedia(const std::string& path);

// True for a file linkGameMedia put in a test's folder: a hard or symbolic
// link to the game folder's media (what a test writes has a single name).
bool isLinkedMedia(const std::filesystem::directory_entry& entry);

// Links the media files of a built game directory into another directory,
// leaving out the names in except.
void linkGameMedia(const std::string& gameDir, const std::string& into,
                   const std::vector<std::string>& except = {});

class Harness;

class Driver {
 public:
  explicit Driver(Harness& harness) : harness_(harness) {}

  // Keys, as virtual-key codes ('A'..'Z', '0'..'9', vk::...).
  void keyDown(int vk, ShiftState shift = {});
  void keyUp(int vk, ShiftState shift = {});
  // Key down, the character it types (letters lower case unless shifted),
  // key up: what pressing and releasing a key does.
  void press(int vk, ShiftState shift = {});
  // Typed text (Windows-1252), as the keyboard's text input delivers it.
  void type(std::string_view text);

  // Mouse, at logical screen coordinates (800x600).
  void mouseMove(int x, int y);
  void mouseDown(int x, int y, std::uint8_t sdlButton = 1);
  void mouseUp(int x, int y, std::uint8_t sdlButton = 1);
  void click(int x, int y);  // move, down and up at one point
  void wheel(int steps);
  // The window manager asks the window to close (its Alt+F4 or close button).
  void closeRequest();

  // Lets the application handle what is pending, without time passing.
  void settle();
  // n frame ticks: the clock moves 33 ms and the loop runs, n times.
  void ticks(int n);
  // Moves the clock by ms in steps of at most 33 ms.
  void advance(std::uint32_t ms);
  // Ticks until the condition holds (checked before each tick); false when
  // maxTicks passed without it.
  bool until(const std::function<bool()>& condition, int maxTicks);

  Bitmap capture();
  // Writes the screen to outputPath(fileName); returns the full path.
  std::string capture(const std::string& fileName);

  Application& app();
  ManualClock& clock();

 private:
  Harness& harness_;
};

class Harness {
 public:
  explicit Harness(HarnessOptions options = {});
  ~Harness();
  Harness(const Harness&) = delete;
  Harness& operator=(const Harness&) = delete;

  // False when the window could not be set up (see error()).
  bool ok() const { return ok_; }
  const VideoInitError& error() const { return error_; }
  Application& app() { return *app_; }
  ManualClock& clock() { return clock_; }

  // Runs the application loop until the scenario returns (or the program
  // ends by itself, after which driver calls return at once).
  void run(const std::function<void(Driver&)>& scenario);
  // As run, calling setup first (where a test creates and shows its first
  // forms, the game's main window for one).
  void run(const std::function<void()>& setup, const std::function<void(Driver&)>& scenario);

  // Used by Driver: hands the turn to the application until it is idle.
  void handToApplication();
  bool applicationFinished() const { return appFinished_; }

 private:
  struct Turns;
  void handToScenario();

  ManualClock clock_;
  std::unique_ptr<Application> app_;
  VideoInitError error_;
  bool ok_ = false;
  bool appFinished_ = false;
  std::unique_ptr<Turns> turns_;
};

}  // namespace tvz::testing
