#pragma once
// Decoding the game's BMP pictures (".mm2" after unscrambling). Every header
// field is checked against the buffer, so hostile data fails cleanly.
#include <cstddef>
#include <cstdint>

#include "platform/bitmap.h"

namespace tvz {

// Uncompressed Windows bitmaps of 1, 4, 8, 16 (5-5-5), 24 or 32 bits per pixel,
// bottom-up or top-down. False on anything else; the bitmap is then unchanged.
bool DecodeBmp(const std::uint8_t* data, std::size_t size, Bitmap& out);

}  // namespace tvz
