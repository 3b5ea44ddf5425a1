#include "sweep/child_runs.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

extern char** environ;

namespace tvz::testing {

namespace {

using Clock = std::chrono::steady_clock;

struct Running {
  std::size_t job;
  pid_t pid;
  Clock::time_point started;
};

ChildEnd Start(const ChildJob& job, pid_t* pid) {
  ChildEnd end;
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string filter = "--gtest_filter=" + job.testFilter;
  std::vector<char*> argv{const_cast<char*>(self.c_str()), const_cast<char*>(filter.c_str()), nullptr};
  std::vector<std::string> environment = job.environment;
  for (char** e = environ; *e; ++e) environment.emplace_back(*e);
  std::vector<char*> envp;
  for (std::string& e : environment) envp.push_back(e.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, job.logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  end.started = ::posix_spawn(pid, self.c_str(), &actions, &attributes, argv.data(), envp.data()) == 0;
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return end;
}

// The child's end, once it has ended; false while it runs.
bool Reap(pid_t pid, ChildEnd& end) {
  int status = 0;
  if (::waitpid(pid, &status, WNOHANG) != pid) return false;
  end.exited = WIFEXITED(status);
  end.exitCode = end.exited ? WEXITSTATUS(status) : -1;
  end.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  return true;
}

}  // namespace

std::vector<ChildEnd> RunChildren(const std::vector<ChildJob>& jobs, int atOnce, std::chrono::seconds timeout,
                                  const std::function<void(std::size_t, const ChildEnd&)>& onEnd) {
  std::vector<ChildEnd> ends(jobs.size());
  std::vector<Running> running;
  std::size_t next = 0;
  auto finish = [&](std::size_t job) {
    if (onEnd) onEnd(job, ends[job]);
  };
  while (next < jobs.size() || !running.empty()) {
    while (next < jobs.size() && static_cast<int>(running.size()) < atOnce) {
      pid_t pid = -1;
      ends[next] = Start(jobs[next], &pid);
      ends[next].pid = pid;
      if (ends[next].started)
        running.push_back({next, pid, Clock::now()});
      else
        finish(next);
      ++next;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    for (auto it = running.begin(); it != running.end();) {
      ChildEnd& end = ends[it->job];
      const auto took = Clock::now() - it->started;
      const bool ended = Reap(it->pid, end);
      if (!ended && took <= timeout) {
        ++it;
        continue;
      }
      if (!ended) {
        // The whole group: a sanitizer may have started a symbolizer.
        ::kill(-it->pid, SIGKILL);
        int status = 0;
        ::waitpid(it->pid, &status, 0);
        end.timedOut = true;
        end.signal = SIGKILL;
      }
      end.seconds = std::chrono::duration<double>(took).count();
      finish(it->job);
      it = running.erase(it);
    }
  }
  return ends;
}

}  // namespace tvz::testing
