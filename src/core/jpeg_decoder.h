#pragma once
// Decoding the game's JPEG pictures (".mm1" after unscrambling) into 24-bit
// bitmaps.
#include <cstddef>
#include <cstdint>

#include <vector>

#include "platform/bitmap.h"

namespace tvz {

// False on damaged or unsupported data; the bitmap is then left unchanged.
bool DecodeJpeg(const std::uint8_t* data, std::size_t size, Bitmap& out);

// Compresses a bitmap to baseline JPEG (for tests and tools).
bool EncodeJpeg(const Bitmap& picture, int quality, std::vector<std::uint8_t>& out);

}  // namespace tvz
