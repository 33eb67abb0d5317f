// Runs the four phases on one input: parse, HTML, XML and the merge of
// the input's own unedited XML export, each measured in a child process.
#ifndef VARNEL_BENCH_BENCH_RUNNER_H_
#define VARNEL_BENCH_BENCH_RUNNER_H_

#include <cstdint>
#include <string>

#include "bench/phase_child.h"
#include "model/module_info.h"
#include "model/text.h"

struct BenchInput {
  std::string headerPath;  // names the module and the output pages
  const std::string* text = nullptr;
  const TextList* macros = nullptr;
  const TextList* notReturns = nullptr;
};

struct BenchSettings {
  ChildLimits limits;
  std::string programPath;    // the varnel program; empty: not run
  int reps = 3;               // runs of a phase faster than repeatBelow
  // Seconds. Long enough that both inputs of a scaling ratio get the
  // fastest of several runs, which on a busy machine differ by half.
  double repeatBelow = 3.0;
  int64_t htmlCapBytes = 0;   // skip HTML above this estimate; 0: never
  std::string tempDir;        // outputs are written here, then removed
};

// What the parse made, for the report.
struct ModelSummary {
  int classes = 0;
  int globalVars = 0;
  int globalFuncs = 0;
  int globalFuncDecls = 0;
  int dataMembers = 0;
  int methods = 0;
  int methodDecls = 0;
};

struct InputResult {
  int64_t inBytes = 0;
  PhaseResult parse, html, xml, merge;
  // Not a phase: the input split into a line list, the first step of the
  // parse. Any work that keeps a string per line scales no better, so its
  // ratios show what the machine itself adds at larger sizes.
  PhaseResult lines;
  // The programs' whole job as `varnel HEADER --all` does it: parse, then
  // the page and the document handed to their files block by block. Not
  // run when the page is skipped.
  PhaseResult job;
  // The bytes the job wrote, written again as one large buffer in a loop
  // of write calls into the same folder, as `dd bs=4M` does: what the
  // disk and the system take for those bytes whatever writes them.
  PhaseResult rawWrite;
  // The same bytes written by `dd bs=4M` itself from /dev/zero into the
  // same folder, as the speed goal names it: a process of its own that
  // also reads what it writes, which the loop above leaves out.
  PhaseResult ddWrite;
  // The varnel program itself on the header saved to a file, with the
  // settings saved beside it: a process of its own that reads the header,
  // parses it and writes both outputs, as a user runs it. Its peak is the
  // whole process's. Not run when the job was not.
  PhaseResult program;
  int64_t modelBytes = 0;  // resident growth that outlives the parse
  ModelSummary model;

  // Parse, HTML and XML built in memory; with `written`, also saved.
  bool EndToEndOk() const { return parse.ok() && html.ok() && xml.ok(); }
  double EndToEndSeconds(bool written) const;
  // The peak of a run that parses, then builds each output in turn into
  // the same line list: the input and the parse's peak, or the model and
  // the larger output's peak.
  int64_t EndToEndPeakBytes() const;
};

InputResult RunInput(const BenchInput& input, const BenchSettings& settings);

// A lower bound of the HTML page's size: every block of the page ends with
// the module navigation bar, which links every class.
int64_t EstimateHtmlBytes(const CModuleInfo& module);

#endif  // VARNEL_BENCH_BENCH_RUNNER_H_
