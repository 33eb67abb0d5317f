#include "bench/ctags_phase.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

const char kCtagsCommand[] = "ctags -f - --language-force=C++ --fields=+nS FILE";

namespace {

// 127 from the child: ctags could not be started.
const int kNotFound = 127;

// One run; the exit status, or -1 when it overran the limit.
int RunOnce(const std::string& path, const ChildLimits& limits,
            double* seconds) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid < 0)
    return -1;
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    if (limits.timeoutSeconds > 0)
      alarm(static_cast<unsigned>(limits.timeoutSeconds));
    execlp("ctags", "ctags", "-f", "-", "--language-force=C++",
           "--fields=+nS", path.c_str(), static_cast<char*>(nullptr));
    _exit(kNotFound);
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid)
    return -1;
  *seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() -
                                           start)
                 .count();
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

PhaseResult RunCtags(const std::string& path, const ChildLimits& limits,
                     int reps) {
  PhaseResult result;
  double seconds = 0;
  // The first run also brings the file and the program into the cache.
  int status = RunOnce(path, limits, &seconds);
  if (status == kNotFound)
    return result;
  result.status = PhaseStatus::kFailed;
  if (status != 0)
    return result;
  result.status = PhaseStatus::kOk;
  result.seconds = seconds;
  for (int i = 0; i < reps; ++i) {
    if (RunOnce(path, limits, &seconds) != 0) {
      result.status = PhaseStatus::kFailed;
      return result;
    }
    result.seconds = std::min(result.seconds, seconds);
  }
  return result;
}
