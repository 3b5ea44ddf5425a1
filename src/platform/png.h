#pragma once
// A small PNG writer for screen captures (24-bit, zlib-compressed).
#include <cstdint>
#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace tvz {

std::vector<std::uint8_t> encodePng(const Bitmap& bitmap);
bool writePng(const Bitmap& bitmap, const std::string& path, std::string* error = nullptr);

}  // namespace tvz
