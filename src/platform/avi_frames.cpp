#include "platform/avi_frames.h"

#include <algorithm>
#include <cstring>

namespace tvz::avi {
namespace {

std::size_t strideOf(const FrameFormat& format) {
  const std::size_t rowBytes = static_cast<std::size_t>(format.width) * (format.bitCount / 8);
  return (rowBytes + 3) & ~std::size_t{3};  // rows are padded to whole 32-bit words
}

const std::uint8_t* colourOf(const FrameFormat& format, std::uint8_t index) {
  return format.palette.data() + std::size_t{index} * 3;
}

// Writes `count` pixels from x on a row of the index canvas, clipped to the row.
class IndexRow {
 public:
  IndexRow(std::vector<std::uint8_t>& canvas, const FrameFormat& format, int y)
      : row_(canvas.data() + static_cast<std::size_t>(y) * format.width), width_(format.width) {}
  void fill(int x, int count, std::uint8_t value) {
    if (x >= width_) return;
    std::memset(row_ + x, value, static_cast<std::size_t>(std::min(count, width_ - x)));
  }
  void copy(int x, const std::uint8_t* values, int count) {
    if (x >= width_) return;
    std::memcpy(row_ + x, values, static_cast<std::size_t>(std::min(count, width_ - x)));
  }

 private:
  std::uint8_t* row_;
  int width_;
};

}  // namespace

bool decodeUncompressed(const FrameFormat& format, const std::uint8_t* data, std::size_t size,
                        Bitmap& out) {
  const std::size_t stride = strideOf(format);
  if (size / stride < static_cast<std::size_t>(format.height)) return false;
  for (int y = 0; y < format.height; ++y) {
    const int stored = format.topDown ? y : format.height - 1 - y;
    const std::uint8_t* src = data + static_cast<std::size_t>(stored) * stride;
    std::uint8_t* dst = out.row(y);
    for (int x = 0; x < format.width; ++x, dst += 3) {
      if (format.bitCount == 8) {
        std::memcpy(dst, colourOf(format, src[x]), 3);
      } else {
        const std::uint8_t* bgr = src + static_cast<std::size_t>(x) * 3;
        dst[0] = bgr[2];
        dst[1] = bgr[1];
        dst[2] = bgr[0];
      }
    }
  }
  return true;
}

bool drawRle8(const FrameFormat& format, const std::uint8_t* data, std::size_t size,
              std::vector<std::uint8_t>& canvas) {
  // Rows are stored bottom-up: line 0 of the data is the picture's last row.
  int x = 0;
  int line = 0;
  std::size_t pos = 0;
  auto rowAt = [&](int storedLine) { return IndexRow(canvas, format, format.height - 1 - storedLine); };
  while (pos + 2 <= size) {
    const int count = data[pos];
    const std::uint8_t value = data[pos + 1];
    pos += 2;
    if (count > 0) {  // a run of one index
      if (line < format.height) rowAt(line).fill(x, count, value);
      x = std::min(x + count, format.width);
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x = 0;
        ++line;
        break;
      case 1:  // end of picture
        return true;
      case 2:  // delta: move right and up, leaving the pixels in between as they were
        if (pos + 2 > size) return false;
        x += data[pos];
        line += data[pos + 1];
        pos += 2;
        break;
      default: {  // absolute: `value` literal indexes, padded to a whole word
        const std::size_t literal = value;
        if (pos + literal > size) return false;
        if (line < format.height) rowAt(line).copy(x, data + pos, static_cast<int>(literal));
        x += static_cast<int>(literal);
        pos += literal + (literal & 1);
        break;
      }
    }
    // Nothing more can be drawn once past the top; keep x from growing without bound.
    x = std::min(x, format.width);
    line = std::min(line, format.height);
  }
  // Data that ends without the end-of-picture escape ends the picture there.
  return true;
}

void indexesToBitmap(const FrameFormat& format, const std::vector<std::uint8_t>& canvas,
                     Bitmap& out) {
  std::uint8_t* dst = out.pixels();
  for (std::uint8_t index : canvas) {
    std::memcpy(dst, colourOf(format, index), 3);
    dst += 3;
  }
}

}  // namespace tvz::avi
