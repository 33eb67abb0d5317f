#include "bench/phase_child.h"

#include <malloc.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>

#include "model/file_io.h"

namespace {

// A field of /proc/self/status ("VmRSS:   1234 kB"), in bytes.
int64_t StatusBytes(const char* key) {
  std::ifstream in("/proc/self/status");
  std::string line;
  const size_t len = std::strlen(key);
  while (std::getline(in, line))
    if (line.compare(0, len, key) == 0)
      return std::atoll(line.c_str() + len) * 1024;
  return -1;
}

void LimitChild(const ChildLimits& limits) {
  if (limits.memoryBytes > 0) {
    // Only the soft limit: a child of this child may set its own.
    const int64_t mapped = StatusBytes("VmSize:");
    struct rlimit rl;
    getrlimit(RLIMIT_AS, &rl);
    rl.rlim_cur =
        static_cast<rlim_t>((mapped > 0 ? mapped : 0) + limits.memoryBytes);
    if (rl.rlim_max != RLIM_INFINITY && rl.rlim_cur > rl.rlim_max)
      rl.rlim_cur = rl.rlim_max;
    setrlimit(RLIMIT_AS, &rl);
  }
  if (limits.timeoutSeconds > 0)
    alarm(static_cast<unsigned>(limits.timeoutSeconds));
}

}  // namespace

const char* StatusName(PhaseStatus status) {
  switch (status) {
    case PhaseStatus::kNotRun:
      return "not run";
    case PhaseStatus::kOk:
      return "ok";
    case PhaseStatus::kSkipped:
      return "skipped";
    case PhaseStatus::kTimeout:
      return "timeout";
    case PhaseStatus::kOutOfMemory:
      return "no memory";
    case PhaseStatus::kFailed:
      return "failed";
  }
  return "?";
}

ChildEnd RunChildRaw(const ChildLimits& limits,
                     const std::function<void(std::string*)>& body,
                     std::string* payload) {
  payload->clear();
  int fds[2];
  if (pipe(fds) != 0)
    return ChildEnd::kCrashed;
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid < 0) {
    close(fds[0]);
    close(fds[1]);
    return ChildEnd::kCrashed;
  }
  if (pid == 0) {
    close(fds[0]);
    LimitChild(limits);
    int code = 0;
    try {
      std::string out;
      body(&out);
      WriteAllBytes(fds[1], out);
    } catch (const std::bad_alloc&) {
      code = 3;
    } catch (...) {
      code = 4;
    }
    close(fds[1]);
    _exit(code);
  }
  close(fds[1]);
  char buf[4096];
  for (;;) {
    ssize_t n = read(fds[0], buf, sizeof buf);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      break;
    payload->append(buf, static_cast<size_t>(n));
  }
  close(fds[0]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFSIGNALED(status)) {
    // SIGKILL without an alarm is the kernel's out-of-memory killer.
    if (WTERMSIG(status) == SIGALRM)
      return ChildEnd::kTimeout;
    return WTERMSIG(status) == SIGKILL ? ChildEnd::kOutOfMemory
                                       : ChildEnd::kCrashed;
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 3)
    return ChildEnd::kOutOfMemory;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return ChildEnd::kCrashed;
  return ChildEnd::kReported;
}

PhaseResult ResultOfEnd(ChildEnd end, const ChildLimits& limits) {
  PhaseResult result;
  switch (end) {
    case ChildEnd::kReported:
      result.status = PhaseStatus::kOk;
      break;
    case ChildEnd::kTimeout:
      result.status = PhaseStatus::kTimeout;
      result.seconds = limits.timeoutSeconds;  // a lower bound
      break;
    case ChildEnd::kOutOfMemory:
      result.status = PhaseStatus::kOutOfMemory;
      break;
    case ChildEnd::kCrashed:
      result.status = PhaseStatus::kFailed;
      break;
  }
  return result;
}

PhaseResult RunPhaseChild(const ChildLimits& limits,
                          const std::function<PhaseResult()>& body) {
  PhaseResult result;
  const ChildEnd end = RunChild<PhaseResult>(limits, body, &result);
  return end == ChildEnd::kReported ? result : ResultOfEnd(end, limits);
}

int64_t ResidentBytes() { return StatusBytes("VmRSS:"); }

int64_t PeakResidentBytes() { return StatusBytes("VmHWM:"); }

bool ResetPeak() {
  FILE* f = std::fopen("/proc/self/clear_refs", "w");
  if (!f)
    return false;
  const bool written = std::fputs("5", f) >= 0;
  return std::fclose(f) == 0 && written;
}

void KeepOwnTextsOutOfTheHeap() { mallopt(M_MMAP_THRESHOLD, 256 << 10); }

void ReleaseFreeMemory() { malloc_trim(0); }

double CpuSeconds() {
  struct timespec ts;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return ts.tv_sec + ts.tv_nsec * 1e-9;
}

double TimeOf(const std::function<void()>& fn) {
  const auto start = std::chrono::steady_clock::now();
  fn();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
      .count();
}
