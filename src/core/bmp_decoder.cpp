#include "core/bmp_decoder.h"

#include <cstdlib>
#include <utility>

namespace tvz {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::int64_t kMaxSide = 8192;
constexpr std::uint32_t kCompressionNone = 0;

std::uint16_t Read16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t Read32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

struct BmpLayout {
  std::int64_t width = 0;
  std::int64_t height = 0;  // always positive here
  bool topDown = false;
  int bitsPerPixel = 0;
  std::size_t pixelOffset = 0;
  std::size_t stride = 0;
  const std::uint8_t* palette = nullptr;
  std::size_t paletteEntries = 0;
  std::size_t paletteEntrySize = 4;
};

bool ReadLayout(const std::uint8_t* data, std::size_t size, BmpLayout& bmp) {
  if (size < kFileHeaderSize + kCoreHeaderSize || data[0] != 'B' || data[1] != 'M') return false;
  bmp.pixelOffset = Read32(data + 10);
  const std::uint8_t* info = data + kFileHeaderSize;
  const std::uint32_t infoSize = Read32(info);
  std::uint32_t compression = kCompressionNone;
  std::uint32_t colorsUsed = 0;
  if (infoSize == kCoreHeaderSize) {
    bmp.width = Read16(info + 4);
    bmp.height = static_cast<std::int16_t>(Read16(info + 6));
    bmp.bitsPerPixel = Read16(info + 10);
    bmp.paletteEntrySize = 3;
  } else {
    if (infoSize < kInfoHeaderSize || size - kFileHeaderSize < infoSize) return false;
    bmp.width = static_cast<std::int32_t>(Read32(info + 4));
    bmp.height = static_cast<std::int32_t>(Read32(info + 8));
    bmp.bitsPerPixel = Read16(info + 14);
    compression = Read32(info + 16);
    colorsUsed = Read32(info + 32);
  }
  if (compression != kCompressionNone) return false;
  if (bmp.height < 0) {
    bmp.topDown = true;
    bmp.height = -bmp.height;
  }
  if (bmp.width <= 0 || bmp.height <= 0 || bmp.width > kMaxSide || bmp.height > kMaxSide) return false;
  switch (bmp.bitsPerPixel) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return false;
  }
  bmp.stride = static_cast<std::size_t>((bmp.width * bmp.bitsPerPixel + 31) / 32 * 4);
  if (bmp.pixelOffset > size || size - bmp.pixelOffset < bmp.stride * static_cast<std::size_t>(bmp.height))
    return false;
  if (bmp.bitsPerPixel <= 8) {
    const std::size_t maxEntries = std::size_t{1} << bmp.bitsPerPixel;
    bmp.paletteEntries = (colorsUsed == 0 || colorsUsed > maxEntries) ? maxEntries : colorsUsed;
    const std::size_t paletteStart = kFileHeaderSize + infoSize;
    bmp.palette = data + paletteStart;
    // The palette must lie inside the file; entries past its end are black.
    if (paletteStart > size) return false;
    const std::size_t available = (size - paletteStart) / bmp.paletteEntrySize;
    if (available < bmp.paletteEntries) bmp.paletteEntries = available;
  }
  return true;
}

void PaletteColor(const BmpLayout& bmp, std::size_t index, std::uint8_t* rgb) {
  if (index >= bmp.paletteEntries) {
    rgb[0] = rgb[1] = rgb[2] = 0;
    return;
  }
  const std::uint8_t* entry = bmp.palette + index * bmp.paletteEntrySize;  // blue, green, red
  rgb[0] = entry[2];
  rgb[1] = entry[1];
  rgb[2] = entry[0];
}

void DecodeRow(const BmpLayout& bmp, const std::uint8_t* src, std::uint8_t* dst) {
  for (std::int64_t x = 0; x < bmp.width; ++x, dst += 3) {
    switch (bmp.bitsPerPixel) {
      case 1: PaletteColor(bmp, (src[x / 8] >> (7 - x % 8)) & 1, dst); break;
      case 4: PaletteColor(bmp, (src[x / 2] >> (x % 2 ? 0 : 4)) & 15, dst); break;
      case 8: PaletteColor(bmp, src[x], dst); break;
      case 16: {
        const std::uint16_t v = Read16(src + 2 * x);  // 5-5-5
        dst[0] = static_cast<std::uint8_t>(((v >> 10) & 31) * 255 / 31);
        dst[1] = static_cast<std::uint8_t>(((v >> 5) & 31) * 255 / 31);
        dst[2] = static_cast<std::uint8_t>((v & 31) * 255 / 31);
        break;
      }
      default: {
        const std::uint8_t* p = src + x * (bmp.bitsPerPixel / 8);
        dst[0] = p[2];
        dst[1] = p[1];
        dst[2] = p[0];
      }
    }
  }
}

}  // namespace

bool DecodeBmp(const std::uint8_t* data, std::size_t size, Bitmap& out) {
  BmpLayout bmp;
  if (data == nullptr || !ReadLayout(data, size, bmp)) return false;
  Bitmap picture(static_cast<int>(bmp.width), static_cast<int>(bmp.height));
  for (std::int64_t y = 0; y < bmp.height; ++y) {
    const std::int64_t fileRow = bmp.topDown ? y : bmp.height - 1 - y;
    DecodeRow(bmp, data + bmp.pixelOffset + static_cast<std::size_t>(fileRow) * bmp.stride,
              picture.row(static_cast<int>(y)));
  }
  out = std::move(picture);
  return true;
}

}  // namespace tvz
