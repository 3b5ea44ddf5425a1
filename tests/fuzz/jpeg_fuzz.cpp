// Any bytes as a JPEG picture: decoded or refused, never a crash or an exit.
#include <cstddef>
#include <cstdint>

#include "core/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tvz::Bitmap picture;
  tvz::DecodeJpeg(data, size, picture);
  return 0;
}
