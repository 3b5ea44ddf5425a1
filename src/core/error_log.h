#pragma once
// The error log: every failure the game detects is composed into a short
// entry, kept as the pending error text (shown when the program ends) and
// appended to "error.log" in the data folder (InData).
#include <cstdint>
#include <functional>
#include <string>

namespace tvz {

inline constexpr const char* kErrorLogName = "error.log";
inline constexpr const char* kMemoryError = "Insufficent memory or resources available";

// The entries, byte for byte.
std::string ErrorEntry(const std::string& message, std::int32_t location);
std::string FileErrorEntry(const std::string& message, const std::string& fileName,
                           std::int32_t location);
std::string DirectXErrorEntry(const std::string& kind, std::int32_t code, std::int32_t location);

class ErrorLog {
 public:
  struct Hooks {
    // An immediate error box (system-modal, application title as caption).
    std::function<void(const std::string& text)> showBox;
    // Closes the main window, which ends the program.
    std::function<void()> closeMainWindow;
  };

  // pendingText is the game record's PendingErrorText: it receives every entry.
  ErrorLog(std::string& pendingText, Hooks hooks);

  // A fresh run: an "error.log" left from the last one is deleted.
  static void DeleteOldLog();

  void ReportError(const std::string& message, std::int32_t location);
  void ReportFileError(const std::string& message, const std::string& fileName,
                       std::int32_t location);
  // Returns the description of the result code.
  std::string ReportDirectXError(const std::string& kind, std::int32_t code,
                                 std::int32_t location);

 private:
  enum class OpenFailure { ShowBox, Silent };
  void Append(const std::string& entry, OpenFailure onOpenFailure);
  void Fatal(const std::string& text);

  std::string& pending_;
  Hooks hooks_;
};

}  // namespace tvz
