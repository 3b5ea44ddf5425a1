#include "core/file_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "platform/file_handle.h"

namespace tvz {
namespace {

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Every step is checked: a write can be cut short, the disk can refuse the
// data when it is flushed, and a close can be the first to say so.
bool WriteToDisk(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  FileHandle file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (!file.isOpen()) return false;
  if (!WriteAll(file.get(), bytes.data(), bytes.size())) return false;
  if (::fsync(file.get()) != 0) return false;
  return file.close();
}

// The rename itself reaches the disk only with its directory.
void SyncDirectoryOf(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  const std::string directory = parent.empty() ? std::string(".") : parent.string();
  FileHandle dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.isOpen()) ::fsync(dir.get());
}

}  // namespace

bool ReplaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const std::string temp = path + ".new";
  if (!WriteToDisk(temp, bytes) || std::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  SyncDirectoryOf(path);
  return true;
}

}  // namespace tvz
