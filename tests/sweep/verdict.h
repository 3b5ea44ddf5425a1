#pragma once
// How a sweep run ended, judged from the child's own report, its exit and
// what it printed. Two ends are sound: the show went on to the champions
// list, or the failure was reported (its location code in error.log and in
// the error box) and the program ended in order; either way a champion the
// host has crowned is in the champions list, unless that file itself could
// not be read or written, which is reported.
#include <optional>
#include <string>

#include "sweep/child_runs.h"
#include "sweep/run_report.h"

namespace tvz::testing {

enum class Outcome { Champions, Reported, Crash, Sanitizer, Hang, SilentEnd, DataLost, Untouched };

const char* NameOf(Outcome outcome);
bool IsSound(Outcome outcome);

struct Verdict {
  Outcome outcome;
  std::string codes;  // error.log's location codes, "2105,5220"; "-" for none
  std::string why;    // for a fault: what was seen
};

// spoiledFile: the run's file was there, cut short, so the show must have
// opened it (a run that never did tested nothing: Untouched).
Verdict Judge(const ChildEnd& end, const std::optional<RunReport>& report, const std::string& childOutput,
              bool spoiledFile);

}  // namespace tvz::testing
