#pragma once
// Runs of this test program in processes of their own, a few at a time, so
// that a run that crashes, hangs or trips a sanitizer loses nothing of the
// others. Each child is this program started again with a test filter and
// some more environment; it runs in a process group of its own, which is
// killed whole when it outlives its time.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tvz::testing {

struct ChildJob {
  std::string testFilter;                // --gtest_filter of the child
  std::vector<std::string> environment;  // NAME=value, beside the parent's
  std::string logFile;                   // the child's stdout and stderr
};

struct ChildEnd {
  bool started = false;
  int pid = -1;
  bool exited = false;  // by exit(), with exitCode; otherwise by signal
  int exitCode = -1;
  int signal = 0;
  bool timedOut = false;  // killed for running too long
  double seconds = 0;
};

// Runs every job, at most atOnce at a time, each killed after timeout;
// onEnd is called as each ends (from this thread), with the job's index.
std::vector<ChildEnd> RunChildren(const std::vector<ChildJob>& jobs, int atOnce, std::chrono::seconds timeout,
                                  const std::function<void(std::size_t, const ChildEnd&)>& onEnd = {});

}  // namespace tvz::testing
