#pragma once
// The application object (one per process): the one window (full screen, or
// an ordinary resizable window) with its 800x600 logical screen, the main
// loop, the timer list, the forms, the screen-wide cursor, hints, and what the
// player sees (captures, PNGs).
//
//   tvz::Application app;
//   tvz::VideoInitError error;
//   if (!app.init({}, &error)) { report "DirectDraw Error", error.location, error.code }
//   auto* main = tvz::createForm<TMainWindow>(&MainWindow);
//   main->Show();
//   app.run();  // until the main form closes or terminate()
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/control.h"

union SDL_Event;
struct SDL_Window;

namespace tvz {

class Form;
class Timer;

inline constexpr int kScreenWidth = 800;
inline constexpr int kScreenHeight = 600;

// Why the display could not be set up, in the terms the game reports:
// location 10 window and video, 15 renderer, 20 logical 800x600 screen.
struct VideoInitError {
  int location = 0;
  std::uint32_t code = 0;  // 0x80004005 generic failure, 0x887600DE no driver support
  std::string reason;
};

inline constexpr std::uint32_t kErrorGeneric = 0x80004005u;
inline constexpr std::uint32_t kErrorNoDriverSupport = 0x887600DEu;

struct ApplicationOptions {
  std::string title = "Trivenza";
  // Headless: a plain 800x600 window on the offscreen (or dummy) video
  // driver; nothing is drawn unless a capture is asked for.
  bool headless = false;
  // Forces SDL's software renderer (benchmarks, machines without GPU).
  bool softwareRenderer = false;
  // Starts in an ordinary window instead of full screen.
  bool windowed = false;
};

// The size an ordinary window starts at, and the least it can be made.
inline constexpr int kWindowedWidth = kScreenWidth, kWindowedHeight = kScreenHeight;
inline constexpr int kSmallestWindowWidth = 320, kSmallestWindowHeight = 240;

class Application {
 public:
  Application();
  ~Application();  // destroys the remaining forms, then the window
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The application alive now; forms and timers register with it.
  static Application& current();
  static bool exists();

  bool init(const ApplicationOptions& options, VideoInitError* error);
  bool headless() const { return headless_; }

  // --- Main loop ---
  // Runs until terminate() or until the main form closes. An exception that
  // escapes a handler ends the loop and goes to onException; without one it
  // leaves run().
  void run();
  std::function<void(std::exception_ptr)> onException;
  void terminate();
  bool terminated() const { return terminated_; }
  // Handles what is pending now (events, due timers, deferred releases,
  // drawing) without waiting. The main loop and modal loops are made of this
  // plus an idle wait.
  void processMessages();
  // Sleeps until the next event or due timer (or calls idleHook instead).
  void waitForWork();
  // Called instead of the blocking wait whenever the loop is idle (the test
  // harness hands control to its scenario here). Empty: wait for the next
  // event or due timer.
  std::function<void()> idleHook;

  // --- Timers (the Timer class registers itself) ---
  void addTimer(Timer* timer);
  void removeTimer(Timer* timer);

  // --- Forms ---
  // The main form is the first form created; closing it ends the program.
  Form* mainForm() const { return mainForm_; }
  // The form receiving keys: the modal form while one runs, else the form
  // most recently shown or activated that is still visible.
  Form* activeForm() const { return activeForm_; }
  Form* modalForm() const;
  // All live forms, bottom to top in drawing order.
  std::vector<Form*> formsInZOrder() const;

  // --- Screen-wide cursor and hints ---
  void setScreenCursor(Cursor cursor);
  Cursor screenCursor() const { return screenCursor_; }
  // The shape shown now, after control and screen-wide cursors are combined.
  Cursor effectiveCursor() const { return shownCursor_; }
  void setShowHints(bool on);
  bool showHints() const { return showHints_; }
  // The hint box on show (empty when none).
  const std::string& hintOnShow() const { return hintText_; }
  static constexpr std::uint32_t kHintPauseMs = 500;

  // --- Full screen or a window ---
  // The window covers the desktop, or is an ordinary window that the player
  // may resize; the 800x600 screen is scaled into either and letterboxed.
  // F11 and Alt+Enter switch at any time. Full screen minimises itself when
  // the game loses the focus, as full-screen programs do; a window stays.
  bool fullscreen() const { return fullscreen_; }
  void setFullscreen(bool on);
  bool minimisesOnFocusLoss() const { return fullscreen_ && !headless_; }
  // Told after each switch by F11 or Alt+Enter (the program remembers it).
  std::function<void(bool fullscreen)> onFullscreenToggled;
  // In a window, the window's close button (or the desktop's own close key)
  // goes here instead of reaching the active screen as Alt+F4, which the
  // game's screens swallow: a player who closes a window means it.
  std::function<void()> onWindowClose;
  // The SDL window (null when headless or released), for the tests.
  SDL_Window* sdlWindow() const;

  // --- The display ---
  // Gives the desktop its screen back: the full-screen window goes, and
  // nothing is presented any more (the canvas can still be captured). A box
  // shown at the program's end comes after this, so that no frozen
  // full-screen window can cover it.
  void releaseDisplay();
  bool displayReleased() const { return displayReleased_; }

  // --- Drawing ---
  // Something on screen changed; the next loop pass redraws.
  void invalidate() { dirty_ = true; }
  // Draws every visible form into the 800x600 canvas and returns a copy.
  Bitmap captureCanvas();
  // Writes the capture as a PNG; false and a reason on failure.
  bool savePng(const std::string& path, std::string* error = nullptr);
  // What the window shows now, at the window's own size with its letterbox
  // (drawn and presented first); empty when there is no window.
  Bitmap captureWindow();
  // Draws the canvas and presents it now (the loop does this when dirty).
  void redraw();

  // Handles one SDL event as the loop does (public for the harness and tests).
  void dispatchEvent(const SDL_Event& event);

  // --- Used by Form ---
  void registerForm(Form* form);
  void unregisterForm(Form* form);
  void formShown(Form* form);
  void formHidden(Form* form);
  void activate(Form* form);
  void bringToFront(Form* form);
  void scheduleRelease(Form* form);
  void pushModal(Form* form);
  void popModal(Form* form);
  void controlDestroyed(Control* control);
  void formDestroying(Form* form);

 private:
  struct Window;
  void fireDueTimers();
  void releasePending();
  void paintCanvas();
  void present();
  void handleCloseRequest();
  void handleKey(const SDL_Event& event, bool down);
  void handleText(const SDL_Event& event);
  void handleMouseButton(const SDL_Event& event, bool down);
  void handleMouseMotion(int x, int y);
  void handleWheel(const SDL_Event& event);
  void handleWindowEvent(const SDL_Event& event);
  // F11 and Alt+Enter (with the matching key-up, which no screen may see
  // without its key-down); true when the key was one of them.
  bool handleWindowModeKey(int key, ShiftState shift, bool down, bool repeat);
  Form* formAt(int x, int y) const;
  Form* inputForm(int x, int y) const;
  void updateCursor();
  void updateHint();
  void hideHint();
  void pickNewActiveForm();
  void drawHint();

  std::unique_ptr<Window> window_;
  bool initialised_ = false;
  bool headless_ = false;
  bool terminated_ = false;
  bool dirty_ = true;
  bool displayReleased_ = false;
  bool fullscreen_ = true;
  int windowedWidth_ = kWindowedWidth, windowedHeight_ = kWindowedHeight;
  int swallowedKeyUp_ = 0;  // the key whose release belongs to a window switch
  std::vector<Timer*> timers_;
  std::vector<Form*> forms_;  // z-order, bottom first
  std::vector<Form*> modalStack_;
  std::vector<Form*> pendingRelease_;
  std::vector<Form*> zombies_;  // released inside a modal loop, freed after it
  int loopDepth_ = 0;
  int timerDispatchDepth_ = 0;
  std::uint32_t altF4SwallowedAt_ = 0;
  bool altF4Swallowed_ = false;
  std::uint16_t heldModifiers_ = 0;  // SDL modifier bits of the latest key event
  Form* mainForm_ = nullptr;
  Form* activeForm_ = nullptr;
  // Mouse capture: the control (or form) that got the last mouse-down.
  Form* captureForm_ = nullptr;
  Control* captureControl_ = nullptr;
  int mouseX_ = -1, mouseY_ = -1;
  Cursor screenCursor_ = Cursor::Default;
  Cursor shownCursor_ = Cursor::Arrow;
  bool showHints_ = true;
  std::string hintCandidate_;
  std::uint32_t restSince_ = 0;
  std::string hintText_;
  int hintX_ = 0, hintY_ = 0;
  std::unique_ptr<Timer> hintTimer_;
  Bitmap canvas_;
};

}  // namespace tvz
