#include "bench/report_cells.h"

Metric MetricOf(const InputResult& r, Which which) {
  const PhaseResult* phase = nullptr;
  switch (which) {
    case Which::kParse:
      phase = &r.parse;
      break;
    case Which::kHtml:
      phase = &r.html;
      break;
    case Which::kXml:
      phase = &r.xml;
      break;
    case Which::kMerge:
      phase = &r.merge;
      break;
    case Which::kLines:
      phase = &r.lines;
      break;
    case Which::kJob:
      phase = &r.job;
      break;
    case Which::kEndToEnd: {
      Metric m;
      // The first phase that did not succeed decides.
      for (const PhaseResult* p : {&r.parse, &r.html, &r.xml})
        if (!p->ok()) {
          m.status = p->status;
          m.seconds = r.EndToEndSeconds(false);
          return m;
        }
      m.status = PhaseStatus::kOk;
      m.seconds = r.EndToEndSeconds(false);
      m.cpuSeconds = r.parse.cpuSeconds + r.html.cpuSeconds + r.xml.cpuSeconds;
      m.peakBytes = r.EndToEndPeakBytes();
      return m;
    }
  }
  return Metric{phase->status, phase->seconds, phase->cpuSeconds,
                phase->peakBytes};
}

const char* ShortStatus(PhaseStatus status) {
  switch (status) {
    case PhaseStatus::kNotRun:
      return "-";
    case PhaseStatus::kOk:
      return "ok";
    case PhaseStatus::kSkipped:
      return "skip";
    case PhaseStatus::kTimeout:
      return "timeout";
    case PhaseStatus::kOutOfMemory:
      return "no-mem";
    case PhaseStatus::kFailed:
      return "FAIL";
  }
  return "?";
}

std::string Fmt(const char* format, double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

std::string Ms(const PhaseResult& r) {
  return r.ok() ? Fmt("%.1f", r.seconds * 1e3) : ShortStatus(r.status);
}

std::string CpuMs(const PhaseResult& r) {
  return r.ok() ? Fmt("%.1f", r.cpuSeconds * 1e3) : ShortStatus(r.status);
}

std::string Mb(const PhaseResult& r, int64_t bytes) {
  return r.ok() ? Fmt("%.1f", bytes / kMB) : ShortStatus(r.status);
}

std::string Rate(const PhaseResult& r, int64_t bytes, double seconds) {
  if (!r.ok() || seconds <= 0)
    return ShortStatus(r.status);
  return Fmt("%.1f", bytes / kMB / seconds);
}

std::string Bytes(int64_t bytes) { return std::to_string(bytes); }

std::string SaveMs(const PhaseResult& r) {
  if (!r.ok())
    return ShortStatus(r.status);
  return r.saveSeconds < 0 ? "FAIL" : Fmt("%.1f", r.saveSeconds * 1e3);
}

void Heading(FILE* out, const std::string& title) {
  std::fprintf(out, "\n%s\n%s\n", title.c_str(),
               std::string(title.size(), '-').c_str());
}

void PrintParseRow(FILE* out, const std::string& label,
                   const std::string& scale, const InputResult& r) {
  const PhaseResult& p = r.parse;
  std::fprintf(out, "%-20s %5s %10s %10s %9s %8s %9s %8s\n", label.c_str(),
               scale.c_str(), Bytes(r.inBytes).c_str(), Ms(p).c_str(),
               CpuMs(p).c_str(), Rate(p, r.inBytes, p.seconds).c_str(),
               Mb(p, p.peakBytes).c_str(),
               p.ok() ? Fmt("%.1f", double(p.peakBytes) / r.inBytes).c_str()
                      : ShortStatus(p.status));
}

void PrintOutputRow(FILE* out, const std::string& label,
                    const std::string& scale, const PhaseResult& p) {
  std::string outBytes;
  if (p.ok())
    outBytes = Bytes(p.outBytes);
  else if (p.status == PhaseStatus::kSkipped)
    outBytes.append(">").append(Bytes(p.estimate));
  else
    outBytes = ShortStatus(p.status);
  std::fprintf(out, "%-20s %5s %12s %10s %9s %8s %9s %10s\n", label.c_str(),
               scale.c_str(), outBytes.c_str(), Ms(p).c_str(), CpuMs(p).c_str(),
               Rate(p, p.outBytes, p.seconds).c_str(),
               Mb(p, p.peakBytes).c_str(), SaveMs(p).c_str());
}

void PrintMergeRow(FILE* out, const std::string& label,
                   const std::string& scale, const PhaseResult& p) {
  std::fprintf(
      out, "%-20s %5s %12s %10s %9s %8s %9s\n", label.c_str(), scale.c_str(),
      p.ok() ? Bytes(p.outBytes).c_str() : "-", Ms(p).c_str(), CpuMs(p).c_str(),
      Rate(p, p.outBytes, p.seconds).c_str(), Mb(p, p.peakBytes).c_str());
}

void PrintEndToEndRow(FILE* out, const std::string& label,
                      const std::string& scale, const InputResult& r) {
  const Metric m = MetricOf(r, Which::kEndToEnd);
  PhaseResult asPhase;
  asPhase.status = m.status;
  const double built = r.EndToEndSeconds(false);
  const double written = r.EndToEndSeconds(true);
  std::fprintf(
      out, "%-20s %5s %10s %10s %8s %10s %8s %9s %8s\n", label.c_str(),
      scale.c_str(), Bytes(r.inBytes).c_str(),
      m.ok() ? Fmt("%.1f", built * 1e3).c_str() : ShortStatus(m.status),
      Rate(asPhase, r.inBytes, built).c_str(),
      m.ok() ? Fmt("%.1f", written * 1e3).c_str() : ShortStatus(m.status),
      Rate(asPhase, r.inBytes, written).c_str(),
      Mb(asPhase, m.peakBytes).c_str(),
      m.ok() ? Fmt("%.1f", double(m.peakBytes) / r.inBytes).c_str()
             : ShortStatus(m.status));
}

void PrintJobHeader(FILE* out) {
  std::fprintf(out,
               "%-20s %5s %10s %12s %10s %8s %9s %8s %9s %6s %6s %8s %6s\n",
               "", "", "in bytes", "out bytes", "ms", "MB/s", "peak MB",
               "peak/in", "write ms", "x wr", "p/wr", "dd ms", "x dd");
}

namespace {

// A run that wrote the job's outputs, against the raw write of its bytes;
// `peakBytes` is its whole resident peak.
void PrintRunRow(FILE* out, const std::string& label, const std::string& scale,
                 const InputResult& r, const PhaseResult& run,
                 int64_t peakBytes) {
  const bool againstWrite = r.rawWrite.ok() && r.rawWrite.seconds > 0;
  const bool againstDd = r.ddWrite.ok() && r.ddWrite.seconds > 0;
  std::fprintf(out,
               "%-20s %5s %10s %12s %10s %8s %9s %8s %9s %6s %6s %8s %6s\n",
               label.c_str(), scale.c_str(), Bytes(r.inBytes).c_str(),
               Bytes(run.outBytes).c_str(), Ms(run).c_str(),
               Rate(run, r.inBytes, run.seconds).c_str(),
               Mb(run, peakBytes).c_str(),
               run.ok() ? Fmt("%.1f", double(peakBytes) / r.inBytes).c_str()
                        : ShortStatus(run.status),
               Ms(r.rawWrite).c_str(),
               run.ok() && againstWrite
                   ? Fmt("%.1f", run.seconds / r.rawWrite.seconds).c_str()
                   : ShortStatus(r.rawWrite.status),
               r.parse.ok() && againstWrite
                   ? Fmt("%.1f", r.parse.seconds / r.rawWrite.seconds).c_str()
                   : ShortStatus(r.rawWrite.status),
               Ms(r.ddWrite).c_str(),
               run.ok() && againstDd
                   ? Fmt("%.1f", run.seconds / r.ddWrite.seconds).c_str()
                   : ShortStatus(r.ddWrite.status));
}

}  // namespace

void PrintProgramRow(FILE* out, const std::string& label,
                     const std::string& scale, const InputResult& r) {
  PrintRunRow(out, label, scale, r, r.program, r.program.peakBytes);
}

void PrintJobRow(FILE* out, const std::string& label, const std::string& scale,
                 const InputResult& r) {
  // The job's peak is what it added to the input.
  PrintRunRow(out, label, scale, r, r.job, r.inBytes + r.job.peakBytes);
}
