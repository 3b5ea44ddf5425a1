#include "platform/file_image.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/file_handle.h"

namespace tvz {
namespace {

bool ReadWhole(int fd, std::size_t size, std::vector<std::uint8_t>& bytes) {
  bytes.resize(size);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = ::read(fd, bytes.data() + done, size - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    done += static_cast<std::size_t>(got);
  }
  return true;
}

}  // namespace

FileImage::FileImage(std::vector<std::uint8_t> bytes)
    : owned_(std::move(bytes)), data_(owned_.data()), size_(owned_.size()) {}

FileImage::FileImage(FileImage&& other) noexcept { *this = std::move(other); }

FileImage& FileImage::operator=(FileImage&& other) noexcept {
  if (this != &other) {
    release();
    owned_ = std::move(other.owned_);
    mapping_ = std::exchange(other.mapping_, nullptr);
    size_ = std::exchange(other.size_, 0);
    data_ = mapping_ ? static_cast<const std::uint8_t*>(mapping_) : owned_.data();
    other.data_ = nullptr;
  }
  return *this;
}

FileImage::~FileImage() { release(); }

void FileImage::release() {
  if (mapping_) ::munmap(mapping_, size_);
  mapping_ = nullptr;
  owned_.clear();
  data_ = nullptr;
  size_ = 0;
}

bool FileImage::open(const std::string& path, FileImage* image, std::string* error) {
  auto fail = [&](const char* what) {
    if (error) *error = std::string(what) + " " + path;
    return false;
  };
  // Not blocking: a pipe named like a clip must not hold the game up. The
  // mapping outlives the descriptor.
  FileHandle fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) return fail("cannot open");
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return fail("not a file:");
  const auto size = static_cast<std::size_t>(info.st_size);
  FileImage result;
  // Populated in the one call: the clip's every frame header is checked as it
  // is parsed, and a fault per page would cost more than the mapping saves.
  void* mapping = size > 0 ? ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd.get(), 0) : MAP_FAILED;
  if (mapping != MAP_FAILED) {
    result.mapping_ = mapping;
    result.data_ = static_cast<const std::uint8_t*>(mapping);
    result.size_ = size;
  } else {
    std::vector<std::uint8_t> bytes;
    if (!ReadWhole(fd.get(), size, bytes)) return fail("cannot read");
    result = FileImage(std::move(bytes));
  }
  *image = std::move(result);
  return true;
}

}  // namespace tvz
