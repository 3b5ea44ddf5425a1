#include "platform/picture.h"

#include "platform/canvas.h"

namespace tvz {

Picture::Picture(Form& owner) : Control(owner) {}

Picture::Picture(Form& owner, int left, int top, int width, int height) : Control(owner) {
  setBounds(left, top, width, height);
}

void Picture::setBitmap(const Bitmap& bitmap) {
  bitmap_ = bitmap;
  changed();
}

void Picture::setBitmap(Bitmap&& bitmap) {
  bitmap_ = std::move(bitmap);
  changed();
}

void Picture::clear() {
  bitmap_ = Bitmap();
  changed();
}

void Picture::changed() {
  if (autoSize_) fitToBitmap();
  invalidate();
}

void Picture::copyRect(const Rect& dst, const Bitmap& src, const Rect& srcRect) {
  if (bitmap_.empty()) bitmap_.resize(width(), height());
  bitmap_.copyRect(dst, src, srcRect);
  changed();
}

void Picture::setStretch(bool stretch) {
  stretch_ = stretch;
  invalidate();
}

void Picture::setCenter(bool center) {
  center_ = center;
  invalidate();
}

void Picture::setAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  if (autoSize_) fitToBitmap();
}

void Picture::setTransparent(bool transparent) {
  transparent_ = transparent;
  invalidate();
}

void Picture::fitToBitmap() {
  if (!bitmap_.empty()) setBounds(left(), top(), bitmap_.width(), bitmap_.height());
}

void Picture::paint(Canvas& canvas, int originX, int originY) {
  if (bitmap_.empty()) return;
  const Rect r{originX + left(), originY + top(), originX + left() + width(),
               originY + top() + height()};
  const Rect previous = canvas.intersectClip(r);
  // The colour of the bottom-left pixel is the see-through colour.
  const Color key = bitmap_.pixel(0, bitmap_.height() - 1);
  if (stretch_) {
    if (transparent_)
      canvas.stretchBitmapKeyed(r, bitmap_, key);
    else
      canvas.stretchBitmap(r, bitmap_);
  } else {
    int x = r.left, y = r.top;
    if (center_) {
      x += (width() - bitmap_.width()) / 2;
      y += (height() - bitmap_.height()) / 2;
    }
    if (transparent_)
      canvas.drawBitmapKeyed(x, y, bitmap_, key);
    else
      canvas.drawBitmap(x, y, bitmap_);
  }
  canvas.setClip(previous);
}

}  // namespace tvz
