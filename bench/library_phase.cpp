#include "bench/library_phase.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

PhaseResult RunProgram(const std::vector<std::string>& args,
                       const ChildLimits& limits) {
  PhaseResult result;
  std::vector<char*> argv;
  for (const std::string& arg : args)
    argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid < 0)
    return result;
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    if (limits.timeoutSeconds > 0)
      alarm(static_cast<unsigned>(limits.timeoutSeconds));
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  struct rusage usage = {};
  if (wait4(pid, &status, 0, &usage) != pid)
    return result;
  result.seconds = std::chrono::duration<double>(
                       std::chrono::steady_clock::now() - start)
                       .count();
  result.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 +
                      usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
  result.peakBytes = static_cast<int64_t>(usage.ru_maxrss) * 1024;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 127)
    return result;
  result.status = WIFEXITED(status) && WEXITSTATUS(status) <= 1
                      ? PhaseStatus::kOk
                  : WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM
                      ? PhaseStatus::kTimeout
                      : PhaseStatus::kFailed;
  return result;
}

bool SaveProgramInput(const std::string& stem, const std::string& text,
                      const std::string& settingsText) {
  for (const auto& [path, bytes] : {std::pair(stem + ".h", &text),
                                    std::pair(stem + ".INI", &settingsText)}) {
    std::ofstream out(path, std::ios::binary);
    out << *bytes;
    if (!out.flush())
      return false;
  }
  return true;
}

namespace {

const double kMB = 1e6;

std::vector<std::string> HeadersOf(const std::string& folder) {
  std::vector<std::string> headers;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec))
    if (entry.path().extension() == ".h")
      headers.push_back(entry.path().string());
  std::sort(headers.begin(), headers.end());
  return headers;
}

int64_t BytesIn(const std::string& folder) {
  int64_t bytes = 0;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec))
    if (entry.is_regular_file(ec))
      bytes += static_cast<int64_t>(entry.file_size(ec));
  return bytes;
}

const char kDoxyfile[] =
    "FILE_PATTERNS = *.h\n"
    "RECURSIVE = NO\n"
    "EXTRACT_ALL = YES\n"
    "GENERATE_HTML = YES\n"
    "GENERATE_XML = YES\n"
    "GENERATE_LATEX = NO\n"
    "HAVE_DOT = NO\n"
    "QUIET = YES\n"
    "WARNINGS = NO\n"
    "WARN_IF_UNDOCUMENTED = NO\n";

PhaseResult RunPeer(const std::string& folder, const std::string& workDir,
                    const ChildLimits& limits) {
  const std::string dir = workDir + "/peer";
  fs::create_directories(dir);
  {
    std::ofstream doxyfile(dir + "/Doxyfile");
    doxyfile << kDoxyfile << "INPUT = " << folder << "\n"
             << "OUTPUT_DIRECTORY = " << dir << "/out\n";
  }
  return RunProgram({"doxygen", dir + "/Doxyfile"}, limits);
}

// The fastest run, with the largest peak of all.
PhaseResult Fastest(const std::vector<std::string>& args,
                    const ChildLimits& limits, int runs) {
  PhaseResult best;
  for (int i = 0; i < runs; ++i) {
    PhaseResult r = RunProgram(args, limits);
    if (!r.ok())
      return r;
    const int64_t peak = std::max(best.peakBytes, r.peakBytes);
    if (!best.ok() || r.seconds < best.seconds)
      best = r;
    best.peakBytes = peak;
  }
  return best;
}

void Row(FILE* out, const char* name, const PhaseResult& r,
         const PhaseResult& library) {
  if (!r.ok()) {
    std::fprintf(out, "  %-22s %s\n", name,
                 r.status == PhaseStatus::kNotRun ? "not installed"
                                                  : StatusName(r.status));
    return;
  }
  std::fprintf(out, "  %-22s %9.1f %9.1f %9.1f", name, r.seconds * 1e3,
               r.cpuSeconds * 1e3, r.peakBytes / kMB);
  if (library.ok() && &r != &library)
    std::fprintf(out, " %9.1f", r.seconds / library.seconds);
  std::fprintf(out, "\n");
}

}  // namespace

LibraryRun RunLibraryPhases(const std::string& varnel,
                            const std::string& folder, const std::string& ini,
                            const std::string& workDir,
                            const ChildLimits& limits, int reps) {
  LibraryRun run;
  const std::vector<std::string> headers = HeadersOf(folder);
  run.headers = static_cast<int>(headers.size());
  run.threads = static_cast<int>(std::thread::hardware_concurrency());
  run.inBytes = BytesIn(folder);
  if (headers.empty())
    return run;

  const std::string lib = workDir + "/library";
  fs::create_directories(lib);
  // The first run also fills the caches and makes the files the others
  // replace, as a run of every day does.
  run.library = Fastest({varnel, folder, "--ini", ini, "--out", lib, "--all"},
                        limits, 1 + std::max(reps, 1));
  run.outBytes = BytesIn(lib);

  const std::string loop = workDir + "/loop";
  fs::create_directories(loop);
  const auto start = std::chrono::steady_clock::now();
  run.loop.status = PhaseStatus::kOk;
  for (const std::string& header : headers) {
    PhaseResult one =
        RunProgram({varnel, header, "--ini", ini, "--out", loop, "--all"},
                   limits);
    if (!one.ok()) {
      run.loop.status = one.status;
      break;
    }
    run.loop.cpuSeconds += one.cpuSeconds;
    run.loop.peakBytes = std::max(run.loop.peakBytes, one.peakBytes);
  }
  run.loop.seconds = std::chrono::duration<double>(
                         std::chrono::steady_clock::now() - start)
                         .count();

  std::error_code ec;
  auto largest = std::max_element(
      headers.begin(), headers.end(), [](const std::string& a,
                                         const std::string& b) {
        std::error_code e;
        return fs::file_size(a, e) < fs::file_size(b, e);
      });
  run.largestHeader = *largest;
  run.largestAlone = Fastest(
      {varnel, *largest, "--ini", ini, "--out", workDir + "/alone", "--all"},
      limits, 1);

  run.peer = RunPeer(folder, workDir, limits);
  fs::remove_all(workDir + "/peer", ec);
  fs::remove_all(lib, ec);
  fs::remove_all(loop, ec);
  return run;
}

void PrintLibraryReport(const LibraryRun& run, FILE* out) {
  std::fprintf(out,
               "\nThe library job: %d headers, %.2f MB in, %.1f MB written,"
               " %d threads\n",
               run.headers, run.inBytes / kMB, run.outBytes / kMB,
               run.threads);
  if (run.headers == 0)
    return;
  std::fprintf(out, "  %-22s %9s %9s %9s %9s\n", "", "ms", "cpu ms",
               "peak MB", "x library");
  Row(out, "varnel FOLDER --all", run.library, run.library);
  Row(out, "varnel HEADER, in turn", run.loop, run.library);
  Row(out, "doxygen (HTML, XML)", run.peer, run.library);
  Row(out, "largest header alone", run.largestAlone, run.library);
  std::fprintf(out, "  (largest header: %s; doxygen with EXTRACT_ALL)\n",
               run.largestHeader.c_str());
  if (!run.library.ok())
    return;
  std::fprintf(out, "Goals of the library job:\n");
  if (run.loop.ok()) {
    const double times = run.loop.seconds / run.library.seconds;
    std::fprintf(out, "  at least 10 times as fast as the loop: %.1f: %s\n",
                 times, times >= 10 ? "ok" : "MISS");
  }
  if (run.peer.ok()) {
    const double times = run.peer.seconds / run.library.seconds;
    std::fprintf(out, "  at least 50 times as fast as doxygen: %.1f: %s\n",
                 times, times >= 50 ? "ok" : "MISS");
  }
  if (run.largestAlone.ok()) {
    const double extra =
        (run.library.peakBytes - run.largestAlone.peakBytes) / kMB;
    std::fprintf(out,
                 "  peak at most the largest header's plus a few MB per "
                 "thread: %+.1f MB over it, %.1f MB per thread: %s\n",
                 extra, extra / std::max(run.threads, 1),
                 extra / std::max(run.threads, 1) <= 5 ? "ok" : "MISS");
  }
}
