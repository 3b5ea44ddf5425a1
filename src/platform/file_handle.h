#pragma once
// An open file descriptor that is closed when it goes out of scope, or
// explicitly where the close's own failure matters (a file being written).
#include <unistd.h>

namespace tvz {

class FileHandle {
 public:
  explicit FileHandle(int fd) : fd_(fd) {}
  ~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  int get() const { return fd_; }
  bool isOpen() const { return fd_ >= 0; }

  // Closes now; false when the close failed, which on some file systems is
  // the first news of a failed write.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return fd >= 0 && ::close(fd) == 0;
  }

 private:
  int fd_;
};

}  // namespace tvz
