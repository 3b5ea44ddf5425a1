#pragma once
// Test files for the core services: a scratch working directory and writers
// for scrambled sounds, pictures, text files and question indexes, made with
// the real encoders (libjpeg for JPEG) rather than the media generator.
#include <cstdint>
#include <string>
#include <vector>

#include "core/game_record.h"
#include "platform/bitmap.h"

namespace tvz::testing {

// A fresh temporary directory that is the working directory for the object's
// lifetime; the previous working directory is restored and the files removed.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string previous_;
};

void WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadFile(const std::string& name);
std::string ReadText(const std::string& name);

// Sounds: a canonical WAV image, first 64 bytes scrambled with the sound key.
void WriteSound(const std::string& name, const std::vector<std::int16_t>& samples,
                std::uint32_t rate = 22050);
void WriteScrambledSoundImage(const std::string& name, std::vector<std::uint8_t> wav);
// Samples i * step + offset (wrapping), easy to recognise after a copy.
std::vector<std::int16_t> Ramp(std::size_t count, int offset = 0, int step = 1);

// Pictures: first 256 bytes scrambled with the picture key.
Bitmap TestPicture(int width, int height);  // colour gradients
std::vector<std::uint8_t> JpegBytes(const Bitmap& picture, int quality = 90);
std::vector<std::uint8_t> BmpBytes(const Bitmap& picture);  // 24-bit bottom-up
void WriteScrambledPicture(const std::string& name, std::vector<std::uint8_t> bytes);

// Text files of the question bank: lines joined by CR LF, scrambled whole.
void WriteScrambledText(const std::string& name, const std::vector<std::string>& lines);
// A consistent bank of `questions` questions with four answers each.
void WriteQuestionBank(int questions);
void WriteQuestionIndex(const std::vector<QuestionIndexRecord>& records, std::size_t bytes = 0);

}  // namespace tvz::testing
