#include "core/media.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "core/bmp_decoder.h"
#include "core/error_log.h"
#include "core/jpeg_decoder.h"
#include "core/scramble.h"

namespace tvz {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

bool FileExists(const std::string& fileName) {
  struct stat info {};
  return ::stat(fileName.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool ReadWholeFile(const std::string& fileName, std::vector<std::uint8_t>& out) {
  File file(std::fopen(fileName.c_str(), "rb"));
  if (!file) return false;
  // A directory opens too on this system; only a regular file has a size.
  struct stat info {};
  if (fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  if (std::fseek(file.get(), 0, SEEK_END) != 0) return false;
  const long size = std::ftell(file.get());
  if (size < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return false;
  out.resize(static_cast<std::size_t>(size));
  return std::fread(out.data(), 1, out.size(), file.get()) == out.size();
}

std::string FileExtension(const std::string& fileName) {
  const std::size_t dot = fileName.rfind('.');
  return dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
}

bool LoadPicture(ErrorLog& log, const std::string& fileName, Bitmap& bitmap) {
  if (!FileExists(fileName)) {
    log.ReportFileError("File does not exist", fileName, 120);
    return false;
  }
  std::vector<std::uint8_t> buffer;
  const std::string extension = FileExtension(fileName);
  // Only the two picture kinds are loaded; any other name is quietly refused.
  if (extension != "mm1" && extension != "mm2") return false;
  if (!ReadWholeFile(fileName, buffer)) {
    log.ReportFileError("Error loading file", fileName, 100);
    return false;
  }
  Unscramble(buffer.data(), buffer.size(), kPictureKey.start, kPictureKey.count, kPictureKey.step);
  if (extension == "mm2") {
    if (DecodeBmp(buffer.data(), buffer.size(), bitmap)) return true;
    log.ReportFileError("Error loading file", fileName, 105);
    return false;
  }
  if (extension == "mm1") {
    if (DecodeJpeg(buffer.data(), buffer.size(), bitmap)) return true;
    log.ReportFileError("Error loading file", fileName, 115);
    return false;
  }
  return false;
}

}  // namespace tvz
