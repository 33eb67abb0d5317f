// What a run of one small header costs above starting a process at all:
// the varnel program on the bundled example against /bin/true, started
// alternately the same number of times in the same run.
#ifndef VARNEL_BENCH_STARTUP_PHASE_H_
#define VARNEL_BENCH_STARTUP_PHASE_H_

#include <cstdio>
#include <string>

struct StartupRun {
  int runs = 0;
  bool ok = false;
  double trueMicros = 0;     // median wall time of /bin/true
  double versionMicros = 0;  // median of `varnel --version`
  double exampleMicros = 0;  // median of the example, HTML and XML written
};

StartupRun RunStartupPhases(const std::string& varnel,
                            const std::string& sourceDir,
                            const std::string& workDir, int runs);

void PrintStartupReport(const StartupRun& run, FILE* out);

#endif  // VARNEL_BENCH_STARTUP_PHASE_H_
