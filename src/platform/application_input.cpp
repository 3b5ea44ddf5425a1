// The input side of the application: SDL's keyboard, text, mouse and close
// events dispatched to the forms as the desktop's framework would (key
// preview, the modal form first, clicks on release, Alt+F4), and the keys
// that switch between full screen and a window.
#include <SDL.h>

#include "platform/application.h"
#include "platform/clock.h"
#include "platform/form.h"
#include "platform/keys.h"
#include "platform/text_input.h"

namespace tvz {
namespace {

// A close request from the window manager this soon after a swallowed Alt+F4
// is that same key press, which the game chose to ignore.
constexpr std::uint32_t kAltF4EchoMs = 500;

MouseButton buttonFromSdl(std::uint8_t button) {
  if (button == SDL_BUTTON_RIGHT) return MouseButton::Right;
  if (button == SDL_BUTTON_MIDDLE) return MouseButton::Middle;
  return MouseButton::Left;
}

ShiftState currentShift() { return shiftStateFromSdl(static_cast<std::uint16_t>(SDL_GetModState())); }

}  // namespace

void Application::dispatchEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT: handleCloseRequest(); break;
    case SDL_KEYDOWN: handleKey(event, true); break;
    case SDL_KEYUP: handleKey(event, false); break;
    case SDL_TEXTINPUT: handleText(event); break;
    case SDL_MOUSEBUTTONDOWN: handleMouseButton(event, true); break;
    case SDL_MOUSEBUTTONUP: handleMouseButton(event, false); break;
    case SDL_MOUSEMOTION: handleMouseMotion(event.motion.x, event.motion.y); break;
    case SDL_MOUSEWHEEL: handleWheel(event); break;
    case SDL_WINDOWEVENT: handleWindowEvent(event); break;
    default: break;
  }
}

// The window manager's close request (its Alt+F4, the close button) acts as
// Alt+F4 does on the desktop: the active screen may swallow it, otherwise the
// program closes. Alt+F4 keys that reached the game already were handled.
void Application::handleCloseRequest() {
  const bool echo = altF4Swallowed_ && systemClock().tickCount() - altF4SwallowedAt_ < kAltF4EchoMs;
  altF4Swallowed_ = false;
  if (echo) return;
  if (!fullscreen_ && onWindowClose) {
    onWindowClose();
    return;
  }
  Form* form = modalForm() ? modalForm() : activeForm_;
  int key = vk::F4;
  if (form && form->visible()) form->routeKeyDown(key, ShiftState{false, true, false});
  if (key == 0) return;
  if (mainForm_)
    mainForm_->Close();
  else
    terminate();
}

void Application::handleKey(const SDL_Event& event, bool down) {
  heldModifiers_ = event.key.keysym.mod;
  int key = virtualKeyFromSdl(event.key.keysym);
  if (key == 0) return;
  const ShiftState shift = shiftStateFromSdl(event.key.keysym.mod);
  // Full screen or a window: on every screen, and never seen by one.
  if (handleWindowModeKey(key, shift, down, event.key.repeat != 0)) return;
  Form* form = modalForm() ? modalForm() : activeForm_;
  if (!form || !form->visible()) return;
  hideHint();
  if (!down) {
    form->routeKeyUp(key, shift);
    return;
  }
  const bool altF4 = key == vk::F4 && shift.alt;
  const int original = key;
  form->routeKeyDown(key, shift);
  if (altF4 && key == 0) {
    altF4Swallowed_ = true;
    altF4SwallowedAt_ = systemClock().tickCount();
  }
  // These keys produce a character of their own; the others arrive as text.
  if (key != 0 && (original == vk::Back || original == vk::Return || original == vk::Escape)) {
    char c = static_cast<char>(original);
    if (form->visible()) form->routeKeyPress(c);
  }
}

void Application::handleText(const SDL_Event& event) {
  // With Alt or Ctrl held a letter is a shortcut, not typing (the right Alt
  // stays allowed: it is the AltGr of many layouts).
  if (heldModifiers_ & (KMOD_LALT | KMOD_CTRL)) return;
  const std::string typed = utf8ToCp1252(event.text.text);
  for (char c : typed) {
    Form* form = modalForm() ? modalForm() : activeForm_;
    if (!form || !form->visible()) return;
    char key = c;
    form->routeKeyPress(key);
  }
}

void Application::handleMouseButton(const SDL_Event& event, bool down) {
  const int x = event.button.x, y = event.button.y;
  const MouseButton button = buttonFromSdl(event.button.button);
  const ShiftState shift = currentShift();
  mouseX_ = x, mouseY_ = y;
  hideHint();
  hintTimer_->setEnabled(false);
  if (down) {
    Form* form = inputForm(x, y);
    if (!form) return;
    activate(form);
    Control* control = form->controlAt(x - form->left(), y - form->top());
    captureForm_ = form;
    captureControl_ = control;
    if (!control) {
      form->FormMouseDown(button, shift, x - form->left(), y - form->top());
      return;
    }
    const int cx = x - form->left() - control->left(), cy = y - form->top() - control->top();
    if (control->canFocus()) form->SetFocus(control);
    control->handleMouseDown(button, cx, cy);
    if (captureControl_ == control && control->onMouseDown) control->onMouseDown(*control, button, shift, cx, cy);
    return;
  }
  // The release goes to whatever got the press, wherever the pointer is now.
  Form* form = captureForm_;
  Control* control = captureControl_;
  captureForm_ = nullptr;
  captureControl_ = nullptr;
  if (!form) return;
  const int fx = x - form->left(), fy = y - form->top();
  if (control) {
    const int cx = fx - control->left(), cy = fy - control->top();
    const bool inside = form->visible() && form->controlAt(fx, fy) == control;
    if (control->onMouseUp) control->onMouseUp(*control, button, shift, cx, cy);
    // The handler may have hidden the form; a click needs the control still there.
    if (inside && button == MouseButton::Left && control->onClick && control->visible() &&
        form->visible())
      control->onClick(*control);
    return;
  }
  const bool inside = form->visible() && form->boundsRect().contains(x, y) && !form->controlAt(fx, fy);
  form->FormMouseUp(button, shift, fx, fy);
  if (inside && button == MouseButton::Left) form->FormClick();
}

void Application::handleMouseMotion(int x, int y) {
  mouseX_ = x, mouseY_ = y;
  hideHint();
  hintCandidate_.clear();
  if (Form* form = inputForm(x, y)) {
    Control* control = form->controlAt(x - form->left(), y - form->top());
    hintCandidate_ = control && !control->hint().empty() ? control->hint() : form->hint();
  }
  // The hint appears once the pointer has rested for the pause.
  hintTimer_->setEnabled(false);
  if (showHints_ && !hintCandidate_.empty()) hintTimer_->setEnabled(true);
  updateCursor();
}

void Application::handleWheel(const SDL_Event& event) {
  Form* form = modalForm() ? modalForm() : activeForm_;
  if (!form || !form->visible()) return;
  Control* control = form->focusedControl();
  int steps = event.wheel.y;
  if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) steps = -steps;
  if (control && steps != 0) control->handleMouseWheel(steps);
}

}  // namespace tvz
