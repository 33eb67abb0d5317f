// Whether the work grows linearly with the input, counted in instructions
// rather than time: the varnel program under cachegrind on each generated
// shape at 1x and 100x, a count a busy machine cannot blur.
#ifndef VARNEL_BENCH_INSTRUCTIONS_PHASE_H_
#define VARNEL_BENCH_INSTRUCTIONS_PHASE_H_

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct InstructionRow {
  std::string shape;
  std::string job;       // "xml" or "all"
  int64_t small = -1;    // instructions at 1x; -1: not measured
  int64_t large = -1;    // at 100x; -1: not measured (refused, failed)
};

struct InstructionRun {
  bool valgrind = false;  // installed
  int64_t baseBytes = 0;
  int64_t startup = -1;   // `varnel --version`, taken off both counts
  std::vector<InstructionRow> rows;
};

InstructionRun RunInstructionPhases(const std::string& varnel,
                                    const std::string& workDir,
                                    int64_t baseBytes);

void PrintInstructionReport(const InstructionRun& run, FILE* out);

#endif  // VARNEL_BENCH_INSTRUCTIONS_PHASE_H_
