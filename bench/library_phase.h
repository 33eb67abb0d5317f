// The library job measured as a user runs it: the varnel program on a
// whole folder of headers, against the same program started once per
// header, and against a widely used documentation tool (doxygen, with HTML
// and XML output) on the same folder when it is installed, all in the same
// run.
#ifndef VARNEL_BENCH_LIBRARY_PHASE_H_
#define VARNEL_BENCH_LIBRARY_PHASE_H_

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/phase_child.h"

struct LibraryRun {
  int headers = 0;
  int threads = 0;
  int64_t inBytes = 0;
  int64_t outBytes = 0;         // what the library job wrote
  PhaseResult library;          // fastest of the runs; peak of the process
  PhaseResult loop;             // one process per header, in turn
  PhaseResult peer;             // kNotRun when not installed
  PhaseResult largestAlone;     // the largest header alone, for memory
  std::string largestHeader;
};

// Runs a program with its output thrown away; wall time, processor time
// and peak memory of the process. kNotRun when it cannot be started.
PhaseResult RunProgram(const std::vector<std::string>& args,
                       const ChildLimits& limits);

// Saves a header and its settings for a run of the program: `text` as
// STEM.h and `settingsText` as STEM.INI. False when either fails.
bool SaveProgramInput(const std::string& stem, const std::string& text,
                      const std::string& settingsText);

// Runs the measurements with the program at `varnel` on the *.h files of
// `folder`, writing below `workDir`.
LibraryRun RunLibraryPhases(const std::string& varnel,
                            const std::string& folder, const std::string& ini,
                            const std::string& workDir,
                            const ChildLimits& limits, int reps);

void PrintLibraryReport(const LibraryRun& run, FILE* out);

#endif  // VARNEL_BENCH_LIBRARY_PHASE_H_
