// Full screen or a window, on a real (offscreen) window: the game starts as
// asked, F11 and Alt+Enter switch at any time without any screen seeing the
// keys, a window can be resized and keeps the 800x600 stage letterboxed in
// it, and only full screen minimises itself when the game loses the focus.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "harness/harness.h"
#include "platform/application.h"
#include "platform/canvas.h"
#include "platform/form.h"
#include "platform/png.h"

namespace tvz {
namespace {

constexpr Color kStageColour = rgb(40, 90, 200);

// A full-screen form of one colour that records the keys it is given.
class KeyRecorder : public Form {
 public:
  KeyRecorder() {
    fillScreen();
    setColor(kStageColour);
  }
  void FormKeyDown(int& key, ShiftState) override { downs.push_back(key); }
  void FormKeyUp(int& key, ShiftState) override { ups.push_back(key); }
  std::vector<int> downs, ups;
};

SDL_Event keyEvent(SDL_Scancode scancode, bool down, std::uint16_t mod = KMOD_NONE, bool repeat = false) {
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.repeat = repeat ? 1 : 0;
  e.key.keysym.scancode = scancode;
  e.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
  e.key.keysym.mod = mod;
  return e;
}

class WindowMode : public ::testing::Test {
 protected:
  // The real window of the game on SDL's offscreen driver: not headless.
  bool start(bool windowed) {
    ApplicationOptions options;
    options.softwareRenderer = true;
    options.windowed = windowed;
    VideoInitError error;
    if (!app.init(options, &error)) {
      ADD_FAILURE() << error.reason;
      return false;
    }
    app.onFullscreenToggled = [this](bool fullscreen) { told.push_back(fullscreen); };
    form = createForm<KeyRecorder>();
    form->Show();
    settle();
    return true;
  }
  void press(SDL_Scancode scancode, std::uint16_t mod = KMOD_NONE) {
    app.dispatchEvent(keyEvent(scancode, true, mod));
    app.dispatchEvent(keyEvent(scancode, false, mod));
    settle();
  }
  void settle() {
    SDL_PumpEvents();
    app.processMessages();
  }
  Uint32 flags() const { return SDL_GetWindowFlags(app.sdlWindow()); }
  std::pair<int, int> size() const {
    int w = 0, h = 0;
    SDL_GetWindowSize(app.sdlWindow(), &w, &h);
    return {w, h};
  }
  std::pair<int, int> desktop() const {
    SDL_DisplayMode mode{};
    SDL_GetDesktopDisplayMode(0, &mode);
    return {mode.w, mode.h};
  }

  Application app;
  KeyRecorder* form = nullptr;
  std::vector<bool> told;
};

TEST_F(WindowMode, FullScreenByDefaultAndAnOrdinaryResizableWindowWhenAsked) {
  ASSERT_TRUE(start(false));
  EXPECT_TRUE(app.fullscreen());
  EXPECT_TRUE(flags() & SDL_WINDOW_FULLSCREEN_DESKTOP);
  EXPECT_EQ(size(), desktop());
  EXPECT_TRUE(app.minimisesOnFocusLoss());
}

TEST_F(WindowMode, AWindowIs800x600ResizableAndStaysWhenTheFocusGoes) {
  ASSERT_TRUE(start(true));
  EXPECT_FALSE(app.fullscreen());
  EXPECT_FALSE(flags() & SDL_WINDOW_FULLSCREEN);
  EXPECT_TRUE(flags() & SDL_WINDOW_RESIZABLE);
  EXPECT_EQ(size(), (std::pair{kWindowedWidth, kWindowedHeight}));
  EXPECT_FALSE(app.minimisesOnFocusLoss());
  SDL_Event focus{};
  focus.type = SDL_WINDOWEVENT;
  focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  app.dispatchEvent(focus);
  EXPECT_FALSE(flags() & SDL_WINDOW_MINIMIZED);
}

TEST_F(WindowMode, F11AndAltEnterSwitchAndNoScreenSeesThem) {
  ASSERT_TRUE(start(false));
  press(SDL_SCANCODE_F11);
  EXPECT_FALSE(app.fullscreen());
  EXPECT_FALSE(flags() & SDL_WINDOW_FULLSCREEN);
  EXPECT_EQ(size(), (std::pair{kWindowedWidth, kWindowedHeight})) << "the window's own size, not the desktop's";
  EXPECT_FALSE(app.minimisesOnFocusLoss());

  press(SDL_SCANCODE_RETURN, KMOD_LALT);
  EXPECT_TRUE(app.fullscreen());
  EXPECT_TRUE(flags() & SDL_WINDOW_FULLSCREEN_DESKTOP);
  press(SDL_SCANCODE_KP_ENTER, KMOD_RALT);
  EXPECT_FALSE(app.fullscreen());
  EXPECT_EQ(told, (std::vector<bool>{false, true, false})) << "each switch is told, to be remembered";

  // A held key switches once; its repeats and its release go nowhere.
  app.dispatchEvent(keyEvent(SDL_SCANCODE_F11, true));
  app.dispatchEvent(keyEvent(SDL_SCANCODE_F11, true, KMOD_NONE, true));
  app.dispatchEvent(keyEvent(SDL_SCANCODE_F11, true, KMOD_NONE, true));
  app.dispatchEvent(keyEvent(SDL_SCANCODE_F11, false));
  settle();
  EXPECT_TRUE(app.fullscreen());
  EXPECT_EQ(told.size(), 4u);
  EXPECT_TRUE(form->downs.empty()) << "no screen saw a switching key go down";
  EXPECT_TRUE(form->ups.empty()) << "nor come up";

  // Alt+Enter released after the Alt key still belongs to the switch; Enter
  // alone is the screens' own.
  app.dispatchEvent(keyEvent(SDL_SCANCODE_RETURN, true, KMOD_LALT));
  app.dispatchEvent(keyEvent(SDL_SCANCODE_RETURN, false, KMOD_NONE));
  press(SDL_SCANCODE_RETURN);
  EXPECT_EQ(form->downs, std::vector<int>{vk::Return});
  EXPECT_EQ(form->ups, std::vector<int>{vk::Return});
}

TEST_F(WindowMode, AResizedWindowKeepsTheStageLetterboxed) {
  ASSERT_TRUE(start(true));
  SDL_SetWindowSize(app.sdlWindow(), 1000, 600);
  settle();
  ASSERT_EQ(size(), (std::pair{1000, 600}));
  Bitmap wide = app.captureWindow();
  ASSERT_EQ(wide.width(), 1000);
  ASSERT_EQ(wide.height(), 600);
  writePng(wide, testing::outputPath("window-1000x600.png"));
  // Black bars of 100 pixels each side, the stage between them.
  EXPECT_EQ(wide.pixel(50, 300), rgb(0, 0, 0));
  EXPECT_EQ(wide.pixel(950, 300), rgb(0, 0, 0));
  EXPECT_EQ(wide.pixel(105, 5), kStageColour);
  EXPECT_EQ(wide.pixel(500, 300), kStageColour);
  EXPECT_EQ(wide.pixel(894, 594), kStageColour);

  SDL_SetWindowSize(app.sdlWindow(), 800, 900);
  settle();
  Bitmap tall = app.captureWindow();
  writePng(tall, testing::outputPath("window-800x900.png"));
  ASSERT_EQ(tall.height(), 900);
  EXPECT_EQ(tall.pixel(400, 100), rgb(0, 0, 0)) << "bars above and below";
  EXPECT_EQ(tall.pixel(400, 800), rgb(0, 0, 0));
  EXPECT_EQ(tall.pixel(400, 450), kStageColour);

  // A window switched to full screen and back gets its last size again.
  app.setFullscreen(true);
  settle();
  app.setFullscreen(false);
  settle();
  EXPECT_EQ(size(), (std::pair{800, 900}));
}

}  // namespace
}  // namespace tvz
