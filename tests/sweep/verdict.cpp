#include "sweep/verdict.h"

namespace tvz::testing {

namespace {

bool SanitizerSpoke(const std::string& output) {
  for (const char* mark : {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
                           "UndefinedBehaviorSanitizer"})
    if (output.find(mark) != std::string::npos) return true;
  return false;
}

std::string CodesOf(const std::optional<RunReport>& report) {
  if (!report || report->codes.empty()) return "-";
  std::string codes;
  for (int code : report->codes) codes += (codes.empty() ? "" : ",") + std::to_string(code);
  return codes;
}

// A box names the last report's location code, opened where the player sees
// it: once the full-screen window is gone.
bool BoxShowsTheLastReport(const RunReport& report) {
  if (report.codes.empty()) return false;
  const std::string location = "Locn: " + std::to_string(report.codes.back());
  for (const RunReport::Box& box : report.boxes)
    if (box.text.find(location) != std::string::npos && box.afterTheWindow) return true;
  return false;
}

// The champions file's own failures: unreadable (kept as it is, never
// saved over) or not written.
bool ChampionsFileReported(const RunReport& report) {
  for (int code : report.codes)
    if (code == 3920 || code == 3930) return true;
  return false;
}

}  // namespace

const char* NameOf(Outcome outcome) {
  switch (outcome) {
    case Outcome::Champions: return "champions";
    case Outcome::Reported: return "reported";
    case Outcome::Crash: return "CRASH";
    case Outcome::Sanitizer: return "SANITIZER";
    case Outcome::Hang: return "HANG";
    case Outcome::SilentEnd: return "SILENT END";
    case Outcome::DataLost: return "DATA LOST";
    case Outcome::Untouched: return "UNTOUCHED";
  }
  return "?";
}

bool IsSound(Outcome outcome) { return outcome == Outcome::Champions || outcome == Outcome::Reported; }

Verdict Judge(const ChildEnd& end, const std::optional<RunReport>& report, const std::string& childOutput,
              bool spoiledFile) {
  const std::string codes = CodesOf(report);
  if (SanitizerSpoke(childOutput)) return {Outcome::Sanitizer, codes, "a sanitizer report"};
  if (end.timedOut) return {Outcome::Hang, codes, "no end in " + std::to_string(int(end.seconds)) + " s"};
  if (!end.started) return {Outcome::Crash, codes, "the run could not be started"};
  const std::string how = end.exited ? "exit code " + std::to_string(end.exitCode)
                                     : "signal " + std::to_string(end.signal);
  if (!report) return {Outcome::Crash, codes, "ended by " + how + " before its report"};
  // After the report: the program's own end, or the run's test failing.
  if (!end.exited || end.exitCode != 0) return {Outcome::Crash, codes, "ended by " + how + " after its report"};
  if (report->stalled) return {Outcome::Hang, codes, "no step of the show for the bound of frames"};
  if (report->crowned && !report->championKept && !ChampionsFileReported(*report))
    return {Outcome::DataLost, codes, "the crowned champion is not in the champions list"};
  if (report->champions) {
    if (spoiledFile && !report->fileOpened)
      return {Outcome::Untouched, codes, "the show never opened the file"};
    return {Outcome::Champions, codes, ""};
  }
  if (report->ended) {
    if (BoxShowsTheLastReport(*report)) return {Outcome::Reported, codes, ""};
    if (report->codes.empty()) return {Outcome::SilentEnd, codes, "ended with nothing in error.log"};
    return {Outcome::SilentEnd, codes, "no error box with the last report after the window"};
  }
  return {Outcome::Hang, codes, "the show neither went on nor ended"};
}

}  // namespace tvz::testing
