#include "platform/control.h"

#include <algorithm>

#include "platform/application.h"
#include "platform/form.h"

namespace tvz {

Control::Control(Form& owner) : owner_(owner) { ownFont_ = owner.font(); }

Control::~Control() {
  owner_.controlDestroyed(this);
  if (Application::exists()) Application::current().controlDestroyed(this);
}

void Control::setLeft(int left) { setBounds(left, top(), width(), height()); }
void Control::setTop(int top) { setBounds(left(), top, width(), height()); }
void Control::setWidth(int width) { setBounds(left(), top(), width, height()); }
void Control::setHeight(int height) { setBounds(left(), top(), width(), height); }

void Control::setBounds(int left, int top, int width, int height) {
  const Rect r{left, top, left + std::max(0, width), top + std::max(0, height)};
  if (r.left == bounds_.left && r.top == bounds_.top && r.right == bounds_.right &&
      r.bottom == bounds_.bottom)
    return;
  const bool resized = r.width() != bounds_.width() || r.height() != bounds_.height();
  bounds_ = r;
  if (resized) layoutChanged();
  invalidate();
}

void Control::setVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (!visible && focused()) owner_.SetFocus(nullptr);
  invalidate();
}

void Control::setEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  invalidate();
}

void Control::setCursor(Cursor cursor) { cursor_ = cursor; }
void Control::setHint(std::string hint) { hint_ = std::move(hint); }

Color Control::color() const { return parentColor_ ? owner_.color() : color_; }

void Control::setColor(Color color) {
  parentColor_ = false;
  color_ = color;
  invalidate();
}

void Control::setParentColor(bool parentColor) {
  parentColor_ = parentColor;
  invalidate();
}

const FontSpec& Control::font() const { return parentFont_ ? owner_.font() : ownFont_; }

void Control::setParentFont(bool parentFont) {
  if (parentFont_ == parentFont) return;
  if (!parentFont) ownFont_ = owner_.font();
  parentFont_ = parentFont;
  layoutChanged();
  invalidate();
}

void Control::setFont(const FontSpec& font) {
  if (!parentFont_ && ownFont_ == font) return;
  ownFont_ = font;
  parentFont_ = false;
  layoutChanged();
  invalidate();
}

void Control::setFontColor(Color color) {
  FontSpec f = font();
  f.color = color;
  setFont(f);
}

void Control::setFontHeight(int height) {
  FontSpec f = font();
  f.height = height;
  setFont(f);
}

void Control::setFontBold(bool bold) {
  FontSpec f = font();
  f.bold = bold;
  setFont(f);
}

void Control::setFontName(const std::string& family) {
  FontSpec f = font();
  f.family = family;
  setFont(f);
}

void Control::parentFontChanged() {
  if (!parentFont_) return;
  layoutChanged();
  invalidate();
}

bool Control::focused() const { return owner_.focusedControl() == this; }
void Control::setFocus() { owner_.SetFocus(this); }

void Control::invalidate() {
  if (Application::exists()) Application::current().invalidate();
}

void Control::handleKeyDown(int&, ShiftState) {}
void Control::handleKeyPress(char&) {}
void Control::handleMouseDown(MouseButton, int, int) {}
void Control::handleMouseWheel(int) {}

}  // namespace tvz
