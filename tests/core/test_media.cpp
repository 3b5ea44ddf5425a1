#include "test_media.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "core/jpeg_decoder.h"
#include "core/question_bank.h"
#include "core/scramble.h"
#include "core/sound.h"

namespace tvz::testing {

ScratchDir::ScratchDir() {
  previous_ = std::filesystem::current_path().string();
  std::string pattern = (std::filesystem::temp_directory_path() / "tvz-core-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
  std::filesystem::current_path(path_);
}

ScratchDir::~ScratchDir() {
  std::filesystem::current_path(previous_);
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
  std::filesystem::remove_all(path_, ignored);
}

void WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + name);
}

std::vector<std::uint8_t> ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string ReadText(const std::string& name) {
  const std::vector<std::uint8_t> bytes = ReadFile(name);
  return std::string(bytes.begin(), bytes.end());
}

void WriteScrambledSoundImage(const std::string& name, std::vector<std::uint8_t> wav) {
  Scramble(wav.data(), wav.size(), kSoundKey.start, kSoundKey.count, kSoundKey.step);
  WriteFile(name, wav);
}

void WriteSound(const std::string& name, const std::vector<std::int16_t>& samples,
                std::uint32_t rate) {
  WriteScrambledSoundImage(name, MakeWav(samples, rate));
}

std::vector<std::int16_t> Ramp(std::size_t count, int offset, int step) {
  std::vector<std::int16_t> samples(count);
  for (std::size_t i = 0; i < count; ++i)
    samples[i] = static_cast<std::int16_t>(static_cast<int>(i) * step + offset);
  return samples;
}

Bitmap TestPicture(int width, int height) {
  Bitmap picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      picture.setPixel(x, y, rgb(x * 255 / width, y * 255 / height, (x + y) % 256));
  return picture;
}

std::vector<std::uint8_t> JpegBytes(const Bitmap& picture, int quality) {
  std::vector<std::uint8_t> bytes;
  if (!EncodeJpeg(picture, quality, bytes)) throw std::runtime_error("JPEG encoding failed");
  return bytes;
}

namespace {
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
}  // namespace

std::vector<std::uint8_t> BmpBytes(const Bitmap& picture) {
  const std::uint32_t stride = (static_cast<std::uint32_t>(picture.width()) * 3 + 3) & ~3u;
  const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(picture.height());
  std::vector<std::uint8_t> out{'B', 'M'};
  Put32(out, 54 + pixelBytes);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(picture.width()));
  Put32(out, static_cast<std::uint32_t>(picture.height()));
  Put16(out, 1);
  Put16(out, 24);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int y = picture.height() - 1; y >= 0; --y) {
    const std::uint8_t* row = picture.row(y);
    for (int x = 0; x < picture.width(); ++x) {
      out.push_back(row[3 * x + 2]);
      out.push_back(row[3 * x + 1]);
      out.push_back(row[3 * x]);
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(picture.width()) * 3; pad < stride; ++pad)
      out.push_back(0);
  }
  return out;
}

void WriteScrambledPicture(const std::string& name, std::vector<std::uint8_t> bytes) {
  Scramble(bytes.data(), bytes.size(), kPictureKey.start, kPictureKey.count, kPictureKey.step);
  WriteFile(name, bytes);
}

void WriteScrambledText(const std::string& name, const std::vector<std::string>& lines) {
  std::vector<std::uint8_t> bytes;
  for (const std::string& line : lines) {
    bytes.insert(bytes.end(), line.begin(), line.end());
    bytes.push_back('\r');
    bytes.push_back('\n');
  }
  Scramble(bytes.data(), bytes.size(), kTextFileKey.start, kTextFileKey.count, kTextFileKey.step);
  WriteFile(name, bytes);
}

void WriteQuestionIndex(const std::vector<QuestionIndexRecord>& records, std::size_t bytes) {
  std::vector<std::uint8_t> out(kQuestionIndexBytes, 0);
  if (!records.empty())
    std::memcpy(out.data(), records.data(),
                std::min(out.size(), records.size() * sizeof(QuestionIndexRecord)));
  if (bytes != 0) out.resize(bytes, 0x55);
  WriteFile(kQuestionIndexFile, out);
}

void WriteQuestionBank(int questions) {
  std::vector<QuestionIndexRecord> records(kQuestionRecordCount);
  std::vector<std::string> questionLines;
  std::vector<std::string> answerLines;
  for (int f = 0; f < questions; ++f) {
    questionLines.push_back("Question " + std::to_string(f) + "?");
    const int first = static_cast<int>(answerLines.size());
    for (int a = 0; a < 4; ++a)
      answerLines.push_back("Answer " + std::to_string(f) + std::string(1, static_cast<char>('a' + a)));
    records[f] = {f, f % 4, 1 + f % 10, first, {first + 1, first + 2, first + 3}};
  }
  WriteQuestionIndex(records);
  WriteScrambledText(kAnswerTextFile, answerLines);
  WriteScrambledText(kQuestionTextFile, questionLines);
}

}  // namespace tvz::testing
