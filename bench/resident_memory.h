#pragma once
// The process's resident memory, for the benchmarks that play whole shows.
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>

namespace tvz::bench {

// The most resident memory the process has had so far, in megabytes.
inline double PeakResidentMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

// The resident memory now, in megabytes (0 when the system does not say).
inline double ResidentMb() {
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (!statm) return 0;
  long pages = 0, resident = 0;
  const bool read = std::fscanf(statm, "%ld %ld", &pages, &resident) == 2;
  std::fclose(statm);
  return read ? static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0)
              : 0;
}

}  // namespace tvz::bench
