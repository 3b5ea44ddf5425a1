#include "platform/form.h"

#include <algorithm>

#include "platform/canvas.h"

namespace tvz {

Form::Form() { Application::current().registerForm(this); }

Form::~Form() {
  prepareDestruction();
  Application::current().formDestroying(this);
  // Controls go first, while the form they point to is still whole.
  focused_ = nullptr;
  controls_.clear();
  timers_.clear();
  Application::current().unregisterForm(this);
}

void Form::prepareDestruction() {
  if (destroyed_) return;
  destroyed_ = true;
  FormDestroy();
  if (clearSlot_) {
    auto clear = std::move(clearSlot_);
    clearSlot_ = nullptr;
    clear();
  }
}

Timer* Form::addTimer(std::uint32_t intervalMs, std::function<void(Timer&)> onTimer, bool enabled) {
  timers_.push_back(std::make_unique<Timer>(intervalMs, std::move(onTimer), enabled));
  return timers_.back().get();
}

void Form::setBounds(int left, int top, int width, int height) {
  bounds_ = Rect{left, top, left + std::max(0, width), top + std::max(0, height)};
  Application::current().invalidate();
}

void Form::fillScreen() { setBounds(0, 0, kScreenWidth, kScreenHeight); }

void Form::setClientSize(int width, int height) { setBounds(left(), top(), width, height); }

void Form::centerOnScreen() {
  setBounds((kScreenWidth - width()) / 2, (kScreenHeight - height()) / 2, width(), height());
}

void Form::setColor(Color color) {
  color_ = color;
  Application::current().invalidate();
}

void Form::setFont(const FontSpec& font) {
  font_ = font;
  for (auto& control : controls_) control->parentFontChanged();
  Application::current().invalidate();
}

void Form::setFontColor(Color color) {
  FontSpec f = font_;
  f.color = color;
  setFont(f);
}

void Form::setFontHeight(int height) {
  FontSpec f = font_;
  f.height = height;
  setFont(f);
}

void Form::setHint(std::string hint) { hint_ = std::move(hint); }
void Form::setCursor(Cursor cursor) { cursor_ = cursor; }

void Form::setStayOnTop(bool stayOnTop) {
  stayOnTop_ = stayOnTop;
  if (visible_) Application::current().bringToFront(this);
}

void Form::Show() {
  Application& app = Application::current();
  if (!visible_) {
    visible_ = true;
    if (!shownOnce_) {
      shownOnce_ = true;
      focusFirstControl();
    }
    FormShow();
  }
  app.bringToFront(this);
  app.formShown(this);
}

void Form::Hide() {
  if (!visible_) return;
  visible_ = false;
  FormHide();
  Application::current().formHidden(this);
}

int Form::ShowModal() {
  Application& app = Application::current();
  modalResult_ = 0;
  modal_ = true;
  app.pushModal(this);
  Show();
  auto running = [&] { return visible_ && !releasing_ && !app.terminated(); };
  while (running()) {
    app.processMessages();
    if (running()) app.waitForWork();
  }
  modal_ = false;
  app.popModal(this);
  return modalResult_;
}

void Form::Close() {
  if (releasing_) return;
  CloseAction action = CloseAction::Hide;
  FormClose(action);
  if (action == CloseAction::None) return;
  Application& app = Application::current();
  if (this == app.mainForm()) {
    Hide();
    app.terminate();
    return;
  }
  if (action == CloseAction::Free)
    Release();
  else
    Hide();
}

void Form::Release() {
  if (releasing_) return;
  Hide();
  releasing_ = true;
  Application::current().scheduleRelease(this);
}

void Form::BringToFront() {
  Application::current().bringToFront(this);
  if (visible_) Application::current().activate(this);
}

bool Form::active() const { return Application::current().activeForm() == this; }

void Form::SetFocus(Control* control) {
  if (control && (&control->owner() != this || !control->canFocus())) return;
  if (focused_ == control) return;
  focused_ = control;
  Application::current().invalidate();
}

void Form::focusFirstControl() {
  if (focused_) return;
  for (auto& control : controls_) {
    if (control->canFocus() && control->tabStop()) {
      focused_ = control.get();
      return;
    }
  }
}

void Form::controlDestroyed(Control* control) {
  if (focused_ == control) focused_ = nullptr;
}

void Form::paint(Canvas& canvas) {
  const Rect previous = canvas.intersectClip(bounds_);
  canvas.fillRect(bounds_, color_);
  for (auto& control : controls_) {
    if (control->visible()) control->paint(canvas, bounds_.left, bounds_.top);
  }
  canvas.setClip(previous);
}

Control* Form::controlAt(int x, int y) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    Control* c = it->get();
    if (c->visible() && c->enabled() && c->boundsRect().contains(x, y)) return c;
  }
  return nullptr;
}

// Keys: the form first when it previews keys (and may swallow them), then the
// focused control's handler, then the control's own editing. Without key
// preview the form sees keys only when no control has the focus.
void Form::routeKeyDown(int& key, ShiftState shift) {
  if (keyPreview_ || !focused_) FormKeyDown(key, shift);
  Control* target = focused_;
  if (key == 0 || !target || !target->enabled()) return;
  if (target->onKeyDown) target->onKeyDown(*target, key, shift);
  if (key != 0 && focused_ == target) target->handleKeyDown(key, shift);
}

void Form::routeKeyUp(int& key, ShiftState shift) {
  if (keyPreview_ || !focused_) FormKeyUp(key, shift);
  Control* target = focused_;
  if (key == 0 || !target || !target->enabled()) return;
  if (target->onKeyUp) target->onKeyUp(*target, key, shift);
}

void Form::routeKeyPress(char& key) {
  if (keyPreview_ || !focused_) FormKeyPress(key);
  Control* target = focused_;
  if (key == 0 || !target || !target->enabled()) return;
  if (target->onKeyPress) target->onKeyPress(*target, key);
  if (key != 0 && focused_ == target) target->handleKeyPress(key);
}

void destroyForm(Form* form) {
  if (!form) return;
  form->prepareDestruction();
  delete form;
}

}  // namespace tvz
