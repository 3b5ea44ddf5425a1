#include "sweep/opened_files.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tvz::testing {

OpenedFiles::OpenedFiles(const std::string& folder) : inotify_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
  if (inotify_.isOpen())
    watch_ = ::inotify_add_watch(inotify_.get(), folder.c_str(), IN_OPEN | IN_CREATE | IN_MOVED_TO);
}

void OpenedFiles::collect() {
  if (!watching()) return;
  alignas(inotify_event) char buffer[64 * 1024];
  for (;;) {
    const ssize_t got = ::read(inotify_.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return;  // EAGAIN: nothing more for now
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      if (event->mask & IN_Q_OVERFLOW) lostReports_ = true;
      // The folder itself opened (listed) has no name.
      if (event->len == 0 || (event->mask & IN_ISDIR)) continue;
      const std::string name(event->name, ::strnlen(event->name, event->len));
      if (event->mask & (IN_CREATE | IN_MOVED_TO)) created_.insert(name);
      if ((event->mask & IN_OPEN) && seen_.insert(name).second) inOrder_.push_back(name);
    }
  }
}

}  // namespace tvz::testing
