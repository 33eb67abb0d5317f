// What the machine charges for memory a process touches for the first
// time. Every phase pays it on the pages of its peak, and on a virtual
// machine whose host takes back the memory its guest frees it can cost
// more per megabyte than parsing one: the report gives it so that the
// figures of one run can be read against the state of the machine.
#ifndef VARNEL_BENCH_MEMORY_PHASE_H_
#define VARNEL_BENCH_MEMORY_PHASE_H_

#include <cstdint>
#include <cstdio>

#include "bench/phase_child.h"

struct MemoryTouch {
  bool ok = false;
  double firstSeconds = 0;  // a new process touches the stretch
  double againSeconds = 0;  // the next one, right after, the same size
};

struct MemoryRun {
  int64_t bytes = 0;
  MemoryTouch start, end;  // before the first phase and after the last
};

// Touches `bytes` of new memory page by page in two child processes, one
// after the other, each with the heap's huge pages.
MemoryTouch MeasureMemoryTouch(int64_t bytes, const ChildLimits& limits);

void PrintMemoryReport(const MemoryRun& run, FILE* out);

#endif  // VARNEL_BENCH_MEMORY_PHASE_H_
