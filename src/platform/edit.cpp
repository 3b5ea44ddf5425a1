#include "platform/edit.h"

#include <algorithm>

#include "platform/canvas.h"

namespace tvz {
namespace {
constexpr int kTextInset = 2;  // pixels between the box's edge and its text
constexpr Color kBorderColour = rgb(128, 128, 128);
}  // namespace

Edit::Edit(Form& owner) : Control(owner) { setColor(rgb(255, 255, 255)); }

Edit::Edit(Form& owner, int left, int top, int width, int height) : Edit(owner) {
  setBounds(left, top, width, height);
}

void Edit::setText(std::string text) {
  if (maxLength_ > 0 && static_cast<int>(text.size()) > maxLength_) text.resize(maxLength_);
  if (text == text_) return;
  text_ = std::move(text);
  selStart_ = std::min(selStart_, static_cast<int>(text_.size()));
  selLength_ = 0;
  changedText();
}

void Edit::setMaxLength(int maxLength) { maxLength_ = std::max(0, maxLength); }

void Edit::setSelStart(int position) {
  selStart_ = std::clamp(position, 0, static_cast<int>(text_.size()));
  selLength_ = 0;
  invalidate();
}

void Edit::setSelLength(int length) {
  selLength_ = std::clamp(length, 0, static_cast<int>(text_.size()) - selStart_);
  invalidate();
}

void Edit::selectAll() {
  selStart_ = 0;
  selLength_ = static_cast<int>(text_.size());
  invalidate();
}

void Edit::setAlignment(Alignment alignment) {
  alignment_ = alignment;
  invalidate();
}

void Edit::setBorder(bool border) {
  border_ = border;
  invalidate();
}

void Edit::changedText() {
  invalidate();
  if (onChange) onChange(*this);
}

void Edit::moveCaret(int position) {
  selStart_ = std::clamp(position, 0, static_cast<int>(text_.size()));
  selLength_ = 0;
  invalidate();
}

void Edit::replaceSelection(const std::string& insert) {
  std::string next = text_;
  next.erase(selStart_, selLength_);
  std::string piece = insert;
  if (maxLength_ > 0) {
    const int room = maxLength_ - static_cast<int>(next.size());
    if (room <= 0) return;  // full: the typed character is refused
    if (static_cast<int>(piece.size()) > room) piece.resize(room);
  }
  next.insert(selStart_, piece);
  text_ = std::move(next);
  selStart_ += static_cast<int>(piece.size());
  selLength_ = 0;
  changedText();
}

void Edit::handleKeyDown(int& key, ShiftState) {
  const int length = static_cast<int>(text_.size());
  switch (key) {
    case vk::Left: moveCaret(selLength_ ? selStart_ : selStart_ - 1); break;
    case vk::Right: moveCaret(selLength_ ? selStart_ + selLength_ : selStart_ + 1); break;
    case vk::Home: moveCaret(0); break;
    case vk::End: moveCaret(length); break;
    case vk::Delete:
      if (readOnly_) break;
      if (selLength_ == 0 && selStart_ < length) selLength_ = 1;
      if (selLength_ > 0) replaceSelection({});
      break;
    default: return;
  }
}

void Edit::handleKeyPress(char& key) {
  if (readOnly_ || key == 0) return;
  if (key == 8) {  // Backspace
    if (selLength_ == 0 && selStart_ > 0) {
      --selStart_;
      selLength_ = 1;
    }
    if (selLength_ > 0) replaceSelection({});
    return;
  }
  if (static_cast<unsigned char>(key) < 32) return;  // Enter, Escape, controls
  replaceSelection(std::string(1, key));
}

void Edit::handleMouseDown(MouseButton, int x, int) {
  // Caret to the nearest character boundary under the pointer.
  const FontSpec& f = font();
  const int w = textWidth(f, text_);
  int start = kTextInset;
  if (alignment_ == Alignment::Center) start = (width() - w) / 2;
  if (alignment_ == Alignment::Right) start = width() - kTextInset - w;
  int best = 0, bestDistance = std::abs(x - start);
  for (int i = 1; i <= static_cast<int>(text_.size()); ++i) {
    const int d = std::abs(x - (start + textWidth(f, std::string_view(text_).substr(0, i))));
    if (d < bestDistance) best = i, bestDistance = d;
  }
  moveCaret(best);
}

void Edit::paint(Canvas& canvas, int originX, int originY) {
  const Rect r{originX + left(), originY + top(), originX + left() + width(),
               originY + top() + height()};
  const Rect previous = canvas.intersectClip(r);
  canvas.fillRect(r, color());
  if (border_) canvas.frameRect(r, kBorderColour);
  const FontSpec& f = font();
  const int w = textWidth(f, text_);
  int x = r.left + kTextInset;
  if (alignment_ == Alignment::Center) x = r.left + (width() - w) / 2;
  if (alignment_ == Alignment::Right) x = r.right - kTextInset - w;
  const int y = r.top + (height() - lineHeight(f)) / 2;
  if (focused() && selLength_ > 0) {
    // Selected text shows inverted: a box in the text colour.
    const int a = textWidth(f, std::string_view(text_).substr(0, selStart_));
    const int b = textWidth(f, std::string_view(text_).substr(0, selStart_ + selLength_));
    canvas.fillRect({x + a, y, x + b, y + lineHeight(f)}, f.color);
    FontSpec inverted = f;
    inverted.color = color();
    canvas.drawText(x, y, text_, f);
    const Rect inner = canvas.intersectClip({x + a, y, x + b, y + lineHeight(f)});
    canvas.drawText(x, y, text_, inverted);
    canvas.setClip(inner);
  } else {
    canvas.drawText(x, y, text_, f);
  }
  if (focused() && selLength_ == 0) {
    const int cx = x + textWidth(f, std::string_view(text_).substr(0, selStart_));
    canvas.fillRect({cx, y, cx + 1, y + lineHeight(f)}, f.color);
  }
  canvas.setClip(previous);
}

}  // namespace tvz
