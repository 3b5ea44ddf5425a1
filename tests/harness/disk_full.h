#pragma once
// A disk that fills up, for tests: while the object lives, files of this
// process may grow only to the given size, as on a disk full beyond that
// point. Writes past it fail with an error (the signal that would end the
// process is ignored meanwhile).
#include <signal.h>
#include <sys/resource.h>

namespace tvz::testing {

class DiskFullAfter {
 public:
  explicit DiskFullAfter(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    oldSignal_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~DiskFullAfter() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    ::signal(SIGXFSZ, oldSignal_);
  }
  DiskFullAfter(const DiskFullAfter&) = delete;
  DiskFullAfter& operator=(const DiskFullAfter&) = delete;

 private:
  rlimit previous_{};
  sighandler_t oldSignal_;
};

}  // namespace tvz::testing
