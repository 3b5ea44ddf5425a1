#pragma once
// A plain 24-bit picture: the common currency of pictures, sheets, the JPEG and
// BMP loaders and the animation decoder.
#include <cstdint>
#include <vector>

namespace tvz {

// Colours are kept as the desktop framework keeps them: 0x00BBGGRR, so the
// orange of the menus, red 255 green 102 blue 0, reads 0x0066FF.
using Color = std::uint32_t;
constexpr Color rgb(int r, int g, int b) {
  return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int redOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ <= 0 || height_ <= 0; }
  void resize(int width, int height);  // contents become black

  // Rows top-down, three bytes per pixel in R, G, B order, no padding.
  std::uint8_t* pixels() { return pixels_.data(); }
  const std::uint8_t* pixels() const { return pixels_.data(); }
  std::uint8_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_ * 3; }
  const std::uint8_t* row(int y) const {
    return pixels_.data() + static_cast<std::size_t>(y) * width_ * 3;
  }

  Color pixel(int x, int y) const;           // black outside the picture
  void setPixel(int x, int y, Color c);      // ignored outside the picture
  void fill(Color c);

  // Copies the source rectangle of src onto the destination rectangle of this
  // bitmap, stretching when the sizes differ; both clipped to their bitmaps.
  void copyRect(const Rect& dst, const Bitmap& src, const Rect& srcRect);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> pixels_;
};

}  // namespace tvz
