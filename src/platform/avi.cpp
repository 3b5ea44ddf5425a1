// The animation clips: a RIFF AVI reader for one silent video stream. The file
// is kept whole (mapped from the file cache); frames are found through the
// index (or by walking the frame list when there is none) and decoded on demand.
#include "platform/avi.h"

#include <algorithm>
#include <cstring>
#include "platform/avi_frames.h"
#include "platform/file_image.h"

namespace tvz {
namespace {

// Clips are at most screen-sized; anything larger is a damaged header, and
// would cost a huge canvas.
constexpr int kMaxSide = 2048;
constexpr std::size_t kMaxFrames = 100000;
constexpr std::uint32_t kKeyFrameFlag = 0x10;  // AVIIF_KEYFRAME
constexpr std::uint32_t kDefaultMicroseconds = 66667;
constexpr std::uint32_t kCompressionRgb = 0;
constexpr std::uint32_t kCompressionRle8 = 1;

std::uint32_t u32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
bool isId(const std::uint8_t* p, const char* id) { return std::memcmp(p, id, 4) == 0; }

struct Chunk {
  const std::uint8_t* id = nullptr;
  std::size_t start = 0;  // offset of the chunk header
  std::size_t body = 0;
  std::size_t size = 0;
  bool isList(const std::uint8_t* bytes, const char* kind) const {
    return isId(id, "LIST") && size >= 4 && isId(bytes + body, kind);
  }
};

// Walks the chunks between begin and end; a chunk reaching past end stops the walk.
class ChunkWalker {
 public:
  ChunkWalker(const FileImage& bytes, std::size_t begin, std::size_t end)
      : bytes_(bytes), pos_(begin), end_(std::min(end, bytes.size())) {}

  bool next(Chunk* chunk) {
    if (pos_ > end_ || end_ - pos_ < 8) return false;
    const std::size_t size = u32(bytes_.data() + pos_ + 4);
    const std::size_t body = pos_ + 8;
    if (size > end_ - body) return false;
    chunk->id = bytes_.data() + pos_;
    chunk->start = pos_;
    chunk->body = body;
    chunk->size = size;
    pos_ = body + size + (size & 1);  // chunks are word-aligned
    return true;
  }

 private:
  const FileImage& bytes_;
  std::size_t pos_;
  std::size_t end_;
};

struct FrameEntry {
  std::size_t offset = 0;
  std::size_t size = 0;
  bool key = false;
};

}  // namespace

namespace avi {

// A parsed clip: the file image, the frame format and where each frame is.
struct ClipData {
  FileImage bytes;
  FrameFormat format;
  std::uint32_t microseconds = kDefaultMicroseconds;
  std::vector<FrameEntry> frames;
  std::vector<int> lastKey;     // per frame: the key frame its decoding starts from
  std::vector<int> lastFilled;  // per frame: the frame with data it shows (empty chunks repeat)
};

}  // namespace avi

struct AviClip::Impl : avi::ClipData {
  std::vector<std::uint8_t> canvas;  // palette indexes of the last RLE frame drawn
  int canvasFrame = -1;

  bool decodeRle(int index, Bitmap& out);
};

namespace {

class AviParser {
 public:
  AviParser(avi::ClipData& clip, std::string* error) : clip_(clip), bytes_(clip.bytes), error_(error) {}

  bool parse() {
    if (bytes_.size() < 12 || !isId(bytes_.data(), "RIFF") || !isId(bytes_.data() + 8, "AVI ")) {
      return fail("not an AVI file");
    }
    const std::size_t riffEnd = std::min<std::size_t>(bytes_.size(), std::size_t{u32(bytes_.data() + 4)} + 8);
    ChunkWalker walker(bytes_, 12, riffEnd);
    Chunk chunk;
    Chunk idx1;
    bool haveIndex = false;
    while (walker.next(&chunk)) {
      if (chunk.isList(bytes_.data(), "hdrl")) {
        if (!readHeaderList(chunk)) return false;
      } else if (chunk.isList(bytes_.data(), "movi") && !haveMovi_) {
        movi_ = chunk;
        haveMovi_ = true;
      } else if (isId(chunk.id, "idx1")) {
        idx1 = chunk;
        haveIndex = true;
      }
    }
    if (!haveStream_) return fail("no video stream");
    if (!haveMovi_) return fail("no frame list");
    if (!(haveIndex && readIndex(idx1)) && !walkFrames()) return false;
    if (clip_.frames.empty()) return fail("no frames");
    linkFrames();
    return true;
  }

 private:
  bool fail(const std::string& reason) {
    if (error_) *error_ = reason;
    return false;
  }

  bool readHeaderList(const Chunk& hdrl) {
    ChunkWalker walker(bytes_, hdrl.body + 4, hdrl.body + hdrl.size);
    Chunk chunk;
    int streamNumber = 0;
    while (walker.next(&chunk)) {
      if (isId(chunk.id, "avih") && chunk.size >= 4) {
        avihMicroseconds_ = u32(bytes_.data() + chunk.body);
      } else if (chunk.isList(bytes_.data(), "strl")) {
        if (!haveStream_ && isVideoStream(chunk)) {
          if (!readStream(chunk)) return false;
          streamNumber_ = streamNumber;
        }
        ++streamNumber;
      }
    }
    return true;
  }

  bool isVideoStream(const Chunk& strl) {
    ChunkWalker walker(bytes_, strl.body + 4, strl.body + strl.size);
    Chunk chunk;
    return walker.next(&chunk) && isId(chunk.id, "strh") && chunk.size >= 4 &&
           isId(bytes_.data() + chunk.body, "vids");
  }

  bool readStream(const Chunk& strl) {
    ChunkWalker walker(bytes_, strl.body + 4, strl.body + strl.size);
    Chunk chunk;
    bool haveFormat = false;
    while (walker.next(&chunk)) {
      if (isId(chunk.id, "strh") && chunk.size >= 28) {
        streamScale_ = u32(bytes_.data() + chunk.body + 20);
        streamRate_ = u32(bytes_.data() + chunk.body + 24);
      } else if (isId(chunk.id, "strf")) {
        if (!readFormat(chunk)) return false;
        haveFormat = true;
      }
    }
    if (!haveFormat) return fail("video stream without a frame format");
    haveStream_ = true;
    clip_.microseconds = frameDuration();
    return true;
  }

  // BITMAPINFOHEADER and, for 8-bit frames, the palette after it.
  bool readFormat(const Chunk& strf) {
    if (strf.size < 40) return fail("frame format too short");
    const std::uint8_t* info = bytes_.data() + strf.body;
    const std::uint32_t infoSize = u32(info);
    const std::int64_t width = static_cast<std::int32_t>(u32(info + 4));
    const std::int64_t height = static_cast<std::int32_t>(u32(info + 8));
    const int bitCount = u16(info + 14);
    const std::uint32_t compression = u32(info + 16);
    const std::uint32_t coloursUsed = u32(info + 32);
    if (infoSize < 40 || infoSize > strf.size) return fail("damaged frame format");
    if (width < 1 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide) {
      return fail("clip size " + std::to_string(width) + " x " + std::to_string(height) + " out of range");
    }
    const bool rgb = compression == kCompressionRgb && (bitCount == 8 || bitCount == 24);
    const bool rle8 = compression == kCompressionRle8 && bitCount == 8;
    if (!rgb && !rle8) {
      return fail("unsupported frames (" + std::to_string(bitCount) + "-bit, compression " +
                  std::to_string(compression) + ")");
    }
    if (rle8 && height < 0) return fail("RLE8 frames cannot be stored top-down");
    auto& format = clip_.format;
    format.width = static_cast<int>(width);
    format.height = static_cast<int>(height < 0 ? -height : height);
    format.topDown = height < 0;
    format.bitCount = bitCount;
    format.rle8 = rle8;
    format.palette.assign(256 * 3, 0);
    if (bitCount == 8) {
      std::size_t entries = coloursUsed == 0 ? 256 : std::min<std::size_t>(coloursUsed, 256);
      entries = std::min<std::size_t>(entries, (strf.size - infoSize) / 4);
      const std::uint8_t* quad = info + infoSize;
      for (std::size_t i = 0; i < entries; ++i, quad += 4) {  // stored blue, green, red, 0
        format.palette[i * 3] = quad[2];
        format.palette[i * 3 + 1] = quad[1];
        format.palette[i * 3 + 2] = quad[0];
      }
    }
    return true;
  }

  std::uint32_t frameDuration() const {
    if (avihMicroseconds_ > 0) return avihMicroseconds_;
    if (streamScale_ > 0 && streamRate_ > 0) {
      const std::uint64_t us = std::uint64_t{1000000} * streamScale_ / streamRate_;
      return static_cast<std::uint32_t>(std::clamp<std::uint64_t>(us, 1, 0xFFFFFFFFu));
    }
    return kDefaultMicroseconds;
  }

  // "00db" (uncompressed) or "00dc" (compressed) for stream 0, and so on.
  bool isFrameId(const std::uint8_t* id) const {
    return id[0] == '0' + streamNumber_ / 10 && id[1] == '0' + streamNumber_ % 10 &&
           id[2] == 'd' && (id[3] == 'b' || id[3] == 'c');
  }

  bool addFrame(std::size_t offset, std::size_t size, bool key) {
    if (clip_.frames.size() >= kMaxFrames) return fail("too many frames");
    clip_.frames.push_back(FrameEntry{offset, size, key});
    return true;
  }

  // Without a usable index: the frames in file order, "rec " groups included.
  // Only the first frame is known to be a key frame.
  bool walkFrames() {
    clip_.frames.clear();
    ChunkWalker walker(bytes_, movi_.body + 4, movi_.body + movi_.size);
    Chunk chunk;
    while (walker.next(&chunk)) {
      if (chunk.isList(bytes_.data(), "rec ")) {
        ChunkWalker group(bytes_, chunk.body + 4, chunk.body + chunk.size);
        Chunk inner;
        while (group.next(&inner)) {
          if (isFrameId(inner.id) && !addFrame(inner.body, inner.size, clip_.frames.empty())) return false;
        }
      } else if (isFrameId(chunk.id) && !addFrame(chunk.body, chunk.size, clip_.frames.empty())) {
        return false;
      }
    }
    return true;
  }

  // The index gives the key frames. Its offsets count from the "movi" tag (or,
  // as some writers have it, from the start of the file); every entry must
  // point at its chunk, or the index is ignored.
  bool readIndex(const Chunk& idx1) {
    const std::size_t entries = idx1.size / 16;
    for (std::size_t base : {movi_.body, std::size_t{0}}) {
      clip_.frames.clear();
      bool allFound = true;
      for (std::size_t i = 0; i < entries && allFound; ++i) {
        const std::uint8_t* entry = bytes_.data() + idx1.body + i * 16;
        if (!isFrameId(entry)) continue;
        std::size_t size = 0;
        const std::size_t at = base + u32(entry + 8);
        allFound = chunkAt(at, entry, &size) &&
                   addFrame(at + 8, size, (u32(entry + 4) & kKeyFrameFlag) != 0);
      }
      if (allFound && !clip_.frames.empty()) return true;
    }
    clip_.frames.clear();
    return false;
  }

  bool chunkAt(std::size_t at, const std::uint8_t* id, std::size_t* size) const {
    const std::size_t moviEnd = movi_.body + movi_.size;
    if (at < movi_.body + 4 || at > moviEnd || moviEnd - at < 8 || !isId(bytes_.data() + at, reinterpret_cast<const char*>(id))) {
      return false;
    }
    *size = u32(bytes_.data() + at + 4);
    return *size <= moviEnd - at - 8;
  }

  // Which key frame each frame's decoding starts from, and which frame with
  // data an empty chunk (a dropped frame) repeats.
  void linkFrames() {
    const auto count = clip_.frames.size();
    clip_.lastKey.assign(count, 0);
    clip_.lastFilled.assign(count, -1);
    int key = 0;
    int filled = -1;
    for (std::size_t i = 0; i < count; ++i) {
      const FrameEntry& frame = clip_.frames[i];
      if (frame.key || !clip_.format.rle8) key = static_cast<int>(i);
      if (frame.size > 0) filled = static_cast<int>(i);
      clip_.lastKey[i] = key;
      clip_.lastFilled[i] = filled;
    }
  }

  avi::ClipData& clip_;
  const FileImage& bytes_;
  std::string* error_;
  Chunk movi_;
  bool haveMovi_ = false;
  bool haveStream_ = false;
  int streamNumber_ = 0;
  std::uint32_t avihMicroseconds_ = 0;
  std::uint32_t streamScale_ = 0;
  std::uint32_t streamRate_ = 0;
};

}  // namespace

bool AviClip::Impl::decodeRle(int index, Bitmap& out) {
  const std::size_t pixels = static_cast<std::size_t>(format.width) * format.height;
  int next = canvasFrame + 1;
  // Playing forwards draws only the new frames; anything else starts again at
  // the key frame before the one wanted.
  if (canvasFrame < lastKey[index] || canvasFrame > index) {
    canvas.assign(pixels, 0);
    next = lastKey[index];
  }
  for (; next <= index; ++next) {
    const FrameEntry& frame = frames[next];
    if (!avi::drawRle8(format, bytes.data() + frame.offset, frame.size, canvas)) {
      canvasFrame = -1;
      return false;
    }
    canvasFrame = next;
  }
  avi::indexesToBitmap(format, canvas, out);
  return true;
}

AviClip::AviClip() : impl_(std::make_unique<Impl>()) {}
AviClip::~AviClip() = default;

std::unique_ptr<AviClip> AviClip::parse(std::vector<std::uint8_t> bytes, std::string* error) {
  return parse(FileImage(std::move(bytes)), error);
}

std::unique_ptr<AviClip> AviClip::parse(FileImage bytes, std::string* error) {
  std::unique_ptr<AviClip> clip(new AviClip);
  clip->impl_->bytes = std::move(bytes);
  if (!AviParser(*clip->impl_, error).parse()) return nullptr;
  return clip;
}

std::unique_ptr<AviClip> AviClip::load(const std::string& path, std::string* error) {
  FileImage bytes;
  if (!FileImage::open(path, &bytes, error)) return nullptr;
  std::string reason;
  auto clip = parse(std::move(bytes), &reason);
  if (!clip && error) *error = path + ": " + reason;
  return clip;
}

int AviClip::width() const { return impl_->format.width; }
int AviClip::height() const { return impl_->format.height; }
int AviClip::frameCount() const { return static_cast<int>(impl_->frames.size()); }
std::uint32_t AviClip::microsecondsPerFrame() const { return impl_->microseconds; }

bool AviClip::decodeFrame(int index, Bitmap& out) {
  if (index < 0 || index >= frameCount()) return false;
  if (out.width() != width() || out.height() != height()) out.resize(width(), height());
  if (impl_->format.rle8) return impl_->decodeRle(index, out);
  // An empty chunk repeats the frame before it; a clip starting with one shows black.
  const int source = impl_->lastFilled[index];
  if (source < 0) {
    out.fill(0);
    return true;
  }
  const FrameEntry& frame = impl_->frames[source];
  return avi::decodeUncompressed(impl_->format, impl_->bytes.data() + frame.offset, frame.size, out);
}

}  // namespace tvz
