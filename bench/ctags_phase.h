// The joined wx header scanned by universal-ctags, timed in the same run
// as the parse, as a yardstick: a widely used tool that also only scans
// a header for its declarations.
#ifndef VARNEL_BENCH_CTAGS_PHASE_H_
#define VARNEL_BENCH_CTAGS_PHASE_H_

#include <string>

#include "bench/phase_child.h"

// The command, for the report.
extern const char kCtagsCommand[];

// The fastest of `reps` runs of ctags on `path`, its tags thrown away;
// kNotRun when ctags is not installed, kFailed when it fails. The time
// includes the start of the ctags process (a millisecond or so).
PhaseResult RunCtags(const std::string& path, const ChildLimits& limits,
                     int reps);

#endif  // VARNEL_BENCH_CTAGS_PHASE_H_
