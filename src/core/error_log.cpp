#include "core/error_log.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "core/directdraw_errors.h"
#include "core/places.h"
#include "platform/file_handle.h"

namespace tvz {

std::string ErrorEntry(const std::string& message, std::int32_t location) {
  return "Err : " + message + "\nLocn: " + std::to_string(location) + "\n\n";
}

std::string FileErrorEntry(const std::string& message, const std::string& fileName,
                           std::int32_t location) {
  return "Err : " + message + "\n      " + fileName + "\nLocn: " + std::to_string(location) +
         "\n\n";
}

std::string DirectXErrorEntry(const std::string& kind, std::int32_t code, std::int32_t location) {
  return kind + "\nCode: " + std::to_string(code) + "\nLocn: " + std::to_string(location) +
         "\n\n" + DirectDrawErrorDescription(code);
}

ErrorLog::ErrorLog(std::string& pendingText, Hooks hooks)
    : pending_(pendingText), hooks_(std::move(hooks)) {}

void ErrorLog::DeleteOldLog() { std::remove(InData(kErrorLogName).c_str()); }

void ErrorLog::ReportError(const std::string& message, std::int32_t location) {
  Append(ErrorEntry(message, location), OpenFailure::ShowBox);
}

void ErrorLog::ReportFileError(const std::string& message, const std::string& fileName,
                               std::int32_t location) {
  Append(FileErrorEntry(message, fileName, location), OpenFailure::Silent);
}

std::string ErrorLog::ReportDirectXError(const std::string& kind, std::int32_t code,
                                         std::int32_t location) {
  Append(DirectXErrorEntry(kind, code, location), OpenFailure::Silent);
  return DirectDrawErrorDescription(code);
}

void ErrorLog::Fatal(const std::string& text) {
  if (hooks_.showBox) hooks_.showBox(text);
  if (hooks_.closeMainWindow) hooks_.closeMainWindow();
}

namespace {

bool CreateIfMissing(const std::string& path) {
  if (::access(path.c_str(), F_OK) == 0) return true;
  FileHandle created(::open(path.c_str(), O_WRONLY | O_CREAT, 0644));
  return created.get() >= 0;
}

}  // namespace

void ErrorLog::Append(const std::string& entry, OpenFailure onOpenFailure) {
  pending_ = entry;
  const std::string path = InData(kErrorLogName);
  if (!CreateIfMissing(path)) {
    Fatal(entry + "\nUnable to create file");
    return;
  }
  FileHandle log(::open(path.c_str(), O_WRONLY));
  if (log.get() < 0) {
    if (onOpenFailure == OpenFailure::ShowBox && hooks_.showBox) hooks_.showBox("Error opening file");
    return;
  }
  // Others may read the log while it is written, but not write to it.
  ::flock(log.get(), LOCK_EX | LOCK_NB);
  if (::lseek(log.get(), 0, SEEK_END) < 0) {
    Fatal(entry + "\nSeek error");
    return;
  }
  const ssize_t written = ::write(log.get(), entry.data(), entry.size());
  if (written < 0 || static_cast<std::size_t>(written) < entry.size()) {
    Fatal(entry + "\nError writing to file");
  }
}

}  // namespace tvz
