// The benchmark's tables: per phase and input, the scaling ratios against
// the goals, the wx figures; and the same numbers as CSV.
#ifndef VARNEL_BENCH_BENCH_REPORT_H_
#define VARNEL_BENCH_BENCH_REPORT_H_

#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_runner.h"
#include "bench/header_generator.h"

struct GeneratedRow {
  const ShapeInfo* shape = nullptr;
  int scale = 1;
  int macros = 0;  // entries of the macro list
  InputResult result;
};

struct WxFileRow {
  std::string name;
  InputResult result;
};

struct BenchRun {
  // The settings, echoed in the header of the report.
  size_t baseBytes = 0;
  std::vector<int> scales;
  BenchSettings settings;
  bool peakReset = true;  // the kernel lets a child reset its peak
  bool quick = false;

  std::vector<GeneratedRow> generated;

  bool wxRan = false;
  std::string wxDir, wxIni;
  std::vector<WxFileRow> wxFiles;
  bool wxAllRan = false;
  InputResult wxAll;
  PhaseResult wxAllCtags;  // the same file through ctags
};

void PrintReport(const BenchRun& run, FILE* out);
bool WriteCsv(const BenchRun& run, const std::string& path);

#endif  // VARNEL_BENCH_BENCH_REPORT_H_
