// The pieces the report's tables share: the figures of one input, the
// cells that show them, and the rows of the per-phase tables.
#ifndef VARNEL_BENCH_REPORT_CELLS_H_
#define VARNEL_BENCH_REPORT_CELLS_H_

#include <cstdint>
#include <cstdio>
#include <string>

#include "bench/bench_report.h"
#include "bench/bench_runner.h"

const double kMB = 1e6;

// One measured quantity of an input: a phase, or the end-to-end run.
struct Metric {
  PhaseStatus status = PhaseStatus::kNotRun;
  double seconds = 0;
  double cpuSeconds = 0;
  int64_t peakBytes = 0;
  bool ok() const { return status == PhaseStatus::kOk; }
};

enum class Which { kLines, kParse, kHtml, kXml, kMerge, kEndToEnd, kJob };

Metric MetricOf(const InputResult& r, Which which);

// What a cell shows instead of a figure that was not measured.
const char* ShortStatus(PhaseStatus status);

std::string Fmt(const char* format, double value);
std::string Bytes(int64_t bytes);
// Each gives the figure of a successful phase, else its status.
std::string Ms(const PhaseResult& r);
std::string CpuMs(const PhaseResult& r);
std::string Mb(const PhaseResult& r, int64_t bytes);
std::string Rate(const PhaseResult& r, int64_t bytes, double seconds);
std::string SaveMs(const PhaseResult& r);

// A title underlined with dashes, after an empty line.
void Heading(FILE* out, const std::string& title);

// Rows of the parse, HTML or XML, merge and end-to-end tables.
void PrintParseRow(FILE* out, const std::string& label,
                   const std::string& scale, const InputResult& r);
void PrintOutputRow(FILE* out, const std::string& label,
                    const std::string& scale, const PhaseResult& p);
void PrintMergeRow(FILE* out, const std::string& label,
                   const std::string& scale, const PhaseResult& p);
void PrintEndToEndRow(FILE* out, const std::string& label,
                      const std::string& scale, const InputResult& r);
void PrintJobHeader(FILE* out);
void PrintJobRow(FILE* out, const std::string& label, const std::string& scale,
                 const InputResult& r);
// The program's run, in the job's columns; its peak is the whole process's.
void PrintProgramRow(FILE* out, const std::string& label,
                     const std::string& scale, const InputResult& r);

// The wx headers, one by one and concatenated (bench_report_wx.cpp).
void PrintWxReport(const BenchRun& run, FILE* out);

#endif  // VARNEL_BENCH_REPORT_CELLS_H_
