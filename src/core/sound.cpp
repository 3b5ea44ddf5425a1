#include "core/sound.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "core/error_log.h"
#include "core/media.h"
#include "core/scramble.h"

namespace tvz {
namespace {

constexpr std::size_t kRiffSizeOffset = 4;
constexpr std::size_t kByteRateOffset = 28;
constexpr std::size_t kDataSizeOffset = 40;

std::uint32_t Read32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Read16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
void Write32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void Write16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

// Samples per millisecond: integer division, then used as a floating factor.
double SamplesPerMs(const std::vector<std::uint8_t>& wav) { return ByteRate(wav) / 2000; }

// trunc toward zero, kept inside the 64-bit range so hostile factors stay defined.
std::int64_t Trunc(double v) {
  if (!(v > -9.0e18 && v < 9.0e18)) return 0;
  return static_cast<std::int64_t>(v);
}

// Weights this modest keep every weighted sum far inside the 64-bit range, so
// the conversion needs no check and the loop stays branch-free.
bool ModestWeight(double w) { return std::isfinite(w) && std::fabs(w) < 1.0e12; }

std::int16_t LoadSample(const std::uint8_t* p) {
  std::int16_t v;
  std::memcpy(&v, p, 2);  // samples are little-endian, as is every target of the game
  return v;
}

void StoreLow16(std::uint8_t* p, std::int64_t value) {
  const auto low = static_cast<std::uint16_t>(static_cast<std::uint64_t>(value));
  std::memcpy(p, &low, 2);
}

// out[k] = trunc(out[k] * ownWeight + in[k] * inWeight), stored as the low 16
// bits; without `in` only the first term counts.
void MixSamples(std::uint8_t* out, const std::uint8_t* in, std::int64_t count, double ownWeight,
                double inWeight) {
  if (!ModestWeight(ownWeight) || !ModestWeight(inWeight)) {
    for (std::int64_t k = 0; k < count; ++k) {
      const double extra = in ? LoadSample(in + 2 * k) * inWeight : 0.0;
      StoreLow16(out + 2 * k, Trunc(LoadSample(out + 2 * k) * ownWeight + extra));
    }
    return;
  }
  if (in == nullptr) {
    for (std::int64_t k = 0; k < count; ++k)
      StoreLow16(out + 2 * k, static_cast<std::int64_t>(LoadSample(out + 2 * k) * ownWeight));
    return;
  }
  for (std::int64_t k = 0; k < count; ++k)
    StoreLow16(out + 2 * k, static_cast<std::int64_t>(LoadSample(out + 2 * k) * ownWeight +
                                                      LoadSample(in + 2 * k) * inWeight));
}

bool IsCanonical(const std::vector<std::uint8_t>& wav) { return IsCanonicalWav(wav.data(), wav.size()); }

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// Reads the file onto the end of `into` and unscrambles its header there.
// Returns the offset of the clip; on failure `into` is as before.
bool ReadClipOnto(std::vector<std::uint8_t>& into, const std::string& file, std::size_t& clipStart) {
  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(file.c_str(), "rb"));
  if (!f) return false;
  // A directory opens too; only a regular file has a size to read.
  struct stat info {};
  if (::fstat(::fileno(f.get()), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  if (std::fseek(f.get(), 0, SEEK_END) != 0) return false;
  const long size = std::ftell(f.get());
  if (size < 0 || std::fseek(f.get(), 0, SEEK_SET) != 0) return false;
  clipStart = into.size();
  into.resize(clipStart + static_cast<std::size_t>(size));
  std::uint8_t* clip = into.data() + clipStart;
  if (std::fread(clip, 1, static_cast<std::size_t>(size), f.get()) != static_cast<std::size_t>(size)) {
    into.resize(clipStart);
    return false;
  }
  Unscramble(clip, static_cast<std::size_t>(size), kSoundKey.start, kSoundKey.count, kSoundKey.step);
  if (!IsCanonicalWav(clip, static_cast<std::size_t>(size))) {
    into.resize(clipStart);
    return false;
  }
  return true;
}

bool ReadClip(const std::string& file, std::vector<std::uint8_t>& clip) {
  clip.clear();
  std::size_t start = 0;
  return ReadClipOnto(clip, file, start);
}

void GrowChunks(std::vector<std::uint8_t>& wav, std::uint32_t bytes) {
  Write32(wav.data() + kRiffSizeOffset, RiffChunkSize(wav) + bytes);
  Write32(wav.data() + kDataSizeOffset, DataChunkSize(wav) + bytes);
}

// Appends the clip bytes [from, from + count) of a clip read onto the end of
// the stream: one move of the samples into place, then the header update.
void KeepClipBytes(SoundBuffer& stream, std::size_t clipStart, std::size_t from, std::size_t count,
                   const std::string& file) {
  std::uint8_t* base = stream.bytes.data();
  std::memmove(base + clipStart, base + clipStart + from, count);
  stream.bytes.resize(clipStart + count);
  GrowChunks(stream.bytes, static_cast<std::uint32_t>(count));
  stream.clips.push_back(file);
}

}  // namespace

std::uint32_t RiffChunkSize(const std::vector<std::uint8_t>& wav) {
  return wav.size() >= kWavHeaderSize ? Read32(wav.data() + kRiffSizeOffset) : 0;
}
std::uint32_t DataChunkSize(const std::vector<std::uint8_t>& wav) {
  return wav.size() >= kWavHeaderSize ? Read32(wav.data() + kDataSizeOffset) : 0;
}
std::uint32_t ByteRate(const std::vector<std::uint8_t>& wav) {
  return wav.size() >= kWavHeaderSize ? Read32(wav.data() + kByteRateOffset) : 0;
}
std::int64_t SampleCount(const std::vector<std::uint8_t>& wav) {
  const std::uint32_t riff = RiffChunkSize(wav);
  return riff < 36 ? 0 : (static_cast<std::int64_t>(riff) - 36) / 2;
}
std::int16_t SampleAt(const std::vector<std::uint8_t>& wav, std::int64_t index) {
  return static_cast<std::int16_t>(Read16(wav.data() + kWavHeaderSize + 2 * index));
}

bool IsCanonicalWav(const std::uint8_t* wav, std::size_t size) {
  if (wav == nullptr || size < kWavHeaderSize) return false;
  if (std::memcmp(wav, "RIFF", 4) != 0 || std::memcmp(wav + 8, "WAVEfmt ", 8) != 0 ||
      std::memcmp(wav + 36, "data", 4) != 0)
    return false;
  const bool pcm16Mono = Read32(wav + 16) == 16 && Read16(wav + 20) == 1 && Read16(wav + 22) == 1 &&
                         Read16(wav + 34) == 16;
  const std::uint64_t riff = Read32(wav + kRiffSizeOffset);
  const std::uint64_t data = Read32(wav + kDataSizeOffset);
  return pcm16Mono && Read32(wav + kByteRateOffset) >= 2000 && riff >= 36 && riff + 8 <= size &&
         data + kWavHeaderSize <= size;
}

bool LoadSound(ErrorLog& log, SoundBuffer& stream, const std::string& file) {
  // Exactly the clip: a click stays a few kilobytes; a soundtrack composed
  // onto it grows as it needs.
  std::vector<std::uint8_t> image;
  if (!ReadClip(file, image)) {
    log.ReportError("Error loading file", kLoadSoundCode);
    return false;
  }
  stream.bytes.swap(image);
  stream.clips.assign(1, file);
  return true;
}

bool AppendSound(ErrorLog& log, SoundBuffer& stream, const std::string& file) {
  std::size_t clipStart = 0;
  if (!IsCanonical(stream.bytes) || !ReadClipOnto(stream.bytes, file, clipStart)) {
    log.ReportError("Error loading file", kAppendSoundCode);
    return false;
  }
  const std::uint8_t* clip = stream.bytes.data() + clipStart;
  const std::size_t evenBytes = Read32(clip + kDataSizeOffset) & ~std::uint32_t{1};
  KeepClipBytes(stream, clipStart, kWavHeaderSize, evenBytes, file);
  return true;
}

bool AppendSoundSpan(ErrorLog& log, SoundBuffer& stream, const std::string& file,
                     std::int32_t toMs, std::int32_t fromMs) {
  std::size_t clipStart = 0;
  if (!IsCanonical(stream.bytes) || !ReadClipOnto(stream.bytes, file, clipStart)) {
    log.ReportError("Error loading file", kAppendSpanCode);
    return false;
  }
  const std::uint8_t* clip = stream.bytes.data() + clipStart;
  const double spm = Read32(clip + kByteRateOffset) / 2000;
  const std::int64_t first = Trunc(fromMs * spm);
  const std::int64_t end = Trunc(toMs * spm);
  const std::int64_t clipSamples = Read32(clip + kDataSizeOffset) / 2;
  // A span outside the clip would copy bytes that are not there.
  if (first < 0 || end < first || end > clipSamples) {
    stream.bytes.resize(clipStart);
    log.ReportError("Error loading file", kAppendSpanCode);
    return false;
  }
  KeepClipBytes(stream, clipStart, kWavHeaderSize + 2 * static_cast<std::size_t>(first),
                2 * static_cast<std::size_t>(end - first), file);
  return true;
}

std::int32_t MixSound(ErrorLog& log, SoundBuffer& stream, const std::string& file, float gain,
                      std::int32_t atMs) {
  std::vector<std::uint8_t> clip;
  if (!IsCanonical(stream.bytes) || !ReadClip(file, clip)) {
    log.ReportError("Error loading file", kMixSoundCode);
    return 0;
  }
  const double spm = SamplesPerMs(stream.bytes);
  const double ownWeight = 1.0 - gain + 0.2;
  const std::int64_t m = SampleCount(clip);
  const std::int64_t n = SampleCount(stream.bytes);
  std::int64_t i = Trunc(atMs * spm);
  std::int64_t j = i < 0 ? -i : 0;  // a start before the buffer mixes only what falls inside
  if (i < 0) i = 0;
  const std::int64_t count = std::max<std::int64_t>(0, std::min(m - j, n - i));
  MixSamples(stream.bytes.data() + kWavHeaderSize + 2 * i, clip.data() + kWavHeaderSize + 2 * j,
             count, ownWeight, double{gain});
  i += count;
  stream.clips.push_back(file);
  return static_cast<std::int32_t>(Trunc(i / spm));
}

void ScaleVolume(SoundBuffer& stream, std::int32_t fromMs, std::int32_t toMs, float factor) {
  if (!IsCanonical(stream.bytes)) return;
  const double spm = SamplesPerMs(stream.bytes);
  const std::int64_t n = SampleCount(stream.bytes);
  std::int64_t a = Trunc(fromMs * spm);
  std::int64_t b = Trunc(toMs * spm);
  if (b > n - 1) b = n - 1;
  if (a < 0) a = 0;
  if (b < a) return;
  MixSamples(stream.bytes.data() + kWavHeaderSize + 2 * a, nullptr, b - a + 1, double{factor}, 0.0);
}

std::vector<std::uint8_t> MakeWav(const std::vector<std::int16_t>& samples, std::uint32_t rate) {
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> wav(kWavHeaderSize + dataBytes);
  std::uint8_t* h = wav.data();
  std::memcpy(h, "RIFF", 4);
  Write32(h + 4, 36 + dataBytes);
  std::memcpy(h + 8, "WAVEfmt ", 8);
  Write32(h + 16, 16);
  Write16(h + 20, 1);
  Write16(h + 22, 1);
  Write32(h + 24, rate);
  Write32(h + 28, rate * 2);
  Write16(h + 32, 2);
  Write16(h + 34, 16);
  std::memcpy(h + 36, "data", 4);
  Write32(h + 40, dataBytes);
  for (std::size_t i = 0; i < samples.size(); ++i)
    Write16(h + kWavHeaderSize + 2 * i, static_cast<std::uint16_t>(samples[i]));
  return wav;
}

}  // namespace tvz
