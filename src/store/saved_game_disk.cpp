#include "store/saved_game_disk.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/places.h"
#include "store/saved_game_names.h"

namespace tvz {

namespace {

constexpr std::int32_t kCannotCreate = 2500;
constexpr std::int32_t kFirstBlockUnwritten = 2510;
constexpr std::int32_t kRestUnwritten = 2520;
constexpr std::int32_t kCannotReplace = 2530;
constexpr std::int32_t kCannotOpen = 2640;
constexpr const char* kCreateMessage = "Unable to create file";
constexpr const char* kOpenMessage = "Error opening file";
constexpr const char* kWriteMessage = "Error writing to file";
constexpr const char* kReadMessage = "Error reading from file";

std::string systemReason(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

// A descriptor closed on every way out.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes now, reporting whether the last of the data made it.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// The new game's file until it takes the old one's place: a hidden name
// beside it that never ends in ".tzs", so no listing ever shows it. Removed
// unless kept.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& diskName)
      : path_(InData("." + diskName + ".XXXXXX")), fd_(::mkstemp(path_.data())) {
    if (fd_.get() < 0) path_.clear();
  }
  ~TemporaryFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool created() const { return !path_.empty(); }
  FileDescriptor& fd() { return fd_; }
  const std::string& path() const { return path_; }
  void keep() { path_.clear(); }

 private:
  std::string path_;
  FileDescriptor fd_;
};

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// Reads up to size bytes; fewer only at the end of the file or on an error.
std::size_t readUpTo(int fd, std::uint8_t* data, std::size_t size) {
  std::size_t total = 0;
  while (total < size) {
    const ssize_t got = ::read(fd, data + total, size - total);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    total += static_cast<std::size_t>(got);
  }
  return total;
}

mode_t newFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The existing entry of that name may be replaced by the new file: it is a
// file the player has not write-protected (or a link, which is replaced
// itself, never followed out of the directory).
DiskReport checkReplaceable(const std::string& path, const struct stat& existing) {
  if (S_ISLNK(existing.st_mode)) return {};
  if (!S_ISREG(existing.st_mode)) return {kOpenMessage, kCannotReplace, "not an ordinary file"};
  if (::access(path.c_str(), W_OK) != 0) return {kOpenMessage, kCannotReplace, systemReason("write-protected")};
  return {};
}

// Flushes the directory so that the new name survives a crash too; a failure
// here loses nothing, the file is already in place.
void flushDirectory() {
  FileDescriptor dir(::open(DataFolder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
}

}  // namespace

std::vector<SavedGameEntry> ListSavedGames(const std::string& directory) {
  const std::string folder = directory.empty() ? DataFolder() : directory;
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (HasSaveExtension(name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), SlotOrderBefore);
  std::vector<SavedGameEntry> entries;
  entries.reserve(names.size());
  for (std::string& name : names) {
    std::string shown = ShownName(name);
    entries.push_back({std::move(name), std::move(shown)});
  }
  return entries;
}

bool SaveNameTaken(const std::string& diskName) {
  struct stat st{};
  return ::lstat(InData(diskName).c_str(), &st) == 0;
}

DiskReport ReadSavedGameFile(const std::string& diskName, const SavedGameLimits& limits,
                             SavedGameImage& image) {
  // Not blocking: a pipe of that name must not hang the game.
  FileDescriptor fd(::open(InData(diskName).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) return {kOpenMessage, kCannotOpen, systemReason("cannot open")};
  struct stat st{};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
    return {kOpenMessage, kCannotOpen, "not an ordinary file"};
  std::uint8_t bytes[kSavedGameSize];
  const std::size_t size = readUpTo(fd.get(), bytes, sizeof bytes);
  const SavedGameFault fault = DecodeSavedGame(bytes, size, limits, image);
  if (!fault.ok()) return {kReadMessage, fault.location, fault.reason};
  return {};
}

DiskReport WriteSavedGameFile(const std::string& diskName, const SavedGameImage& image) {
  const std::string path = InData(diskName);
  struct stat existing{};
  const bool replacing = ::lstat(path.c_str(), &existing) == 0;
  if (replacing) {
    if (DiskReport refused = checkReplaceable(path, existing); !refused.ok()) return refused;
  }
  TemporaryFile temp(diskName);
  if (!temp.created()) {
    if (replacing) return {kOpenMessage, kCannotReplace, systemReason("no file can be made beside it")};
    return {kCreateMessage, kCannotCreate, systemReason("cannot create")};
  }
  const mode_t mode = replacing && S_ISREG(existing.st_mode) ? existing.st_mode & 07777 : newFileMode();
  ::fchmod(temp.fd().get(), mode);

  const auto bytes = EncodeSavedGame(image);
  if (!writeAll(temp.fd().get(), bytes.data(), kSavedBlock1Size))
    return {kWriteMessage, kFirstBlockUnwritten, systemReason("first block")};
  if (!writeAll(temp.fd().get(), bytes.data() + kSavedBlock1Size, kSavedGameSize - kSavedBlock1Size))
    return {kWriteMessage, kRestUnwritten, systemReason("board and contestants")};
  if (::fsync(temp.fd().get()) != 0 || !temp.fd().close())
    return {kWriteMessage, kRestUnwritten, systemReason("flushing")};
  if (::rename(temp.path().c_str(), path.c_str()) != 0)
    return {kWriteMessage, kRestUnwritten, systemReason("replacing")};
  temp.keep();
  flushDirectory();
  return {};
}

}  // namespace tvz
