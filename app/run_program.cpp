#include "app/run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         access(path.c_str(), X_OK) == 0;
}

// In the child, between fork and exec, only calls that are safe there.
[[noreturn]] void ExecChild(const char* program, char* const* argv,
                            const char* dir, int outFd, int errnoFd) {
  int in = open("/dev/null", O_RDONLY);
  if (in < 0 || dup2(in, 0) < 0 || dup2(outFd, 1) < 0 || dup2(outFd, 2) < 0 ||
      chdir(dir) != 0) {
    int e = errno;
    (void)!write(errnoFd, &e, sizeof e);
    _exit(127);
  }
  execv(program, argv);
  int e = errno;
  (void)!write(errnoFd, &e, sizeof e);
  _exit(127);
}

// Reads the child's output until it closes it or the time is up.
void Collect(int fd, pid_t pid, int timeoutSeconds, size_t maxOutput,
             ProgramRun* run) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::seconds(timeoutSeconds);
  char buffer[4096];
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - Clock::now());
    if (left.count() <= 0) {
      run->timedOut = true;
      kill(pid, SIGKILL);
      return;
    }
    pollfd p{fd, POLLIN, 0};
    int ready = poll(&p, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR)
      continue;
    if (ready <= 0)
      continue;
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      return;
    size_t room = maxOutput - std::min(maxOutput, run->output.size());
    run->output.append(buffer, std::min(room, static_cast<size_t>(n)));
  }
}

}  // namespace

std::string FindOnPath(const std::string& name, const std::string& path) {
  if (name.find('/') != std::string::npos)
    return IsExecutableFile(name) ? name : std::string();
  size_t start = 0;
  for (;;) {
    size_t end = path.find(':', start);
    std::string folder = path.substr(start, end - start);
    // An empty entry is the current folder.
    std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
    if (!name.empty() && IsExecutableFile(candidate))
      return candidate;
    if (end == std::string::npos)
      return std::string();
    start = end + 1;
  }
}

bool RunProgram(const std::string& program,
                const std::vector<std::string>& args, const std::string& dir,
                int timeoutSeconds, size_t maxOutput, ProgramRun* run,
                std::string* err) {
  std::vector<std::string> strings;
  strings.push_back(program);
  strings.insert(strings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& s : strings)
    argv.push_back(s.data());
  argv.push_back(nullptr);
  int out[2], status[2];
  if (pipe2(out, O_CLOEXEC) != 0)
    return *err = program + ": " + std::strerror(errno), false;
  if (pipe2(status, O_CLOEXEC) != 0) {
    close(out[0]);
    close(out[1]);
    return *err = program + ": " + std::strerror(errno), false;
  }
  pid_t pid = fork();
  const int forkErrno = errno;
  if (pid == 0)
    ExecChild(program.c_str(), argv.data(), dir.c_str(), out[1], status[1]);
  close(out[1]);
  close(status[1]);
  int childErrno = 0;
  if (pid > 0) {
    Collect(out[0], pid, timeoutSeconds, maxOutput, run);
    ssize_t got;
    while ((got = read(status[0], &childErrno, sizeof childErrno)) < 0 &&
           errno == EINTR) {
    }
    if (got != sizeof childErrno)
      childErrno = 0;
  }
  close(out[0]);
  close(status[0]);
  if (pid < 0)
    return *err = program + ": " + std::strerror(forkErrno), false;
  int wstatus = 0;
  while (waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
  }
  if (childErrno != 0)
    return *err = program + ": " + std::strerror(childErrno), false;
  run->status = WIFEXITED(wstatus)     ? WEXITSTATUS(wstatus)
                : WIFSIGNALED(wstatus) ? 128 + WTERMSIG(wstatus)
                                       : -1;
  return true;
}
