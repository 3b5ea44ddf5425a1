#pragma once
// The picture control: shows a bitmap of its own (a copy, so the source may
// change or go away), clipped to its rectangle.
#include "platform/control.h"

namespace tvz {

class Picture : public Control {
 public:
  explicit Picture(Form& owner);
  Picture(Form& owner, int left, int top, int width, int height);

  const Bitmap& bitmap() const { return bitmap_; }
  // Copies the picture in; with auto size on, the control takes its size.
  void setBitmap(const Bitmap& bitmap);
  void setBitmap(Bitmap&& bitmap);
  void clear();
  // Write access for drawing into the picture; call changed() afterwards.
  Bitmap& editBitmap() { return bitmap_; }
  void changed();

  // Copies part of another bitmap into this picture (stretching when the
  // rectangles differ in size); the picture is created at the control's size
  // first if it is empty.
  void copyRect(const Rect& dst, const Bitmap& src, const Rect& srcRect);

  // Stretch: the bitmap is scaled to the control. Otherwise drawn 1:1 at the
  // top-left (or centred with center on) and clipped.
  bool stretch() const { return stretch_; }
  void setStretch(bool stretch);
  bool center() const { return center_; }
  void setCenter(bool center);
  bool autoSize() const { return autoSize_; }
  void setAutoSize(bool autoSize);
  // Transparent: pixels of the colour of the bitmap's bottom-left pixel are
  // not drawn, so what lies below shows through.
  bool transparent() const { return transparent_; }
  void setTransparent(bool transparent);

  void paint(Canvas& canvas, int originX, int originY) override;

 private:
  void fitToBitmap();

  Bitmap bitmap_;
  bool stretch_ = false;
  bool center_ = false;
  bool autoSize_ = false;
  bool transparent_ = false;
};

}  // namespace tvz
