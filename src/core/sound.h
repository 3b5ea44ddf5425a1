#pragma once
// Sound buffers and the operations that assemble speech and music from short
// ".mm3" clips: load, append, append a time span, mix, scale the volume. They
// work in place on a RIFF WAVE image with the canonical 44-byte header and
// 16-bit mono PCM samples. Times are milliseconds; a time t addresses sample
// trunc(t * spm), where spm = byte rate div 2000 (22 for a 22 050 Hz clip).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tvz {

class ErrorLog;

inline constexpr std::size_t kWavHeaderSize = 44;

struct SoundBuffer {
  std::vector<std::uint8_t> bytes;  // the whole WAV image
  // The clip files this sound was built from, in order (for tests and logs).
  std::vector<std::string> clips;
};

// Header fields the operations use.
std::uint32_t RiffChunkSize(const std::vector<std::uint8_t>& wav);
std::uint32_t DataChunkSize(const std::vector<std::uint8_t>& wav);
std::uint32_t ByteRate(const std::vector<std::uint8_t>& wav);
// (RIFF chunk size - 36) / 2.
std::int64_t SampleCount(const std::vector<std::uint8_t>& wav);
std::int16_t SampleAt(const std::vector<std::uint8_t>& wav, std::int64_t index);

// True for PCM 16-bit mono with the canonical header, a byte rate of at least
// 2000 and chunk sizes that fit inside the image.
bool IsCanonicalWav(const std::uint8_t* wav, std::size_t size);

// Codes of the error log for each operation.
inline constexpr std::int32_t kLoadSoundCode = 2105;
inline constexpr std::int32_t kAppendSoundCode = 2210;
inline constexpr std::int32_t kAppendSpanCode = 2220;
inline constexpr std::int32_t kMixSoundCode = 2310;

// The buffer becomes the unscrambled file. On failure the buffer is unchanged.
bool LoadSound(ErrorLog& log, SoundBuffer& stream, const std::string& file);
// Appends every sample of the file (its data size rounded down to even).
bool AppendSound(ErrorLog& log, SoundBuffer& stream, const std::string& file);
// Appends the file's samples from fromMs up to toMs (by the file's own rate).
bool AppendSoundSpan(ErrorLog& log, SoundBuffer& stream, const std::string& file,
                     std::int32_t toMs, std::int32_t fromMs);
// Mixes the file in at atMs; returns the time after the mixed part, 0 on failure.
std::int32_t MixSound(ErrorLog& log, SoundBuffer& stream, const std::string& file, float gain,
                      std::int32_t atMs);
// Multiplies the samples from fromMs to toMs inclusive by factor.
void ScaleVolume(SoundBuffer& stream, std::int32_t fromMs, std::int32_t toMs, float factor);

// A canonical WAV image of the samples (for tests, tools and benchmarks).
std::vector<std::uint8_t> MakeWav(const std::vector<std::int16_t>& samples, std::uint32_t rate);

}  // namespace tvz
