#include "core/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include <jpeglib.h>

namespace tvz {
namespace {

// libjpeg's own error handler ends the process; this one jumps back to the
// decoder, which then reports the picture as unreadable.
struct JumpingErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void JumpOnError(j_common_ptr info) {
  auto* manager = reinterpret_cast<JumpingErrorManager*>(info->err);
  std::longjmp(manager->jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

// The game's largest picture is 800 by 600; four times that is room enough.
// A damaged header claiming more would cost a large allocation and a long
// decode for nothing.
constexpr std::uint64_t kMaxJpegPixels = 1600ull * 1200ull;

// Releases the decompressor on every way out, including after a jump.
struct Decompressor {
  jpeg_decompress_struct info{};
  JumpingErrorManager errors{};
  bool created = false;
  ~Decompressor() {
    if (created) jpeg_destroy_decompress(&info);
  }
};

struct Compressor {
  jpeg_compress_struct info{};
  JumpingErrorManager errors{};
  bool created = false;
  ~Compressor() {
    if (created) jpeg_destroy_compress(&info);
  }
};

void InstallErrorManager(JumpingErrorManager& errors) {
  jpeg_std_error(&errors.base);
  errors.base.error_exit = JumpOnError;
  errors.base.output_message = IgnoreMessage;
}

// The decoding proper; no C++ objects with destructors live in this frame
// across the jump, so longjmp out of libjpeg is safe here.
bool DecodeInto(Decompressor& d, const std::uint8_t* data, std::size_t size, Bitmap& picture) {
  if (setjmp(d.errors.jump)) return false;
  jpeg_create_decompress(&d.info);
  d.created = true;
  jpeg_mem_src(&d.info, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(&d.info, TRUE) != JPEG_HEADER_OK) return false;
  // A damaged header may claim a picture of gigabytes; no picture of the
  // game comes near this.
  if (static_cast<std::uint64_t>(d.info.image_width) * d.info.image_height > kMaxJpegPixels)
    return false;
  d.info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&d.info);
  if (d.info.output_components != 3) return false;
  picture.resize(static_cast<int>(d.info.output_width), static_cast<int>(d.info.output_height));
  while (d.info.output_scanline < d.info.output_height) {
    JSAMPROW row = picture.row(static_cast<int>(d.info.output_scanline));
    jpeg_read_scanlines(&d.info, &row, 1);
  }
  jpeg_finish_decompress(&d.info);
  return true;
}

bool EncodeFrom(Compressor& c, const Bitmap& picture, int quality, unsigned char*& buffer,
                unsigned long& size) {
  if (setjmp(c.errors.jump)) return false;
  jpeg_create_compress(&c.info);
  c.created = true;
  jpeg_mem_dest(&c.info, &buffer, &size);
  c.info.image_width = static_cast<JDIMENSION>(picture.width());
  c.info.image_height = static_cast<JDIMENSION>(picture.height());
  c.info.input_components = 3;
  c.info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c.info);
  jpeg_set_quality(&c.info, quality, TRUE);
  jpeg_start_compress(&c.info, TRUE);
  while (c.info.next_scanline < c.info.image_height) {
    JSAMPROW row = const_cast<std::uint8_t*>(picture.row(static_cast<int>(c.info.next_scanline)));
    jpeg_write_scanlines(&c.info, &row, 1);
  }
  jpeg_finish_compress(&c.info);
  return true;
}

}  // namespace

bool DecodeJpeg(const std::uint8_t* data, std::size_t size, Bitmap& out) {
  if (data == nullptr || size == 0) return false;
  Decompressor decompressor;
  InstallErrorManager(decompressor.errors);
  decompressor.info.err = &decompressor.errors.base;
  Bitmap picture;
  if (!DecodeInto(decompressor, data, size, picture)) return false;
  out = std::move(picture);
  return true;
}

bool EncodeJpeg(const Bitmap& picture, int quality, std::vector<std::uint8_t>& out) {
  if (picture.empty()) return false;
  Compressor compressor;
  InstallErrorManager(compressor.errors);
  compressor.info.err = &compressor.errors.base;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool ok = EncodeFrom(compressor, picture, quality, buffer, size);
  if (ok) out.assign(buffer, buffer + size);
  std::free(buffer);
  return ok;
}

}  // namespace tvz
