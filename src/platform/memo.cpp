#include "platform/memo.h"

#include <algorithm>

#include "platform/canvas.h"

namespace tvz {
namespace {
constexpr int kTextInset = 2;
constexpr Color kBorderColour = rgb(128, 128, 128);
constexpr int kWheelLines = 3;  // lines scrolled per wheel notch
}  // namespace

Memo::Memo(Form& owner) : Control(owner) { setColor(rgb(255, 255, 255)); }

Memo::Memo(Form& owner, int left, int top, int width, int height) : Memo(owner) {
  setBounds(left, top, width, height);
}

void Memo::setLines(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  linesChanged();
}

void Memo::setText(const std::string& text) {
  std::vector<std::string> lines;
  std::string current;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) lines.push_back(std::move(current));
  setLines(std::move(lines));
}

void Memo::addLine(std::string line) {
  lines_.push_back(std::move(line));
  linesChanged();
}

void Memo::clear() {
  lines_.clear();
  topLine_ = caretLine_ = 0;
  linesChanged();
}

void Memo::linesChanged() {
  displayValid_ = false;
  const int count = displayLineCount();
  caretLine_ = std::clamp(caretLine_, 0, std::max(0, count - 1));
  topLine_ = std::clamp(topLine_, 0, lastTopLine());
  invalidate();
}

void Memo::setWordWrap(bool wordWrap) {
  wordWrap_ = wordWrap;
  linesChanged();
}

void Memo::setBorder(bool border) {
  border_ = border;
  invalidate();
}

void Memo::layoutChanged() { displayValid_ = false; }

void Memo::rebuild() const {
  display_.clear();
  const int textWidthAvailable = std::max(1, width() - 2 * kTextInset);
  for (const auto& line : lines_) {
    if (!wordWrap_ || line.empty()) {
      display_.push_back(line);
      continue;
    }
    for (auto& piece : wrapText(font(), line, textWidthAvailable)) display_.push_back(std::move(piece));
  }
  displayValid_ = true;
}

int Memo::displayLineCount() const {
  if (!displayValid_) rebuild();
  return static_cast<int>(display_.size());
}

const std::string& Memo::displayLine(int index) const {
  static const std::string none;
  if (!displayValid_) rebuild();
  if (index < 0 || index >= static_cast<int>(display_.size())) return none;
  return display_[index];
}

int Memo::visibleLineCount() const {
  const int step = std::max(1, lineHeight(font()));
  return std::max(1, (height() - 2 * kTextInset) / step);
}

int Memo::lastTopLine() const { return std::max(0, displayLineCount() - visibleLineCount()); }

void Memo::scrollTo(int line) {
  const int clamped = std::clamp(line, 0, lastTopLine());
  if (clamped == topLine_) return;
  topLine_ = clamped;
  invalidate();
}

void Memo::setCaretLine(int line) {
  caretLine_ = std::clamp(line, 0, std::max(0, displayLineCount() - 1));
  // The view follows the caret, as a desktop memo scrolls with it.
  if (caretLine_ < topLine_) scrollTo(caretLine_);
  if (caretLine_ >= topLine_ + visibleLineCount()) scrollTo(caretLine_ - visibleLineCount() + 1);
  invalidate();
}

void Memo::handleKeyDown(int& key, ShiftState shift) {
  const int page = visibleLineCount();
  switch (key) {
    case vk::Up: setCaretLine(caretLine_ - 1); break;
    case vk::Down: setCaretLine(caretLine_ + 1); break;
    case vk::Prior:
      scrollTo(topLine_ - page);
      setCaretLine(caretLine_ - page);
      break;
    case vk::Next:
      scrollTo(topLine_ + page);
      setCaretLine(caretLine_ + page);
      break;
    case vk::Home:
      if (shift.ctrl) setCaretLine(0);
      break;
    case vk::End:
      if (shift.ctrl) setCaretLine(displayLineCount() - 1);
      break;
    default: break;
  }
}

void Memo::handleMouseDown(MouseButton, int, int y) {
  const int step = std::max(1, lineHeight(font()));
  setCaretLine(topLine_ + std::max(0, y - kTextInset) / step);
}

void Memo::handleMouseWheel(int steps) { scrollTo(topLine_ - steps * kWheelLines); }

void Memo::paint(Canvas& canvas, int originX, int originY) {
  const Rect r{originX + left(), originY + top(), originX + left() + width(),
               originY + top() + height()};
  const Rect previous = canvas.intersectClip(r);
  canvas.fillRect(r, color());
  if (border_) canvas.frameRect(r, kBorderColour);
  const Rect inner = canvas.intersectClip(
      {r.left + kTextInset, r.top + kTextInset, r.right - kTextInset, r.bottom - kTextInset});
  const FontSpec& f = font();
  const int step = lineHeight(f);
  const int count = displayLineCount();
  int y = r.top + kTextInset;
  for (int i = topLine_; i < count && y < r.bottom; ++i, y += step)
    canvas.drawText(r.left + kTextInset, y, display_[i], f);
  if (focused() && caretLine_ >= topLine_) {
    const int cy = r.top + kTextInset + (caretLine_ - topLine_) * step;
    canvas.fillRect({r.left + kTextInset, cy, r.left + kTextInset + 1, cy + step}, f.color);
  }
  canvas.setClip(inner);
  canvas.setClip(previous);
}

}  // namespace tvz
