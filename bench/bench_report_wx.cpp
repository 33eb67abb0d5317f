// The wx part of the report: every header on its own, the slowest ones,
// and all of them in one header against the throughput and memory goals.
#include <algorithm>

#include "bench/bench_report.h"
#include "bench/ctags_phase.h"
#include "bench/report_cells.h"

namespace {

void PrintWx(const BenchRun& run, FILE* out) {
  if (!run.wxRan)
    return;
  Heading(out, "wxWidgets headers: " + std::to_string(run.wxFiles.size()) +
                   " files in " + run.wxDir);
  std::fprintf(out, "Settings: %s\n", run.wxIni.c_str());
  int64_t bytes = 0;
  double parse = 0, html = 0, xml = 0, merge = 0;
  std::vector<const WxFileRow*> failed, ok;
  for (const WxFileRow& row : run.wxFiles) {
    const InputResult& r = row.result;
    bytes += r.inBytes;
    if (!r.EndToEndOk() || !r.merge.ok()) {
      failed.push_back(&row);
      continue;
    }
    ok.push_back(&row);
    parse += r.parse.seconds;
    html += r.html.seconds;
    xml += r.xml.seconds;
    merge += r.merge.seconds;
  }
  std::fprintf(
      out,
      "\nEach file on its own (sums over the %zu files that passed every"
      " phase):\n",
      ok.size());
  std::fprintf(out, "%10s %10s %10s %10s %10s %10s %8s %8s\n", "bytes",
               "parse ms", "html ms", "xml ms", "merge ms", "e2e ms", "MB/s",
               "failed");
  const double e2e = parse + html + xml;
  std::fprintf(out, "%10lld %10.1f %10.1f %10.1f %10.1f %10.1f %8.1f %8zu\n",
               static_cast<long long>(bytes), parse * 1e3, html * 1e3,
               xml * 1e3, merge * 1e3, e2e * 1e3,
               e2e > 0 ? bytes / kMB / e2e : 0.0, failed.size());
  for (const WxFileRow* row : failed)
    std::fprintf(out,
                 "  not measured in full: %s (parse %s, html %s, xml %s,"
                 " merge %s)\n",
                 row->name.c_str(), ShortStatus(row->result.parse.status),
                 ShortStatus(row->result.html.status),
                 ShortStatus(row->result.xml.status),
                 ShortStatus(row->result.merge.status));

  std::vector<const WxFileRow*> slowest = ok;
  std::stable_sort(slowest.begin(), slowest.end(),
                   [](const WxFileRow* a, const WxFileRow* b) {
                     return a->result.EndToEndSeconds(false) >
                            b->result.EndToEndSeconds(false);
                   });
  if (slowest.size() > 5)
    slowest.resize(5);
  std::fprintf(out, "\nSlowest files end to end:\n");
  std::fprintf(out, "%-22s %9s %9s %9s %9s %9s %9s %8s\n", "file", "bytes",
               "parse ms", "html ms", "xml ms", "merge ms", "e2e ms",
               "peak MB");
  for (const WxFileRow* row : slowest) {
    const InputResult& r = row->result;
    std::fprintf(out, "%-22s %9lld %9.1f %9.1f %9.1f %9.1f %9.1f %8.1f\n",
                 row->name.c_str(), static_cast<long long>(r.inBytes),
                 r.parse.seconds * 1e3, r.html.seconds * 1e3,
                 r.xml.seconds * 1e3, r.merge.seconds * 1e3,
                 r.EndToEndSeconds(false) * 1e3, r.EndToEndPeakBytes() / kMB);
  }
}

// The parse alone, single-threaded, against ctags on the same file.
void PrintParseAgainstCtags(const BenchRun& run, FILE* out) {
  const InputResult& r = run.wxAll;
  const PhaseResult& ctags = run.wxAllCtags;
  std::fprintf(out, "\nParse against ctags (%s, fastest of its runs):\n",
               kCtagsCommand);
  if (!r.parse.ok())
    return;
  const double parse = r.inBytes / kMB / r.parse.seconds;
  std::fprintf(out, "  parse %.1f ms = %.1f MB/s (goal 100): %s\n",
               r.parse.seconds * 1e3, parse, parse >= 100 ? "ok" : "MISS");
  if (!ctags.ok()) {
    std::fprintf(out, "  ctags %s\n",
                 ctags.status == PhaseStatus::kNotRun ? "not installed"
                                                      : "failed");
    return;
  }
  const double times = ctags.seconds / r.parse.seconds;
  std::fprintf(out,
               "  ctags %.1f ms = %.1f MB/s; the parse is %.2f times as fast"
               " (goal 3): %s\n",
               ctags.seconds * 1e3, r.inBytes / kMB / ctags.seconds, times,
               times >= 3 ? "ok" : "MISS");
}

// One goal line of a run against a write of the same bytes.
void PrintAgainstWrite(FILE* out, const std::string& what,
                       const PhaseResult& run, const PhaseResult& write) {
  if (!run.ok() || !write.ok() || write.seconds <= 0)
    return;
  const double times = run.seconds / write.seconds;
  std::fprintf(out, "  %s: %.1f x (goal 2.5): %s\n", what.c_str(), times,
               times <= 2.5 ? "ok" : "MISS");
}

void PrintWxAll(const BenchRun& run, FILE* out) {
  if (!run.wxAllRan)
    return;
  const InputResult& r = run.wxAll;
  Heading(out, "wxWidgets headers concatenated into one header (" +
                   std::to_string(run.wxFiles.size()) + " files, " +
                   std::to_string(r.inBytes) + " bytes)");
  std::fprintf(out, "%-20s %5s %10s %10s %9s %8s %9s %8s\n", "phase", "",
               "in bytes", "ms", "cpu ms", "MB/s", "peak MB", "peak/in");
  PrintParseRow(out, "parse", "", r);
  std::fprintf(out, "%-20s %5s %12s %10s %9s %8s %9s %10s\n", "", "",
               "out bytes", "ms", "cpu ms", "outMB/s", "peak MB", "save ms");
  PrintOutputRow(out, "html", "", r.html);
  PrintOutputRow(out, "xml", "", r.xml);
  std::fprintf(out, "%-20s %5s %12s %10s %9s %8s %9s\n", "", "", "xml bytes",
               "ms", "cpu ms", "MB/s", "peak MB");
  PrintMergeRow(out, "merge", "", r.merge);
  std::fprintf(out, "%-20s %5s %10s %10s %8s %10s %8s %9s %8s\n", "", "",
               "in bytes", "built ms", "MB/s", "+disk ms", "MB/s", "peak MB",
               "peak/in");
  PrintEndToEndRow(out, "e2e", "", r);
  PrintJobHeader(out);
  PrintJobRow(out, "job", "", r);
  PrintProgramRow(out, "program", "", r);

  PrintParseAgainstCtags(run, out);

  std::fprintf(out, "\nGoals for the concatenated header:\n");
  if (r.job.ok()) {
    const double rate = r.inBytes / kMB / r.job.seconds;
    const double times = double(r.inBytes + r.job.peakBytes) / r.inBytes;
    std::fprintf(out,
                 "  the programs' job: %.1f MB/s (goal 50): %s; peak %.1f MB ="
                 " %.1f x input (goal 10): %s\n",
                 rate, rate >= 50 ? "ok" : "MISS",
                 (r.inBytes + r.job.peakBytes) / kMB, times,
                 times <= 10 ? "ok" : "MISS");
  }
  PrintAgainstWrite(out,
                    Fmt("the programs' job against writing its %.1f MB",
                        r.job.outBytes / kMB) +
                        Fmt(" in 4 MB blocks (%.1f ms)",
                            r.rawWrite.seconds * 1e3),
                    r.job, r.rawWrite);
  PrintAgainstWrite(out,
                    "the program itself against the same write" +
                        Fmt(" (%.1f ms)", r.program.seconds * 1e3),
                    r.program, r.rawWrite);
  PrintAgainstWrite(out,
                    "the programs' job against dd bs=4M writing the same"
                    " bytes" + Fmt(" (%.1f ms)", r.ddWrite.seconds * 1e3),
                    r.job, r.ddWrite);
  if (!r.EndToEndOk()) {
    std::fprintf(out,
                 "  end to end not measured (parse %s, html %s, xml %s):"
                 " MISS\n",
                 ShortStatus(r.parse.status), ShortStatus(r.html.status),
                 ShortStatus(r.xml.status));
  } else {
    const double built = r.inBytes / kMB / r.EndToEndSeconds(false);
    const double written = r.inBytes / kMB / r.EndToEndSeconds(true);
    std::fprintf(
        out,
        "  phases built in memory, throughput >= 50 MB/s: built %.1f MB/s,"
        " written %.1f MB/s: %s\n",
        built, written, written >= 50 ? "ok" : "MISS");
    const double times = double(r.EndToEndPeakBytes()) / r.inBytes;
    std::fprintf(out,
                 "  phases built in memory, peak <= 10 x input (%.1f MB):"
                 " %.1f MB ="
                 " %.1f x input: %s\n",
                 10 * r.inBytes / kMB, r.EndToEndPeakBytes() / kMB, times,
                 times <= 10 ? "ok" : "MISS");
  }
  if (r.parse.ok() && r.xml.ok()) {
    const double seconds = r.parse.seconds + r.xml.seconds;
    std::fprintf(
        out, "  for comparison, parse + xml alone: %.1f MB/s, peak %.1f MB\n",
        r.inBytes / kMB / seconds,
        std::max(r.inBytes + r.parse.peakBytes,
                 r.modelBytes + r.xml.peakBytes) /
            kMB);
  }
}

}  // namespace

void PrintWxReport(const BenchRun& run, FILE* out) {
  PrintWx(run, out);
  PrintWxAll(run, out);
}
