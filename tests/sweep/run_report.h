#pragma once
// A sweep child's orders (its environment) and what it saw of its show,
// written to a file for the parent to judge.
#include <optional>
#include <string>
#include <vector>

namespace tvz::testing {

// The child's orders.
inline constexpr const char* kRoleVariable = "TRIVENZA_SWEEP_ROLE";  // "first", "record" or "run"
inline constexpr const char* kPlayerFilesVariable = "TRIVENZA_SWEEP_PLAYER_FILES";  // a folder
inline constexpr const char* kRoundsVariable = "TRIVENZA_SWEEP_ROUNDS";
inline constexpr const char* kFileVariable = "TRIVENZA_SWEEP_FILE";
inline constexpr const char* kDamageVariable = "TRIVENZA_SWEEP_DAMAGE";
inline constexpr const char* kReportVariable = "TRIVENZA_SWEEP_REPORT";

struct RunReport {
  bool boardUp = false;     // the show began
  bool champions = false;   // the champions list came up
  bool ended = false;       // the program ended by itself
  bool stalled = false;     // no step of the show for the bound of frames
  bool fileOpened = false;  // the spoiled file was opened (not for a missing one)
  // The host crowned a champion (the champions list must then hold it), and
  // the list afterwards holds the champion's entry.
  bool crowned = false;
  bool championKept = false;
  int steps = 0;
  int longestGap = 0;       // most frames from one step to the next
  std::vector<int> codes;   // the location codes of error.log, in order
  struct Box {
    std::string text;
    bool afterTheWindow;  // opened once the full-screen window was gone
  };
  std::vector<Box> boxes;
  // Recording: the files of the starting folder the show opened, in order.
  std::vector<std::string> opened;
};

bool WriteReport(const std::string& path, const RunReport& report);
std::optional<RunReport> ReadReport(const std::string& path);

// The location codes of an error log's entries ("Locn: 45"), in order.
std::vector<int> LocationCodes(const std::string& errorLog);

}  // namespace tvz::testing
