#pragma once
// Frame decoders of the animation clips: uncompressed 8-bit (palette) and
// 24-bit device-independent bitmaps, and RLE8. Every read is checked against
// the frame's bytes; writes outside the picture are dropped.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/bitmap.h"

namespace tvz::avi {

struct FrameFormat {
  int width = 0;
  int height = 0;
  bool topDown = false;  // uncompressed rows stored top row first
  int bitCount = 8;      // 8 or 24
  bool rle8 = false;
  std::vector<std::uint8_t> palette;  // 256 entries of R, G, B
};

// Uncompressed frame straight into out (already sized to the clip). False when
// the data is shorter than the picture.
bool decodeUncompressed(const FrameFormat& format, const std::uint8_t* data, std::size_t size,
                        Bitmap& out);

// Draws an RLE8 frame over the palette indexes in canvas (width x height, top
// row first), as a delta frame draws over its predecessor. False when the data
// is damaged (an escape cut off by the end of the data).
bool drawRle8(const FrameFormat& format, const std::uint8_t* data, std::size_t size,
              std::vector<std::uint8_t>& canvas);

// Palette indexes to colours.
void indexesToBitmap(const FrameFormat& format, const std::vector<std::uint8_t>& canvas,
                     Bitmap& out);

}  // namespace tvz::avi
