#pragma once
// A whole file's bytes, read-only. A regular file is mapped from the system's
// file cache rather than copied: the credits clip runs to megabytes, and
// copying it into fresh memory made showing the winners scene cost more than
// a frame now and then. Anything that cannot be mapped is read instead. (A
// mapped file cut short by another program while the game runs would fault;
// the clips are the game's own and nothing writes them while it plays.)
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tvz {

class FileImage {
 public:
  FileImage() = default;
  explicit FileImage(std::vector<std::uint8_t> bytes);
  FileImage(FileImage&& other) noexcept;
  FileImage& operator=(FileImage&& other) noexcept;
  FileImage(const FileImage&) = delete;
  FileImage& operator=(const FileImage&) = delete;
  ~FileImage();

  // The file at path, whole; false and a reason when it is missing, is not a
  // regular file (a directory, a pipe that would never end) or cannot be read.
  static bool open(const std::string& path, FileImage* image, std::string* error);

  const std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  void release();

  std::vector<std::uint8_t> owned_;
  void* mapping_ = nullptr;
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace tvz
