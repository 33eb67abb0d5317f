#include "bench/bench_runner.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "app/allocator_setup.h"
#include "bench/header_generator.h"
#include "bench/library_phase.h"
#include "html/html_writer.h"
#include "model/file_io.h"
#include "parser/parse_header.h"
#include "xml/xml_merge.h"
#include "xml/xml_tree.h"
#include "xml/xml_writer.h"

namespace {

const char kWarmUpHeader[] =
    "#include <stddef.h>\n"
    "extern int g_nWarm;\n"
    "WARM_API int WarmUp(int n, const char* psz = NULL);\n"
    "class WARM_API CWarm : public CBase\n"
    "{\n"
    "public:\n"
    "    CWarm();\n"
    "    virtual int Get() const { return m_n; }\n"
    "protected:\n"
    "    int m_n;\n"
    "    struct SInner { int x; };\n"
    "};\n";


int64_t OutputBytes(const TextList& lines) {
  int64_t bytes = 0;
  for (const std::string& line : lines)
    bytes += static_cast<int64_t>(line.size()) + 2;  // CR LF
  return bytes;
}

// Sets the heap up as the programs do, and runs every phase on a tiny
// header, so that the code the phase runs is mapped in before its memory
// is measured; a child maps it afresh.
void WarmUp() {
  KeepLargeBuffersInTheHeap();
  const std::string header = "/tmp/warmup.h", html = "/tmp/warmup.htm";
  CModuleInfo module;
  module.m_strName = "warmup";
  TextList lines;
  std::string err;
  ParseHeaderText(kWarmUpHeader, header, html, {"WARM_API"}, {"virtual"},
                  &lines, &module, &err);
  BuildHtmlPage(&module, header, html, &lines);
  BuildXmlDocument(&module, header, html, &lines);
  CXmlTree tree;
  if (tree.Load(JoinedWithLineFeeds(lines)))
    MergeXmlDocument(&tree, &module);
}

// Writes the output as the programs do; removes it again unless kept.
double SaveSeconds(const std::string& path, const TextList& lines, bool keep) {
  std::string err;
  bool saved = false;
  const double seconds = TimeOf([&] { saved = SaveLines(path, lines, &err); });
  if (!keep)
    unlink(path.c_str());
  return saved ? seconds : -1;
}

ModelSummary Summarize(const CModuleInfo& module) {
  ModelSummary s;
  s.classes = module.m_nClasses;
  s.globalVars = module.m_nVars;
  s.globalFuncs = module.m_nFuncs;
  s.globalFuncDecls = module.m_nFuncCount;
  for (const CClassInfo& cls : module.m_pClasses) {
    s.dataMembers += cls.m_nVars;
    s.methods += cls.m_nFuncs;
    s.methodDecls += cls.m_nFuncCount;
  }
  return s;
}

// The export as the programs read it back from the file: CR LF turned
// into LF. Falls back to building it when no file was saved.
std::string XmlExport(CModuleInfo* module, const std::string& headerPath,
                      const std::string& htmlPath, const std::string& xmlPath) {
  std::string text;
  if (ReadWholeFile(xmlPath, &text) == ReadStatus::kOk && !text.empty())
    return CrLfToLf(std::move(text));
  // Building it reruns only the naming, so the model stays as it was.
  TextList lines;
  BuildXmlDocument(module, headerPath, htmlPath, &lines);
  return JoinedWithLineFeeds(lines);
}

// What the first parse child reports besides its measurement.
struct ParseReport {
  PhaseResult parse;
  ModelSummary model;
  int64_t modelBytes = 0;
  int64_t htmlEstimate = 0;
};

// One input's phases. Every measurement runs in a child forked from the
// caller; a child that needs the model parses the header itself first,
// so its heap is the one the programs would have at that point. Records
// allocated for a measurement are left to the child's exit.
class PhaseRunner {
 public:
  PhaseRunner(const BenchInput& input, const BenchSettings& settings)
      : input_(input),
        settings_(settings),
        stem_(PathStem(input.headerPath)),
        htmlPath_(settings.tempDir + "/" + stem_ + ".htm"),
        xmlPath_(settings.tempDir + "/" + stem_ + ".xml") {}

  InputResult Run() {
    InputResult r;
    r.inBytes = static_cast<int64_t>(input_.text->size());
    if (!RunParse(&r))
      return r;
    // Children that parse first get the parse's time on top of the limit.
    ChildLimits limits = settings_.limits;
    limits.timeoutSeconds += static_cast<int>(2 * r.parse.seconds) + 5;

    r.lines = Repeated(limits, [&] {
      auto* split = new TextList;
      return MeasurePhase([&] {
        ForEachLine(*input_.text, [split](std::string_view line) {
          split->emplace_back(line);
        });
        return true;
      });
    });
    if (settings_.htmlCapBytes > 0 && htmlEstimate_ > settings_.htmlCapBytes) {
      r.html.status = PhaseStatus::kSkipped;
      r.html.estimate = htmlEstimate_;
    } else {
      r.html = Repeated(limits, [&] { return Output(true); });
    }
    r.xml = Repeated(limits, [&] { return Output(false); });
    if (r.xml.ok())
      r.merge = Repeated(limits, [&] { return Merge(); });
    if (r.html.ok())
      r.job = Repeated(limits, [&] { return Job(); });
    if (r.job.ok()) {
      r.rawWrite = Repeated(limits, [&] { return RawWrite(r.job.outBytes); });
      r.ddWrite = Repeated(limits, [&] { return DdWrite(r.job.outBytes); });
    }
    if (r.job.ok() && !settings_.programPath.empty())
      r.program = Program(limits, r.job.seconds);
    unlink(htmlPath_.c_str());
    unlink(xmlPath_.c_str());
    return r;
  }

 private:
  // The heap is prepared for the header as the program does it.
  bool Parse(CModuleInfo* module, TextList* lines) const {
    ReserveHeapForHeader(input_.text->size());
    module->m_strName = stem_;
    std::string err;
    return ParseHeaderText(*input_.text, input_.headerPath, htmlPath_,
                           *input_.macros, *input_.notReturns, lines, module,
                           &err);
  }

  // The first parse also reports the model; repeats only the figures.
  bool RunParse(InputResult* r) {
    ParseReport report;
    const ChildEnd end = RunChild<ParseReport>(
        settings_.limits,
        [&] {
          ParseReport rep;
          WarmUp();
          ReleaseFreeMemory();
          const int64_t before = ResidentBytes();
          auto* module = new CModuleInfo;
          auto* lines = new TextList;
          rep.parse = MeasurePhase([&] { return Parse(module, lines); });
          ReleaseFreeMemory();
          rep.modelBytes = ResidentBytes() - before;
          rep.model = Summarize(*module);
          rep.htmlEstimate = EstimateHtmlBytes(*module);
          return rep;
        },
        &report);
    r->parse = end == ChildEnd::kReported ? report.parse
                                          : ResultOfEnd(end, settings_.limits);
    if (!r->parse.ok())
      return false;
    r->model = report.model;
    r->modelBytes = report.modelBytes;
    htmlEstimate_ = report.htmlEstimate;
    const PhaseResult again = Repeated(
        settings_.limits,
        [&] {
          auto* module = new CModuleInfo;
          auto* lines = new TextList;
          return MeasurePhase([&] { return Parse(module, lines); });
        },
        r->parse.seconds, settings_.reps - 1);
    Keep(again, &r->parse);
    return true;
  }

  // The HTML page or the XML document, built into the line list the
  // parse left, as the programs do. The XML file stays for the merge.
  PhaseResult Output(bool html) const {
    auto* module = new CModuleInfo;
    auto* lines = new TextList;
    Parse(module, lines);
    PhaseResult p = MeasurePhase([&] {
      if (html)
        BuildHtmlPage(module, input_.headerPath, htmlPath_, lines);
      else
        BuildXmlDocument(module, input_.headerPath, htmlPath_, lines);
      return true;
    });
    p.outBytes = OutputBytes(*lines);
    p.saveSeconds = SaveSeconds(html ? htmlPath_ : xmlPath_, *lines, !html);
    return p;
  }

  PhaseResult Merge() const {
    auto* module = new CModuleInfo;
    auto* lines = new TextList;
    Parse(module, lines);
    std::string xmlText =
        XmlExport(module, input_.headerPath, htmlPath_, xmlPath_);
    const int64_t xmlBytes = static_cast<int64_t>(xmlText.size());
    auto* tree = new CXmlTree;
    // The tree takes the text over, as varnel's merge does with the file
    // it has read.
    PhaseResult m = MeasurePhase([&] {
      return tree->Load(std::move(xmlText)) && MergeXmlDocument(tree, module);
    });
    m.outBytes = xmlBytes;
    return m;
  }

  PhaseResult Job() const {
    int64_t written = 0;
    PhaseResult j = MeasurePhase([&] {
      auto* module = new CModuleInfo;
      auto* lines = new TextList;
      // The parse names the model for both outputs, as in the program.
      if (!Parse(module, lines))
        return false;
      return Stream(htmlPath_, &written,
                    [&](const ByteSink& sink) {
                      return WriteNamedHtmlPageBytes(*module, sink);
                    }) &&
             Stream(xmlPath_, &written, [&](const ByteSink& sink) {
               return WriteNamedXmlDocumentBytes(*module, sink);
             });
    });
    j.outBytes = written;
    return j;
  }

  // Runs the program on the header saved with its settings in a folder of
  // its own: the fastest of a few runs (the job's own count of them), with
  // the bytes of both outputs.
  PhaseResult Program(const ChildLimits& limits, double jobSeconds) const {
    const std::string dir = settings_.tempDir + "/program";
    const std::string stem = dir + "/" + stem_;
    const std::string header = stem + ".h", ini = stem + ".INI";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    PhaseResult best;
    if (!SaveProgramInput(
            stem, *input_.text,
            SettingsFileText(*input_.macros, *input_.notReturns))) {
      best.status = PhaseStatus::kFailed;
      return best;
    }
    const int runs = jobSeconds < settings_.repeatBelow ? settings_.reps : 1;
    for (int i = 0; i < runs; ++i) {
      PhaseResult p = RunProgram({settings_.programPath, header, "--ini", ini,
                                  "--all", "--out", dir},
                                 limits);
      if (!p.ok()) {
        best = p;
        break;
      }
      if (!best.ok() || p.seconds < best.seconds)
        best = p;
    }
    best.outBytes = 0;
    for (const char* extension : {".htm", ".xml"})
      best.outBytes += static_cast<int64_t>(
          std::filesystem::file_size(dir + "/" + stem_ + extension, ec));
    if (ec && best.ok())
      best.status = PhaseStatus::kFailed;
    std::filesystem::remove_all(dir, ec);
    return best;
  }

  PhaseResult RawWrite(int64_t bytes) const {
    PhaseResult w = MeasurePhase([&] {
      const size_t kBlock = size_t(4) << 20;
      const std::string block(kBlock, 'x');
      // A new file, as the job's outputs are: truncating an old one would
      // add the cost of freeing its blocks.
      const std::string path = htmlPath_ + ".raw";
      unlink(path.c_str());
      const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd < 0)
        return false;
      int64_t left = bytes;
      bool ok = true;
      while (ok && left > 0) {
        const size_t n = static_cast<size_t>(std::min<int64_t>(left, kBlock));
        const ssize_t put = write(fd, block.data(), n);
        ok = put > 0;
        left -= put;
      }
      ok = close(fd) == 0 && ok;
      unlink(path.c_str());
      return ok;
    });
    w.outBytes = bytes;
    return w;
  }

  // dd run once from the child, into a new file.
  PhaseResult DdWrite(int64_t bytes) const {
    const std::string path = htmlPath_ + ".dd";
    PhaseResult d = RunProgram(
        {"dd", "if=/dev/zero", "of=" + path, "bs=4M",
         "count=" + std::to_string(bytes), "iflag=count_bytes", "status=none"},
        settings_.limits);
    // dd's exit status 1 is a failure too: the file tells.
    std::error_code ec;
    if (d.ok() &&
        std::filesystem::file_size(path, ec) != static_cast<uintmax_t>(bytes))
      d.status = PhaseStatus::kFailed;
    unlink(path.c_str());
    d.peakBytes = 0;
    d.outBytes = bytes;
    return d;
  }

  // Writes what `build` hands out piece by piece to `path`, as the
  // programs do; adds the bytes written to `written`.
  static bool Stream(const std::string& path, int64_t* written,
                     const std::function<bool(const ByteSink&)>& build) {
    std::string err;
    return SaveBytePieces(
        path,
        [&](const ByteSink& save) {
          return build([&](std::string_view bytes) {
            *written += static_cast<int64_t>(bytes.size());
            return save(bytes);
          });
        },
        &err);
  }

  // Runs the body in new children, once and then again while the runs
  // stay faster than the threshold.
  PhaseResult Repeated(const ChildLimits& limits,
                       const std::function<PhaseResult()>& body) const {
    PhaseResult best = Child(limits, body);
    if (best.ok())
      Keep(Repeated(limits, body, best.seconds, settings_.reps - 1), &best);
    return best;
  }

  // Up to `runs` more runs while the fastest stays under the threshold;
  // a result that is not ok when nothing ran.
  PhaseResult Repeated(const ChildLimits& limits,
                       const std::function<PhaseResult()>& body, double fastest,
                       int runs) const {
    PhaseResult best;
    for (int i = 0; i < runs && fastest < settings_.repeatBelow; ++i) {
      const PhaseResult next = Child(limits, body);
      if (!next.ok())
        break;
      if (best.ok())
        Keep(next, &best);
      else
        best = next;
      fastest = std::min(fastest, next.seconds);
    }
    return best;
  }

  PhaseResult Child(const ChildLimits& limits,
                    const std::function<PhaseResult()>& body) const {
    PhaseResult p = RunPhaseChild(limits, [&] {
      WarmUp();
      return body();
    });
    // The limit covered the preparation too; the base limit is what the
    // phase itself surely took.
    if (p.status == PhaseStatus::kTimeout)
      p.seconds = settings_.limits.timeoutSeconds;
    return p;
  }

  // The fastest time and the smallest peak of two runs stand for both.
  static void Keep(const PhaseResult& other, PhaseResult* best) {
    if (!other.ok())
      return;
    best->seconds = std::min(best->seconds, other.seconds);
    best->cpuSeconds = std::min(best->cpuSeconds, other.cpuSeconds);
    best->peakBytes = std::min(best->peakBytes, other.peakBytes);
    if (other.saveSeconds >= 0 && best->saveSeconds >= 0)
      best->saveSeconds = std::min(best->saveSeconds, other.saveSeconds);
  }

  const BenchInput& input_;
  const BenchSettings& settings_;
  const std::string stem_, htmlPath_, xmlPath_;
  int64_t htmlEstimate_ = 0;
};

}  // namespace

double InputResult::EndToEndSeconds(bool written) const {
  double seconds = parse.seconds + html.seconds + xml.seconds;
  if (written)
    seconds += std::max(0.0, html.saveSeconds) + std::max(0.0, xml.saveSeconds);
  return seconds;
}

int64_t InputResult::EndToEndPeakBytes() const {
  return std::max(inBytes + parse.peakBytes,
                  modelBytes + std::max(html.peakBytes, xml.peakBytes));
}

InputResult RunInput(const BenchInput& input, const BenchSettings& settings) {
  ReleaseFreeMemory();  // children start from a compact heap
  return PhaseRunner(input, settings).Run();
}

int64_t EstimateHtmlBytes(const CModuleInfo& module) {
  int64_t bar = 200;
  int64_t blocks = 1 + (module.m_nVars > 0 ? 1 : 0) +
                   (module.m_nFuncs > 0 ? 1 + module.m_nFuncs : 0);
  for (const CClassInfo& cls : module.m_pClasses) {
    bar += static_cast<int64_t>(cls.m_strAnchor.size() + cls.m_strName.size()) +
           32;
    blocks += 1 + (cls.m_nVars > 0 ? 1 : 0) +
              (cls.m_nFuncs > 0 ? 1 + cls.m_nFuncs : 0);
  }
  return bar * blocks;
}
