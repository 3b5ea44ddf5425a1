// Any bytes as a BMP picture: decoded or refused, never an over-read.
#include <cstddef>
#include <cstdint>

#include "core/bmp_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tvz::Bitmap picture;
  tvz::DecodeBmp(data, size, picture);
  return 0;
}
