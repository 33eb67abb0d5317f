#include "bench/bench_report.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "bench/report_cells.h"

namespace {

const struct {
  Which which;
  const char* name;
} kMetrics[] = {
    {Which::kParse, "parse"},  {Which::kHtml, "html"},
    {Which::kXml, "xml"},      {Which::kMerge, "merge"},
    {Which::kEndToEnd, "e2e"}, {Which::kJob, "job"},
    {Which::kLines, "lines"},
};

std::string Label(const GeneratedRow& row) {
  return std::string(row.shape->name);
}

std::string Scale(const GeneratedRow& row) {
  return std::to_string(row.scale) + "x";
}

void PrintMethod(const BenchRun& run, FILE* out) {
  const BenchSettings& s = run.settings;
  std::fprintf(out, "Varnel benchmark%s\n================\n",
               run.quick ? " (quick run)" : "");
  std::fprintf(
      out,
      "Build: the varnel library as compiled for this program (make bench:"
      " Release),\none thread. MB = 10^6 bytes; times in ms of wall clock.\n");
  std::fprintf(
      out,
      "Phases: parse = ParseHeaderText on the header text already in memory;"
      "\n  html = BuildHtmlPage; xml = BuildXmlDocument; merge = CXmlTree::Load"
      " of the\n  input's own unedited XML export (lines joined with LF, as"
      " read back from a\n  file; the tree takes the text over) and"
      " MergeXmlDocument into the parsed\n  model.\n");
  std::fprintf(
      out,
      "Job: what `varnel HEADER --all` does after reading the header: parse,"
      "\n  which names the model, then WriteNamedHtmlPageBytes and"
      "\n  WriteNamedXmlDocumentBytes handing each block of bytes to its file"
      "\n  (SafeFileWriter), so no output is held whole; its peak is the"
      " input plus\n  what the job adds.\n");
  std::fprintf(
      out,
      "Processes: every measurement runs in a fresh child process forked"
      " from the\n  benchmark (fork per phase). A child that needs the model"
      " parses the header\n  first, untimed, so that its heap is the one the"
      " programs have at that point.\n  Each child warms up on a tiny header"
      " before, so the code it runs is mapped\n  in. The merge reads the XML"
      " file that the xml phase saved. As in the\n  programs, buffers up to"
      " 64 MB stay in the heap (KeepLargeBuffersInTheHeap), and a parse\n"
      "  of a header of 1 MB or more starts with the heap grown for it in huge\n"
      "  pages (ReserveHeapForHeader). The benchmark maps its own large texts\n"
      "  outside its heap, so a child inherits no heap holes that a fresh\n"
      "  program would not have.\n");
  std::fprintf(out, "Outputs: written into %s (TMPDIR).\n",
               s.tempDir.c_str());
  if (const char* tunables = std::getenv("GLIBC_TUNABLES"))
    std::fprintf(out, "Heap: as GLIBC_TUNABLES=%s sets it.\n", tunables);
  if (run.peakReset)
    std::fprintf(
        out,
        "Memory: the child hands freed heap back (malloc_trim), resets its"
        " resident\n  high-water mark (5 to /proc/self/clear_refs), reads VmRSS"
        " as the baseline,\n  runs the phase and reports VmHWM minus the"
        " baseline: the peak the phase adds\n  to what was resident (the input"
        " text and, for html/xml/merge, the model).\n");
  else
    std::fprintf(
        out,
        "Memory: the kernel refused to reset the high-water mark; the"
        " figures are the\n  growth of VmHWM during the phase, a lower bound"
        " of the phase's peak.\n");
  std::fprintf(
      out,
      "Repeats: a phase faster than %.0f ms runs %d times, each in a new"
      " child; the\n  fastest time and the smallest peak are reported.\n",
      s.repeatBelow * 1e3, s.reps);
  std::fprintf(
      out,
      "End to end (e2e) = parse + html + xml built in memory; \"+disk\" adds"
      " writing\n  both outputs with SaveLines into a temporary folder. Reading"
      " the header\n  from disk is not included. e2e peak = max(input + parse"
      " peak, model +\n  max(html peak, xml peak)), as when one line list"
      " takes each output in turn.\n");
  std::fprintf(
      out,
      "The job's \"write ms\" writes its output bytes again as one 4 MB"
      " buffer in a\n  loop of write calls into the same folder, as dd bs=4M"
      " does; \"x wr\" is the\n  job's time over it; \"p/wr\" is the parse"
      " phase's alone, the least x wr can\n  be with writers that cost"
      " nothing. \"dd ms\" is `dd if=/dev/zero bs=4M` itself\n  writing"
      " the same bytes into the same folder, its process start and its reads"
      "\n  included; \"x dd\" is the job's time over it (goal: at most 2.5)."
      "\n"
      "The program: the varnel program run on the header and its settings\n"
      "  saved to files, a fresh process and not a child of the benchmark, so\n"
      "  its time has the process start, the reading of the header and the\n"
      "  heap of a new process; its peak is the process's whole resident\n"
      "  high-water mark. \"x wr\" and \"x dd\" are against the job's"
      " writes of the same\n  bytes.\n");
  if (run.quick)
    std::fprintf(
        out,
        "Quick run: the 1x inputs take well under a millisecond, so the"
        " ratios below\n  measure fixed costs and noise more than"
        " scaling.\n");
  std::fprintf(
      out,
      "Limits: %d s and %.0f MB of address space per child (\"timeout\","
      " \"no-mem\");\n  html is skipped (\"skip\") when its estimated output"
      " exceeds %.0f MB: the page\n  repeats the module bar, which lists every"
      " class, after every block, so its\n  size grows with classes x"
      " blocks.\n",
      s.limits.timeoutSeconds, s.limits.memoryBytes / kMB,
      s.htmlCapBytes / kMB);
}

void PrintInputs(const BenchRun& run, FILE* out) {
  Heading(out, "Generated inputs (base " + std::to_string(run.baseBytes) +
                   " bytes; the counts are what the parse found)");
  for (const ShapeInfo& info : AllShapes())
    std::fprintf(out, "  %-20s %s\n", info.name, info.summary);
  std::fprintf(out, "\n%-20s %5s %10s %7s %6s %7s %7s %7s %7s %7s %7s\n",
               "shape", "scale", "bytes", "classes", "g.vars", "g.funcs",
               "g.decls", "fields", "methods", "m.decls", "macros");
  for (const GeneratedRow& row : run.generated) {
    const ModelSummary& m = row.result.model;
    std::fprintf(out, "%-20s %5s %10lld %7d %6d %7d %7d %7d %7d %7d %7d\n",
                 Label(row).c_str(), Scale(row).c_str(),
                 static_cast<long long>(row.result.inBytes), m.classes,
                 m.globalVars, m.globalFuncs, m.globalFuncDecls, m.dataMembers,
                 m.methods, m.methodDecls, row.macros);
  }
}

void PrintPhaseTables(const BenchRun& run, FILE* out) {
  Heading(out, "Parse (generated)");
  std::fprintf(out, "%-20s %5s %10s %10s %9s %8s %9s %8s\n", "shape", "scale",
               "in bytes", "ms", "cpu ms", "MB/s", "peak MB", "peak/in");
  for (const GeneratedRow& row : run.generated)
    PrintParseRow(out, Label(row), Scale(row), row.result);

  for (Which which : {Which::kHtml, Which::kXml}) {
    Heading(out,
            which == Which::kHtml ? "HTML (generated)" : "XML (generated)");
    std::fprintf(out, "%-20s %5s %12s %10s %9s %8s %9s %10s\n", "shape",
                 "scale", "out bytes", "ms", "cpu ms", "outMB/s", "peak MB",
                 "save ms");
    for (const GeneratedRow& row : run.generated)
      PrintOutputRow(out, Label(row), Scale(row),
                     which == Which::kHtml ? row.result.html : row.result.xml);
  }

  Heading(out, "Merge of the own XML export (generated)");
  std::fprintf(out, "%-20s %5s %12s %10s %9s %8s %9s\n", "shape", "scale",
               "xml bytes", "ms", "cpu ms", "MB/s", "peak MB");
  for (const GeneratedRow& row : run.generated)
    PrintMergeRow(out, Label(row), Scale(row), row.result.merge);

  Heading(out, "End to end: parse + html + xml (generated)");
  std::fprintf(out, "%-20s %5s %10s %10s %8s %10s %8s %9s %8s\n", "shape",
               "scale", "in bytes", "built ms", "MB/s", "+disk ms", "MB/s",
               "peak MB", "peak/in");
  for (const GeneratedRow& row : run.generated)
    PrintEndToEndRow(out, Label(row), Scale(row), row.result);

  Heading(out, "The programs' job: parse, both outputs streamed to files"
               " (generated)");
  PrintJobHeader(out);
  for (const GeneratedRow& row : run.generated)
    PrintJobRow(out, Label(row), Scale(row), row.result);

  Heading(out, "The program: varnel HEADER --ini INI --all in a process of its"
               " own (generated)");
  PrintJobHeader(out);
  for (const GeneratedRow& row : run.generated)
    PrintProgramRow(out, Label(row), Scale(row), row.result);
}

// "12.3", ">45" for a run cut off by the time limit, or "n/a".
std::string TimeRatio(const Metric& small, const Metric& large, double* value) {
  *value = NAN;
  if (!small.ok() || small.seconds <= 0)
    return "n/a";
  if (large.ok()) {
    *value = large.seconds / small.seconds;
    return Fmt("%.1f", *value);
  }
  if (large.status == PhaseStatus::kTimeout) {
    *value = INFINITY;
    return Fmt(">%.0f", large.seconds / small.seconds);
  }
  return "n/a";
}

std::string MemoryRatio(const Metric& small, const Metric& large,
                        double* value) {
  *value = NAN;
  if (!small.ok() || !large.ok() || small.peakBytes <= 0)
    return "n/a";
  *value = double(large.peakBytes) / small.peakBytes;
  return Fmt("%.1f", *value);
}

std::string Column(const std::string& text) {
  return std::string(text.size() < 9 ? 10 - text.size() : 1, ' ') + text;
}

const char* Verdict(double time, double memory, double goal) {
  if (std::isnan(time) && std::isnan(memory))
    return "n/a";
  if ((!std::isnan(time) && time > goal) ||
      (!std::isnan(memory) && memory > goal))
    return "MISS";
  return std::isnan(time) || std::isnan(memory) ? "ok (part)" : "ok";
}

void PrintScaling(const BenchRun& run, FILE* out) {
  if (run.scales.size() < 2)
    return;
  const std::string first = std::to_string(run.scales.front());
  const std::string last = std::to_string(run.scales.back());
  const double goal = 1.1 * run.scales.back() / run.scales.front();
  Heading(out, "Scaling against the goal: time(" + last + "x)/time(" + first +
                   "x) and memory(" + last + "x)/memory(" + first +
                   "x) at most " + Fmt("%.0f", goal));
  std::fprintf(out, "%-20s %-6s", "shape", "phase");
  for (size_t i = 1; i < run.scales.size(); ++i)
    std::fprintf(
        out, "%s",
        Column(std::string("t") + std::to_string(run.scales[i]) + "/t" + first)
            .c_str());
  std::fprintf(out, "%s",
               Column(std::string("c") + last + "/c" + first).c_str());
  for (size_t i = 1; i < run.scales.size(); ++i)
    std::fprintf(
        out, "%s",
        Column(std::string("m") + std::to_string(run.scales[i]) + "/m" + first)
            .c_str());
  std::fprintf(out, "  verdict\n");
  for (const ShapeInfo& info : AllShapes()) {
    std::vector<const InputResult*> rows;
    for (int scale : run.scales)
      for (const GeneratedRow& row : run.generated)
        if (row.shape == &info && row.scale == scale)
          rows.push_back(&row.result);
    if (rows.size() != run.scales.size())
      continue;
    for (const auto& metric : kMetrics) {
      const Metric base = MetricOf(*rows[0], metric.which);
      std::string times, memories;
      double time = NAN, memory = NAN;  // of the largest input
      for (size_t i = 1; i < rows.size(); ++i) {
        const Metric large = MetricOf(*rows[i], metric.which);
        times += Column(TimeRatio(base, large, &time));
        memories += Column(MemoryRatio(base, large, &memory));
      }
      const Metric largest = MetricOf(*rows.back(), metric.which);
      times += Column(base.ok() && largest.ok() && base.cpuSeconds > 0
                          ? Fmt("%.1f", largest.cpuSeconds / base.cpuSeconds)
                          : "n/a");
      std::fprintf(out, "%-20s %-6s%s%s  %s\n", info.name, metric.name,
                   times.c_str(), memories.c_str(),
                   metric.which == Which::kLines ? "(reference)"
                                                 : Verdict(time, memory, goal));
    }
  }
  std::fprintf(
      out,
      "(t: wall time, which decides; c: processor time, the same ratio"
      " without the\n waits of a busy machine; m: peak memory. \"lines\" is"
      " no phase but a\n reference: the input split into a line list, the"
      " first step of the parse;\n any work that keeps a string per line"
      " scales no better on this machine.\n"
      " \">N\": the larger input hit the time limit, so the ratio is at"
      " least N;\n \"n/a\": a run was skipped or failed, or its peak was"
      " too small to measure.\n \"ok (part)\": only one of the two ratios"
      " could be measured.)\n");
}

void CsvRow(FILE* f, const std::string& input, const std::string& shape,
            int scale, int64_t bytes, const char* phase, const PhaseResult& p) {
  std::fprintf(
      f, "%s,%s,%d,%lld,%s,%s,%.3f,%.3f,%lld,%lld,%.3f\n", input.c_str(),
      shape.c_str(), scale, static_cast<long long>(bytes), phase,
      StatusName(p.status), p.seconds * 1e3, p.cpuSeconds * 1e3,
      static_cast<long long>(p.peakBytes),
      static_cast<long long>(p.status == PhaseStatus::kSkipped ? p.estimate
                                                               : p.outBytes),
      p.saveSeconds * 1e3);
}

void CsvInput(FILE* f, const std::string& input, const std::string& shape,
              int scale, const InputResult& r) {
  CsvRow(f, input, shape, scale, r.inBytes, "parse", r.parse);
  CsvRow(f, input, shape, scale, r.inBytes, "html", r.html);
  CsvRow(f, input, shape, scale, r.inBytes, "xml", r.xml);
  CsvRow(f, input, shape, scale, r.inBytes, "merge", r.merge);
  CsvRow(f, input, shape, scale, r.inBytes, "lines", r.lines);
  CsvRow(f, input, shape, scale, r.inBytes, "job", r.job);
  CsvRow(f, input, shape, scale, r.inBytes, "program", r.program);
  PhaseResult e2e;
  e2e.status = MetricOf(r, Which::kEndToEnd).status;
  e2e.seconds = r.EndToEndSeconds(false);
  e2e.cpuSeconds = r.parse.cpuSeconds + r.html.cpuSeconds + r.xml.cpuSeconds;
  e2e.peakBytes = e2e.ok() ? r.EndToEndPeakBytes() : 0;
  e2e.saveSeconds = r.EndToEndSeconds(true) - e2e.seconds;
  CsvRow(f, input, shape, scale, r.inBytes, "e2e", e2e);
}

}  // namespace

void PrintReport(const BenchRun& run, FILE* out) {
  PrintMethod(run, out);
  if (!run.generated.empty()) {
    PrintInputs(run, out);
    PrintPhaseTables(run, out);
    PrintScaling(run, out);
  }
  PrintWxReport(run, out);
}

bool WriteCsv(const BenchRun& run, const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "w");
  if (!f)
    return false;
  std::fprintf(f,
               "input,shape,scale,bytes,phase,status,ms,cpu_ms,peak_bytes,"
               "out_bytes,save_ms\n");
  for (const GeneratedRow& row : run.generated)
    CsvInput(
        f, std::string(row.shape->name) + "@" + std::to_string(row.scale) + "x",
        row.shape->name, row.scale, row.result);
  for (const WxFileRow& row : run.wxFiles)
    CsvInput(f, row.name, "wx_file", 1, row.result);
  if (run.wxAllRan)
    CsvInput(f, "wx_all.h", "wx_all", 1, run.wxAll);
  return std::fclose(f) == 0;
}
