#include "platform/application.h"

#include <SDL.h>

#include <algorithm>

#include "platform/canvas.h"
#include "platform/clock.h"
#include "platform/form.h"
#include "platform/png.h"
#include "platform/timer.h"

namespace tvz {
namespace {

Application* g_current = nullptr;

constexpr std::uint32_t kLongestWaitMs = 1000;

constexpr Color kHintBackground = rgb(255, 255, 225);
constexpr Color kHintFrame = rgb(0, 0, 0);
const FontSpec kHintFont{"Arial", 13, false, false, false, rgb(0, 0, 0)};

struct WindowDeleter {
  void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
};
struct RendererDeleter {
  void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
};
struct TextureDeleter {
  void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
};
struct CursorDeleter {
  void operator()(SDL_Cursor* c) const { SDL_FreeCursor(c); }
};

}  // namespace

// Everything SDL the application holds, released in reverse order.
struct Application::Window {
  bool videoStarted = false;
  std::unique_ptr<SDL_Window, WindowDeleter> window;
  std::unique_ptr<SDL_Renderer, RendererDeleter> renderer;
  std::unique_ptr<SDL_Texture, TextureDeleter> texture;
  std::unique_ptr<SDL_Cursor, CursorDeleter> arrow, hand, wait;
  ~Window() {
    texture.reset();
    renderer.reset();
    window.reset();
    arrow.reset();
    hand.reset();
    wait.reset();
    if (videoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
};

Application::Application() {
  g_current = this;
  canvas_.resize(kScreenWidth, kScreenHeight);
  hintTimer_ = std::make_unique<Timer>(kHintPauseMs, [this](Timer& t) {
    t.setEnabled(false);
    updateHint();
  }, false);
}

Application::~Application() {
  terminated_ = true;
  // Forms may destroy forms they own, so take them one at a time.
  while (!forms_.empty()) destroyForm(forms_.back());
  hintTimer_.reset();
  window_.reset();
  if (g_current == this) g_current = nullptr;
}

Application& Application::current() {
  if (!g_current) {
    SDL_LogCritical(SDL_LOG_CATEGORY_APPLICATION, "No application object exists");
    std::abort();
  }
  return *g_current;
}

bool Application::exists() { return g_current != nullptr; }

namespace {
// Up to this many desktop pixels the screen is stretched in software: the
// game comes up at once (a graphics driver takes a quarter of a second and
// more to start) and a whole frame still costs only a few milliseconds, drawn
// only when something changed. Larger desktops (4K) go through the graphics
// card, which they are sure to have.
constexpr int kLargestSoftwareArea = 1920 * 1200;
}  // namespace

bool Application::init(const ApplicationOptions& options, VideoInitError* error) {
  auto fail = [error](int location, std::uint32_t code, const std::string& what) {
    if (error) *error = VideoInitError{location, code, what + ": " + SDL_GetError()};
    return false;
  };
  headless_ = options.headless;
  fullscreen_ = !options.windowed;
  window_ = std::make_unique<Window>();
  // Losing the focus minimises the full-screen game, as switching away from
  // a full-screen program does on the desktop (SDL leaves a window alone).
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "1");
  // Interrupt and terminate signals end the process as usual; they must not
  // arrive as close requests that a screen could swallow.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // The 800x600 screen is stretched smoothly, not by repeating pixels.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
    return fail(10, kErrorNoDriverSupport, "Cannot start the video system");
  window_->videoStarted = true;

  // The desktop's display mode is never changed: the full-screen window covers
  // the desktop and the 800x600 screen is scaled into it.
  // The window is also made the desktop's size from the start: without a
  // window manager to carry out the full-screen request, an 800x600 window
  // would show only the middle of a picture scaled for the whole desktop.
  // Either kind may be resized: the full-screen one when it becomes a window.
  const bool covering = !headless_ && fullscreen_;
  const Uint32 flags = headless_ ? 0 : SDL_WINDOW_RESIZABLE | (covering ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  int width = kScreenWidth, height = kScreenHeight;
  int desktopArea = width * height;
  SDL_DisplayMode desktop{};
  if (!headless_ && SDL_GetDesktopDisplayMode(0, &desktop) == 0 && desktop.w > 0 && desktop.h > 0) {
    desktopArea = desktop.w * desktop.h;
    if (covering) width = desktop.w, height = desktop.h;
  }
  // A window can grow to the desktop's size: the renderer is chosen for that.
  const bool software = options.softwareRenderer || desktopArea <= kLargestSoftwareArea;
  if (software) {
    // Pure software all the way: no graphics library is loaded behind the
    // window surface either.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  }
  const int position = headless_ ? SDL_WINDOWPOS_UNDEFINED : SDL_WINDOWPOS_CENTERED;
  window_->window.reset(
      SDL_CreateWindow(options.title.c_str(), position, position, width, height, flags));
  if (!window_->window) return fail(10, kErrorGeneric, "Cannot create the game window");
  if (!headless_) SDL_SetWindowMinimumSize(window_->window.get(), kSmallestWindowWidth, kSmallestWindowHeight);

  if (!software)
    window_->renderer.reset(SDL_CreateRenderer(window_->window.get(), -1, SDL_RENDERER_ACCELERATED));
  if (!window_->renderer)
    window_->renderer.reset(SDL_CreateRenderer(window_->window.get(), -1, SDL_RENDERER_SOFTWARE));
  if (!window_->renderer) return fail(15, kErrorGeneric, "Cannot create the renderer");

  if (SDL_RenderSetLogicalSize(window_->renderer.get(), kScreenWidth, kScreenHeight) != 0)
    return fail(20, kErrorGeneric, "Cannot set up the 800x600 screen");
  // 32-bit pixels: the renderers take them without a slow 24-bit conversion.
  window_->texture.reset(SDL_CreateTexture(window_->renderer.get(), SDL_PIXELFORMAT_RGB888,
                                           SDL_TEXTUREACCESS_STREAMING, kScreenWidth, kScreenHeight));
  if (!window_->texture) return fail(20, kErrorGeneric, "Cannot create the screen buffer");

  window_->arrow.reset(SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW));
  window_->hand.reset(SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND));
  window_->wait.reset(SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT));
  SDL_StartTextInput();
  initialised_ = true;
  dirty_ = true;
  return true;
}

// --- Main loop -------------------------------------------------------------

void Application::run() {
  while (!terminated_) {
    try {
      processMessages();
      if (terminated_) break;
      waitForWork();
    } catch (...) {
      if (!onException) throw;
      // The handler that threw may have left its screen half changed: the
      // loop ends here, and the program decides how to say so.
      terminated_ = true;
      onException(std::current_exception());
    }
  }
}

void Application::terminate() { terminated_ = true; }

void Application::processMessages() {
  // Counted down however the pass ends, an exception included.
  struct LoopLevel {
    int& depth;
    explicit LoopLevel(int& d) : depth(d) { ++depth; }
    ~LoopLevel() { --depth; }
  } level(loopDepth_);
  SDL_Event event;
  while (!terminated_ && initialised_ && SDL_PollEvent(&event)) {
    dispatchEvent(event);
    releasePending();
  }
  if (!terminated_) fireDueTimers();
  releasePending();
  updateCursor();
  if (dirty_ && initialised_ && !headless_) redraw();
}

void Application::waitForWork() {
  if (idleHook) {
    idleHook();
    return;
  }
  if (!initialised_) return;
  // Sleep until the next event or the earliest due timer.
  const std::uint32_t now = systemClock().tickCount();
  std::uint32_t wait = kLongestWaitMs;
  for (Timer* t : timers_) {
    if (!t || !t->enabled() || !t->onTimer) continue;
    const auto left = static_cast<std::int32_t>(t->dueAt() - now);
    wait = std::min<std::uint32_t>(wait, left <= 0 ? 0 : static_cast<std::uint32_t>(left));
  }
  if (wait > 0) SDL_WaitEventTimeout(nullptr, static_cast<int>(wait));
}

void Application::addTimer(Timer* timer) { timers_.push_back(timer); }

void Application::removeTimer(Timer* timer) {
  auto it = std::find(timers_.begin(), timers_.end(), timer);
  if (it == timers_.end()) return;
  // While timers are being run the list keeps its length; the hole is closed later.
  if (timerDispatchDepth_ > 0)
    *it = nullptr;
  else
    timers_.erase(it);
}

void Application::fireDueTimers() {
  ++timerDispatchDepth_;
  // By index: handlers may add timers (appended) or remove them (nulled).
  for (std::size_t i = 0; i < timers_.size() && !terminated_; ++i) {
    Timer* t = timers_[i];
    if (t) t->fireIfDue(systemClock().tickCount());
  }
  --timerDispatchDepth_;
  if (timerDispatchDepth_ == 0) std::erase(timers_, nullptr);
}

void Application::releasePending() {
  // FormDestroy runs and the screen's variable is cleared right after the
  // event; the memory itself is freed only once no modal loop is running,
  // because the handler that opened the modal loop may belong to the form.
  while (!pendingRelease_.empty()) {
    Form* form = pendingRelease_.front();
    pendingRelease_.erase(pendingRelease_.begin());
    form->prepareDestruction();
    zombies_.push_back(form);
  }
  if (loopDepth_ <= 1) {
    auto dead = std::move(zombies_);
    zombies_.clear();
    for (Form* form : dead) delete form;
  }
}

// --- Forms -------------------------------------------------------------------

void Application::registerForm(Form* form) {
  // Stay-on-top is set after construction, so a new form starts at the top of
  // the ordinary forms.
  auto firstOnTop = std::find_if(forms_.begin(), forms_.end(), [](Form* f) { return f->stayOnTop(); });
  forms_.insert(firstOnTop, form);
  if (!mainForm_) mainForm_ = form;
}

void Application::unregisterForm(Form* form) {
  std::erase(forms_, form);
  std::erase(modalStack_, form);
  std::erase(pendingRelease_, form);
  std::erase(zombies_, form);
  if (mainForm_ == form) mainForm_ = nullptr;
  if (captureForm_ == form) captureForm_ = nullptr, captureControl_ = nullptr;
  if (activeForm_ == form) {
    activeForm_ = nullptr;
    if (!terminated_) pickNewActiveForm();
  }
  dirty_ = true;
}

void Application::formDestroying(Form* form) {
  if (captureForm_ == form) captureForm_ = nullptr, captureControl_ = nullptr;
}

void Application::controlDestroyed(Control* control) {
  if (captureControl_ == control) captureControl_ = nullptr, captureForm_ = nullptr;
}

std::vector<Form*> Application::formsInZOrder() const { return forms_; }

Form* Application::modalForm() const {
  for (auto it = modalStack_.rbegin(); it != modalStack_.rend(); ++it)
    if ((*it)->visible()) return *it;
  return nullptr;
}

void Application::bringToFront(Form* form) {
  auto it = std::find(forms_.begin(), forms_.end(), form);
  if (it == forms_.end()) return;
  forms_.erase(it);
  if (form->stayOnTop()) {
    forms_.push_back(form);
  } else {
    auto firstOnTop = std::find_if(forms_.begin(), forms_.end(), [](Form* f) { return f->stayOnTop(); });
    forms_.insert(firstOnTop, form);
  }
  dirty_ = true;
}

void Application::formShown(Form* form) {
  dirty_ = true;
  Form* modal = modalForm();
  if (modal && modal != form) return;  // the modal form keeps the keyboard
  activate(form);
}

void Application::formHidden(Form* form) {
  dirty_ = true;
  if (activeForm_ == form) pickNewActiveForm();
}

void Application::activate(Form* form) {
  if (activeForm_ == form || !form->visible()) return;
  activeForm_ = form;
  form->FormActivate();
}

void Application::pickNewActiveForm() {
  activeForm_ = nullptr;
  if (Form* modal = modalForm()) {
    activate(modal);
    return;
  }
  for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) {
    if ((*it)->visible() && !(*it)->releasing()) {
      activate(*it);
      return;
    }
  }
}

void Application::pushModal(Form* form) { modalStack_.push_back(form); }

void Application::popModal(Form* form) {
  std::erase(modalStack_, form);
  if (!activeForm_ || activeForm_ == form || !activeForm_->visible()) pickNewActiveForm();
}

void Application::scheduleRelease(Form* form) {
  if (std::find(pendingRelease_.begin(), pendingRelease_.end(), form) == pendingRelease_.end())
    pendingRelease_.push_back(form);
}

Form* Application::formAt(int x, int y) const {
  for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) {
    Form* f = *it;
    if (f->visible() && !f->releasing() && f->boundsRect().contains(x, y)) return f;
  }
  return nullptr;
}

// The form that gets the mouse at a point: while a modal form runs, only it.
Form* Application::inputForm(int x, int y) const {
  if (Form* modal = modalForm()) return modal->boundsRect().contains(x, y) ? modal : nullptr;
  return formAt(x, y);
}

// --- Window events -----------------------------------------------------------

void Application::handleWindowEvent(const SDL_Event& event) {
  switch (event.window.event) {
    case SDL_WINDOWEVENT_FOCUS_LOST:
      if (minimisesOnFocusLoss() && window_ && window_->window) SDL_MinimizeWindow(window_->window.get());
      break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SIZE_CHANGED: dirty_ = true; break;
    case SDL_WINDOWEVENT_LEAVE:
      hideHint();
      hintTimer_->setEnabled(false);
      break;
    default: break;
  }
}

// --- Full screen or a window ---------------------------------------------------

SDL_Window* Application::sdlWindow() const { return window_ ? window_->window.get() : nullptr; }

void Application::setFullscreen(bool on) {
  if (on == fullscreen_) return;
  fullscreen_ = on;
  dirty_ = true;
  SDL_Window* window = sdlWindow();
  if (headless_ || !window) return;
  if (on) {
    // The window's size is kept for the way back. As at the start, the
    // window first covers its display itself: without a window manager to
    // carry out the full-screen request it would stay small, showing only a
    // corner of a picture scaled for the whole display.
    SDL_GetWindowSize(window, &windowedWidth_, &windowedHeight_);
    const int display = std::max(0, SDL_GetWindowDisplayIndex(window));
    SDL_Rect bounds{};
    if (SDL_GetDisplayBounds(display, &bounds) == 0 && bounds.w > 0 && bounds.h > 0) {
      SDL_SetWindowPosition(window, bounds.x, bounds.y);
      SDL_SetWindowSize(window, bounds.w, bounds.h);
    }
    SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    return;
  }
  SDL_SetWindowFullscreen(window, 0);
  // A game that started full screen has a desktop-sized window to leave:
  // the window gets its own size back, in the middle of the desktop.
  SDL_SetWindowSize(window, windowedWidth_, windowedHeight_);
  SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

bool Application::handleWindowModeKey(int key, ShiftState shift, bool down, bool repeat) {
  if (!down) {
    if (key != swallowedKeyUp_) return false;
    swallowedKeyUp_ = 0;
    return true;
  }
  const bool switchKey = key == vk::F11 || (key == vk::Return && shift.alt);
  if (!switchKey) return false;
  swallowedKeyUp_ = key;
  if (repeat) return true;  // a held key switches once
  setFullscreen(!fullscreen_);
  if (onFullscreenToggled) onFullscreenToggled(fullscreen_);
  return true;
}

// --- Cursor and hints --------------------------------------------------------

void Application::setScreenCursor(Cursor cursor) {
  screenCursor_ = cursor;
  updateCursor();
}

void Application::updateCursor() {
  Cursor shape = Cursor::Arrow;
  if (screenCursor_ == Cursor::None || screenCursor_ == Cursor::HourGlass) {
    shape = screenCursor_;
  } else if (Form* form = inputForm(mouseX_, mouseY_)) {
    Control* control = form->controlAt(mouseX_ - form->left(), mouseY_ - form->top());
    if (control && control->cursor() != Cursor::Default)
      shape = control->cursor();
    else if (form->cursor() != Cursor::Default)
      shape = form->cursor();
  }
  if (shape == Cursor::Default) shape = Cursor::Arrow;
  if (shape == shownCursor_) return;
  shownCursor_ = shape;
  if (!window_ || !initialised_) return;
  if (shape == Cursor::None) {
    SDL_ShowCursor(SDL_DISABLE);
    return;
  }
  SDL_Cursor* sdl = shape == Cursor::HandPoint ? window_->hand.get()
                    : shape == Cursor::HourGlass ? window_->wait.get()
                                                 : window_->arrow.get();
  if (sdl) SDL_SetCursor(sdl);
  SDL_ShowCursor(SDL_ENABLE);
}

void Application::setShowHints(bool on) {
  showHints_ = on;
  if (!on) hideHint();
}

void Application::updateHint() {
  if (!showHints_ || hintCandidate_.empty()) return;
  hintText_ = hintCandidate_;
  hintX_ = mouseX_;
  hintY_ = mouseY_ + 20;  // below the pointer's tip
  dirty_ = true;
}

void Application::hideHint() {
  if (hintText_.empty()) return;
  hintText_.clear();
  dirty_ = true;
}

void Application::drawHint() {
  if (hintText_.empty()) return;
  Canvas canvas(canvas_);
  const int w = textWidth(kHintFont, hintText_) + 8;
  const int h = lineHeight(kHintFont) + 4;
  const int x = std::clamp(hintX_, 0, std::max(0, kScreenWidth - w));
  const int y = hintY_ + h > kScreenHeight ? std::max(0, hintY_ - 40) : hintY_;
  const Rect box{x, y, x + w, y + h};
  canvas.fillRect(box, kHintBackground);
  canvas.frameRect(box, kHintFrame);
  canvas.drawText(x + 4, y + 2, hintText_, kHintFont);
}

// --- Drawing -----------------------------------------------------------------

void Application::paintCanvas() {
  Canvas canvas(canvas_);
  canvas.fillRect({0, 0, kScreenWidth, kScreenHeight}, rgb(0, 0, 0));
  for (Form* form : forms_)
    if (form->visible() && !form->releasing()) form->paint(canvas);
  drawHint();
}

Bitmap Application::captureCanvas() {
  paintCanvas();
  return canvas_;
}

bool Application::savePng(const std::string& path, std::string* error) {
  return writePng(captureCanvas(), path, error);
}

Bitmap Application::captureWindow() {
  Bitmap shot;
  if (!window_ || !window_->renderer || !initialised_) return shot;
  redraw();
  SDL_Renderer* renderer = window_->renderer.get();
  int width = 0, height = 0;
  if (SDL_GetRendererOutputSize(renderer, &width, &height) != 0 || width <= 0 || height <= 0) return shot;
  // The whole output, bars included: the logical screen would limit the
  // read to the picture.
  SDL_RenderSetLogicalSize(renderer, 0, 0);
  SDL_RenderSetViewport(renderer, nullptr);
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  const bool read = SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB24, rgb.data(), width * 3) == 0;
  SDL_RenderSetLogicalSize(renderer, kScreenWidth, kScreenHeight);
  if (!read) return shot;
  shot.resize(width, height);
  std::copy(rgb.begin(), rgb.end(), shot.pixels());
  return shot;
}

void Application::releaseDisplay() {
  displayReleased_ = true;
  if (!window_) return;
  window_->texture.reset();
  window_->renderer.reset();
  window_->window.reset();
}

void Application::present() {
  if (!window_ || !window_->renderer || !window_->texture) return;
  SDL_Renderer* renderer = window_->renderer.get();
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(window_->texture.get(), nullptr, &pixels, &pitch) != 0) return;
  for (int y = 0; y < kScreenHeight; ++y) {
    const std::uint8_t* from = canvas_.row(y);
    auto* to = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(pixels) + y * pitch);
    for (int x = 0; x < kScreenWidth; ++x, from += 3)
      to[x] = (std::uint32_t{from[0]} << 16) | (std::uint32_t{from[1]} << 8) | from[2];
  }
  SDL_UnlockTexture(window_->texture.get());
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  SDL_RenderCopy(renderer, window_->texture.get(), nullptr, nullptr);
  SDL_RenderPresent(renderer);
}

void Application::redraw() {
  dirty_ = false;
  paintCanvas();
  present();
}

}  // namespace tvz
