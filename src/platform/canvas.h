#pragma once
// Drawing onto the 800x600 screen bitmap with a clip rectangle: what controls
// use to paint themselves. Text is rendered through SDL_ttf and blended.
#include <string_view>

#include "platform/bitmap.h"
#include "platform/text.h"

namespace tvz {

class Canvas {
 public:
  explicit Canvas(Bitmap& target);

  Bitmap& target() { return target_; }
  // Drawing is limited to clip (intersected with the bitmap).
  const Rect& clip() const { return clip_; }
  void setClip(const Rect& clip);
  // Narrows the clip; returns the previous clip for restoring.
  Rect intersectClip(const Rect& r);

  void fillRect(const Rect& r, Color c);
  void frameRect(const Rect& r, Color c);  // one-pixel outline
  // Draws src 1:1 with its top-left at x, y.
  void drawBitmap(int x, int y, const Bitmap& src);
  // Draws src scaled to dst.
  void stretchBitmap(const Rect& dst, const Bitmap& src);
  // As drawBitmap, skipping pixels of the key colour.
  void drawBitmapKeyed(int x, int y, const Bitmap& src, Color key);
  void stretchBitmapKeyed(const Rect& dst, const Bitmap& src, Color key);
  // One line of Windows-1252 text with its top-left at x, y, in the font's
  // colour; anti-aliased onto what lies below.
  void drawText(int x, int y, std::string_view text, const FontSpec& font);

 private:
  Bitmap& target_;
  Rect clip_;
};

}  // namespace tvz
