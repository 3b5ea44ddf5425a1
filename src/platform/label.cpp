#include "platform/label.h"

#include <algorithm>

#include "platform/canvas.h"

namespace tvz {
namespace {

// Splits at CR LF, CR or LF, as a label without word wrap shows its caption.
std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

}  // namespace

// A label starts with its form's colour behind its text, as on the desktop.
Label::Label(Form& owner) : Control(owner) { setParentColor(true); }

Label::Label(Form& owner, int left, int top, int width, int height, std::string caption)
    : Control(owner), caption_(std::move(caption)) {
  setParentColor(true);
  setBounds(left, top, width, height);
}

void Label::setCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  linesValid_ = false;
  if (autoSize_) fitToCaption();
  invalidate();
}

void Label::setAlignment(Alignment alignment) {
  alignment_ = alignment;
  invalidate();
}

void Label::setLayout(VerticalAlignment layout) {
  layout_ = layout;
  invalidate();
}

void Label::setTransparent(bool transparent) {
  if (transparent_ == transparent) return;
  transparent_ = transparent;
  invalidate();
}

void Label::setWordWrap(bool wordWrap) {
  if (wordWrap_ == wordWrap) return;
  wordWrap_ = wordWrap;
  linesValid_ = false;
  invalidate();
}

void Label::setAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  if (autoSize_) fitToCaption();
}

void Label::layoutChanged() {
  linesValid_ = false;
  if (autoSize_) fitToCaption();
}

void Label::fitToCaption() {
  // Auto size keeps the width of a wrapping label and grows its height;
  // otherwise the label takes the size of its widest line.
  const FontSpec& f = font();
  if (wordWrap_) {
    const auto wrapped = wrapText(f, caption_, width());
    setHeight(static_cast<int>(wrapped.size()) * lineHeight(f));
    return;
  }
  const auto split = splitLines(caption_);
  int widest = 0;
  for (const auto& line : split) widest = std::max(widest, textWidth(f, line));
  setBounds(left(), top(), widest, static_cast<int>(split.size()) * lineHeight(f));
}

const std::vector<std::string>& Label::lines() const {
  if (!linesValid_) {
    lines_ = wordWrap_ ? wrapText(font(), caption_, width()) : splitLines(caption_);
    linesValid_ = true;
  }
  return lines_;
}

void Label::paint(Canvas& canvas, int originX, int originY) {
  const Rect r{originX + left(), originY + top(), originX + left() + width(),
               originY + top() + height()};
  const Rect previous = canvas.intersectClip(r);
  if (!transparent_) canvas.fillRect(r, color());
  const FontSpec& f = font();
  const auto& text = lines();
  const int step = lineHeight(f);
  const int total = step * static_cast<int>(text.size());
  int y = r.top;
  if (layout_ == VerticalAlignment::Center) y = r.top + (height() - total) / 2;
  if (layout_ == VerticalAlignment::Bottom) y = r.bottom - total;
  for (const auto& line : text) {
    int x = r.left;
    if (alignment_ != Alignment::Left) {
      const int w = textWidth(f, line);
      x = alignment_ == Alignment::Center ? r.left + (width() - w) / 2 : r.right - w;
    }
    canvas.drawText(x, y, line, f);
    y += step;
  }
  canvas.setClip(previous);
}

}  // namespace tvz
