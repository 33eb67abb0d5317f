#include "bench/startup_phase.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "bench/library_phase.h"

namespace {

// Above /bin/true, the most a small header's run may cost.
const double kGoalMicros = 500;

double Median(std::vector<double> values) {
  if (values.empty())
    return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

StartupRun RunStartupPhases(const std::string& varnel,
                            const std::string& sourceDir,
                            const std::string& workDir, int runs) {
  StartupRun run;
  run.runs = runs;
  // In memory where the system has it: the disk's cost of creating and
  // renaming two files is not the program's.
  std::error_code ec;
  const std::string out =
      (std::filesystem::is_directory("/dev/shm", ec) ? std::string("/dev/shm")
                                                     : workDir) +
      "/varnel-startup-" + std::to_string(getpid());
  std::filesystem::create_directories(out, ec);
  const std::vector<std::string> truth = {"/bin/true"};
  const std::vector<std::string> version = {varnel, "--version"};
  const std::vector<std::string> example = {
      varnel, sourceDir + "/examples/Geometry.h", "--ini",
      sourceDir + "/examples/varnel.INI", "--all", "--out", out};
  std::vector<double> t, v, e;
  ChildLimits limits;
  limits.timeoutSeconds = 10;
  // Alternating, so that a busy moment of the machine falls on all three.
  for (int i = 0; i < runs; ++i) {
    const PhaseResult a = RunProgram(truth, limits);
    const PhaseResult b = RunProgram(version, limits);
    const PhaseResult c = RunProgram(example, limits);
    if (!a.ok() || !b.ok() || !c.ok()) {
      std::filesystem::remove_all(out, ec);
      return run;
    }
    t.push_back(a.seconds * 1e6);
    v.push_back(b.seconds * 1e6);
    e.push_back(c.seconds * 1e6);
  }
  run.trueMicros = Median(t);
  run.versionMicros = Median(v);
  run.exampleMicros = Median(e);
  run.ok = true;
  std::filesystem::remove_all(out, ec);
  return run;
}

void PrintStartupReport(const StartupRun& run, FILE* out) {
  std::fprintf(out, "\nStart-up: median of %d runs each, alternating\n",
               run.runs);
  if (!run.ok) {
    std::fprintf(out, "  a run failed\n");
    return;
  }
  const double above = run.exampleMicros - run.trueMicros;
  std::fprintf(out, "  %-28s %8.0f us\n", "/bin/true", run.trueMicros);
  std::fprintf(out, "  %-28s %8.0f us  (%+.0f us)\n", "varnel --version",
               run.versionMicros, run.versionMicros - run.trueMicros);
  std::fprintf(out, "  %-28s %8.0f us  (%+.0f us)  goal: at most +%.0f us: %s\n",
               "varnel Geometry.h --all", run.exampleMicros, above,
               kGoalMicros, above <= kGoalMicros ? "met" : "MISSED");
}
