#include "platform/bitmap.h"

#include <algorithm>

namespace tvz {

Bitmap::Bitmap(int width, int height) { resize(width, height); }

void Bitmap::resize(int width, int height) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  pixels_.assign(static_cast<std::size_t>(width_) * height_ * 3, 0);
}

Color Bitmap::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  const std::uint8_t* p = row(y) + x * 3;
  return rgb(p[0], p[1], p[2]);
}

void Bitmap::setPixel(int x, int y, Color c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  std::uint8_t* p = row(y) + x * 3;
  p[0] = static_cast<std::uint8_t>(redOf(c));
  p[1] = static_cast<std::uint8_t>(greenOf(c));
  p[2] = static_cast<std::uint8_t>(blueOf(c));
}

void Bitmap::fill(Color c) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) setPixel(x, y, c);
}

void Bitmap::copyRect(const Rect& dst, const Bitmap& src, const Rect& srcRect) {
  const int dw = dst.width(), dh = dst.height();
  const int sw = srcRect.width(), sh = srcRect.height();
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  const bool sameSize = dw == sw && dh == sh;
  for (int y = 0; y < dh; ++y) {
    const int ty = dst.top + y;
    if (ty < 0 || ty >= height_) continue;
    const int sy = srcRect.top + (sameSize ? y : static_cast<int>(static_cast<long long>(y) * sh / dh));
    if (sy < 0 || sy >= src.height()) continue;
    for (int x = 0; x < dw; ++x) {
      const int tx = dst.left + x;
      if (tx < 0 || tx >= width_) continue;
      const int sx = srcRect.left + (sameSize ? x : static_cast<int>(static_cast<long long>(x) * sw / dw));
      if (sx < 0 || sx >= src.width()) continue;
      const std::uint8_t* s = src.row(sy) + sx * 3;
      std::uint8_t* t = row(ty) + tx * 3;
      t[0] = s[0];
      t[1] = s[1];
      t[2] = s[2];
    }
  }
}

}  // namespace tvz
