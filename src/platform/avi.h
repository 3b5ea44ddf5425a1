#pragma once
// Reader for the silent AVI clips (".mm4") the animation control plays:
// uncompressed 8-bit (palette) or 24-bit frames and RLE8 frames, frame rate from
// the header. Bounds-checked everywhere: a damaged or hostile file gives a clean
// failure, never a crash or an over-read.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/file_image.h"

namespace tvz {

class AviClip {
 public:
  // Parses a whole file image; nullptr and a reason on failure.
  static std::unique_ptr<AviClip> parse(std::vector<std::uint8_t> bytes, std::string* error);
  static std::unique_ptr<AviClip> parse(FileImage bytes, std::string* error);
  static std::unique_ptr<AviClip> load(const std::string& path, std::string* error);

  int width() const;
  int height() const;
  int frameCount() const;
  std::uint32_t microsecondsPerFrame() const;

  // Decodes frame index (0-based) into out (resized to the clip). Delta frames
  // are decoded from the preceding key frame; playing forwards costs one frame
  // per call. False when the frame data is damaged.
  bool decodeFrame(int index, Bitmap& out);

  ~AviClip();

 private:
  AviClip();
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tvz
