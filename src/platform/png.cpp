#include "platform/png.h"

#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace tvz {
namespace {

void putU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 24));
  out.push_back(static_cast<std::uint8_t>(v >> 16));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v));
}

void putChunk(std::vector<std::uint8_t>& out, const char type[4], const std::vector<std::uint8_t>& data) {
  putU32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  // The checksum covers the type and the data.
  const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
  putU32(out, static_cast<std::uint32_t>(crc));
}

}  // namespace

std::vector<std::uint8_t> encodePng(const Bitmap& bitmap) {
  const int w = bitmap.width(), h = bitmap.height();
  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  putU32(header, static_cast<std::uint32_t>(w));
  putU32(header, static_cast<std::uint32_t>(h));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
  putChunk(out, "IHDR", header);

  // Each row starts with filter type 0 (none).
  const std::size_t rowBytes = static_cast<std::size_t>(w) * 3;
  std::vector<std::uint8_t> raw;
  raw.reserve((rowBytes + 1) * h);
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);
    raw.insert(raw.end(), bitmap.row(y), bitmap.row(y) + rowBytes);
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<std::uint8_t> packed(packedSize);
  if (compress(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size())) != Z_OK)
    return {};
  packed.resize(packedSize);
  putChunk(out, "IDAT", packed);
  putChunk(out, "IEND", {});
  return out;
}

bool writePng(const Bitmap& bitmap, const std::string& path, std::string* error) {
  const auto bytes = encodePng(bitmap);
  if (bytes.empty()) {
    if (error) *error = "Cannot compress the picture";
    return false;
  }
  struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
    if (error) *error = "Cannot write \"" + path + "\": " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace tvz
