// varnel_bench: speed and memory of parsing, both writers and the merge on
// generated headers of growing size and on the installed wx headers.
// The report goes to standard output, progress to standard error.
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "bench/bench_runner.h"
#include "bench/ctags_phase.h"
#include "bench/library_phase.h"
#include "bench/instructions_phase.h"
#include "bench/memory_phase.h"
#include "bench/startup_phase.h"
#include "bench/header_generator.h"
#include "model/file_io.h"
#include "model/parser_settings.h"

namespace {

// Under cachegrind a run takes some twenty times as long, so the count of
// instructions is taken at a smaller base than the timings.
const int64_t kInstructionBaseBytes = 20000;

// About three times the peak of the largest generated header's parse.
const int64_t kTouchBytes = 256000000;
const int64_t kQuickTouchBytes = 16000000;

struct Options {
  bool quick = false;
  size_t baseBytes = 100000;
  std::vector<int> scales = {1, 10, 100};
  std::vector<std::string> shapes;  // empty: all
  int timeoutSeconds = 60;
  int reps = 3;
  int64_t memLimitMB = 6000;
  int64_t htmlCapMB = 1500;
  bool wx = true;
  bool library = true;
  std::string wxDir = "/usr/include/wx-3.2/wx";
  std::string wxIni = VARNEL_SOURCE_DIR "/tests/wx/varnel.INI";
  int wxFiles = 0;  // 0: all
  std::string csvPath;
};

const char kUsage[] =
    "usage: varnel_bench [options]\n"
    "  --quick            a smoke run: 5000-byte base, 20 s limit, one run"
    " per\n"
    "                     phase, the first 20 wx files\n"
    "  --base BYTES       size of the 1x generated headers (default 100000)\n"
    "  --scales LIST      multiples of the base, ascending (default "
    "1,10,100)\n"
    "  --shapes LIST      generated shapes to run (default all; none for "
    "none)\n"
    "  --timeout SECONDS  limit of each measurement (default 60)\n"
    "  --reps N           runs of a phase under 3 s (default 3)\n"
    "  --mem-limit MB     address space of each measurement (default 6000)\n"
    "  --html-cap MB      skip HTML pages estimated larger (default 1500)\n"
    "  --wx-dir DIR       the wx headers (default /usr/include/wx-3.2/wx)\n"
    "  --wx-ini FILE      their settings (default the test suite's)\n"
    "  --wx-files N       only the first N wx headers by name\n"
    "  --no-wx            no wx headers (and no library job)\n"
    "  --no-library       no library job (the wx folder through the program,\n"
    "                     in one run, once per header and through doxygen)\n"
    "  --csv FILE         also write every figure to FILE\n";

std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> items;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos)
      comma = text.size();
    if (comma > start)
      items.push_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  return items;
}

bool ToNumber(const std::string& text, long long* value) {
  if (text.empty())
    return false;
  char* end = nullptr;
  *value = std::strtoll(text.c_str(), &end, 10);
  return *end == '\0' && *value >= 0;
}

bool ParseOptions(int argc, char** argv, Options* o, std::string* err) {
  bool timeoutSet = false, repsSet = false, baseSet = false, filesSet = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--quick") {
      o->quick = true;
      continue;
    }
    if (arg == "--no-wx") {
      o->wx = false;
      continue;
    }
    if (arg == "--no-library") {
      o->library = false;
      continue;
    }
    if (i + 1 >= argc) {
      *err = "unknown option or missing value: " + arg;
      return false;
    }
    const std::string value = argv[++i];
    long long n = 0;
    const bool number = ToNumber(value, &n);
    if (arg == "--base" && number && n > 0) {
      o->baseBytes = static_cast<size_t>(n);
      baseSet = true;
    } else if (arg == "--scales") {
      o->scales.clear();
      for (const std::string& item : SplitList(value)) {
        long long scale = 0;
        if (!ToNumber(item, &scale) || scale < 1 ||
            (!o->scales.empty() && scale <= o->scales.back())) {
          *err = "--scales wants ascending whole numbers: " + value;
          return false;
        }
        o->scales.push_back(static_cast<int>(scale));
      }
    } else if (arg == "--shapes") {
      o->shapes = SplitList(value);
      for (const std::string& name : o->shapes)
        if (name != "none" && !FindShape(name)) {
          *err = "unknown shape: " + name;
          return false;
        }
    } else if (arg == "--timeout" && number && n > 0) {
      o->timeoutSeconds = static_cast<int>(n);
      timeoutSet = true;
    } else if (arg == "--reps" && number && n > 0) {
      o->reps = static_cast<int>(n);
      repsSet = true;
    } else if (arg == "--mem-limit" && number && n > 0) {
      o->memLimitMB = n;
    } else if (arg == "--html-cap" && number && n > 0) {
      o->htmlCapMB = n;
    } else if (arg == "--wx-dir") {
      o->wxDir = value;
    } else if (arg == "--wx-ini") {
      o->wxIni = value;
    } else if (arg == "--wx-files" && number && n > 0) {
      o->wxFiles = static_cast<int>(n);
      filesSet = true;
    } else if (arg == "--csv") {
      o->csvPath = value;
    } else {
      *err = "unknown option or bad value: " + arg + " " + value;
      return false;
    }
  }
  if (o->quick) {
    if (!baseSet)
      o->baseBytes = 5000;
    if (!timeoutSet)
      o->timeoutSeconds = 20;
    if (!repsSet)
      o->reps = 1;
    if (!filesSet)
      o->wxFiles = 20;
  }
  return true;
}

bool Selected(const Options& o, const ShapeInfo& info) {
  return o.shapes.empty() || std::find(o.shapes.begin(), o.shapes.end(),
                                       info.name) != o.shapes.end();
}

// Progress on standard error, so the report itself stays the same from
// run to run.
class Progress {
 public:
  void Start(const std::string& what) {
    std::fprintf(stderr, "%s ...", what.c_str());
    std::fflush(stderr);
    start_ = std::chrono::steady_clock::now();
  }
  void Done(const InputResult& r) {
    const double s =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_)
            .count();
    std::fprintf(stderr, " %.1f s (parse %s, html %s, xml %s, merge %s)\n", s,
                 StatusName(r.parse.status), StatusName(r.html.status),
                 StatusName(r.xml.status), StatusName(r.merge.status));
  }

 private:
  std::chrono::steady_clock::time_point start_;
};

void RunGenerated(const Options& o, BenchRun* run) {
  Progress progress;
  for (const ShapeInfo& info : AllShapes()) {
    if (!Selected(o, info))
      continue;
    for (int scale : o.scales) {
      const GeneratedHeader header =
          GenerateHeader(info.shape, o.baseBytes * scale);
      BenchInput input;
      input.headerPath = run->settings.tempDir + "/" + info.name + "_" +
                         std::to_string(scale) + "x.h";
      input.text = &header.text;
      input.macros = &header.macros;
      input.notReturns = &header.notReturns;
      progress.Start(std::string(info.name) + " " + std::to_string(scale) +
                     "x, " + std::to_string(header.text.size()) + " bytes");
      GeneratedRow row;
      row.shape = &info;
      row.scale = scale;
      row.macros = static_cast<int>(header.macros.size());
      row.result = RunInput(input, run->settings);
      progress.Done(row.result);
      run->generated.push_back(row);
    }
  }
}

bool WriteBytes(const std::string& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f)
    return false;
  const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && ok;
}

std::vector<std::string> WxHeaders(const std::string& dir) {
  std::vector<std::string> paths;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec))
    if (entry.is_regular_file() && entry.path().extension() == ".h")
      paths.push_back(entry.path().string());
  std::sort(paths.begin(), paths.end());
  return paths;
}

bool RunWx(const Options& o, BenchRun* run) {
  TextList macros, notReturns;
  std::string err;
  if (!ReadParserSettingsInto(o.wxIni, &macros, &notReturns, &err)) {
    std::fprintf(stderr, "varnel_bench: %s: %s\n", o.wxIni.c_str(),
                 err.c_str());
    return false;
  }
  std::vector<std::string> paths = WxHeaders(o.wxDir);
  if (paths.empty()) {
    std::fprintf(stderr, "varnel_bench: no headers in %s; wx skipped\n",
                 o.wxDir.c_str());
    return true;
  }
  if (o.wxFiles > 0 && paths.size() > static_cast<size_t>(o.wxFiles))
    paths.resize(o.wxFiles);
  run->wxRan = true;
  run->wxDir = o.wxDir;
  run->wxIni = o.wxIni;

  // Single files are small and many: one run each.
  BenchSettings settings = run->settings;
  settings.reps = 1;
  std::string all;
  std::fprintf(stderr, "%zu wx headers ...", paths.size());
  const double seconds = TimeOf([&] {
    for (const std::string& path : paths) {
      std::string text;
      if (ReadWholeFile(path, &text) != ReadStatus::kOk) {
        std::fprintf(stderr, "varnel_bench: cannot read %s\n", path.c_str());
        continue;
      }
      all += text;
      if (!text.empty() && text.back() != '\n')
        all += '\n';
      BenchInput input;
      input.headerPath = path;
      input.text = &text;
      input.macros = &macros;
      input.notReturns = &notReturns;
      run->wxFiles.push_back({PathFileName(path), RunInput(input, settings)});
    }
  });
  std::fprintf(stderr, " %.1f s\n", seconds);

  BenchInput input;
  input.headerPath = run->settings.tempDir + "/wx_all.h";
  input.text = &all;
  input.macros = &macros;
  input.notReturns = &notReturns;
  Progress progress;
  progress.Start("wx headers concatenated, " + std::to_string(all.size()) +
                 " bytes");
  run->wxAll = RunInput(input, run->settings);
  run->wxAllRan = true;
  progress.Done(run->wxAll);
  // ctags reads the file; RunInput works on the text in memory.
  if (WriteBytes(input.headerPath, all)) {
    std::fprintf(stderr, "the same through ctags ...\n");
    run->wxAllCtags =
        RunCtags(input.headerPath, run->settings.limits, run->settings.reps);
    unlink(input.headerPath.c_str());
  }
  return true;
}

std::string MakeTempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern =
      std::string(base && *base ? base : "/tmp") + "/varnel-bench.XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  return mkdtemp(buf.data()) ? std::string(buf.data()) : std::string();
}

}  // namespace

int main(int argc, char** argv) {
  KeepOwnTextsOutOfTheHeap();
  Options o;
  std::string err;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--help") == 0 ||
        std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
  if (!ParseOptions(argc, argv, &o, &err)) {
    std::fprintf(stderr, "varnel_bench: %s\n%s", err.c_str(), kUsage);
    return 2;
  }
  BenchRun run;
  run.quick = o.quick;
  run.baseBytes = o.baseBytes;
  run.scales = o.scales;
  run.settings.limits.timeoutSeconds = o.timeoutSeconds;
  run.settings.limits.memoryBytes = o.memLimitMB * 1000000;
  run.settings.reps = o.reps;
  run.settings.htmlCapBytes = o.htmlCapMB * 1000000;
  run.settings.tempDir = MakeTempDir();
  run.settings.programPath = VARNEL_CLI_PATH;
  run.peakReset = ResetPeak();
  if (run.settings.tempDir.empty()) {
    std::fprintf(stderr, "varnel_bench: cannot make a temporary folder\n");
    return 1;
  }

  MemoryRun memory;
  memory.bytes = o.quick ? kQuickTouchBytes : kTouchBytes;
  memory.start = MeasureMemoryTouch(memory.bytes, run.settings.limits);
  RunGenerated(o, &run);
  bool ok = true;
  if (o.wx)
    ok = RunWx(o, &run);

  LibraryRun library;
  if (o.wx && o.library && !o.quick) {
    std::fprintf(stderr, "the library job on %s ...\n", o.wxDir.c_str());
    library = RunLibraryPhases(VARNEL_CLI_PATH, o.wxDir, o.wxIni,
                               run.settings.tempDir, run.settings.limits,
                               run.settings.reps);
  }

  StartupRun startup;
  InstructionRun instructions;
  if (!o.quick) {
    startup = RunStartupPhases(VARNEL_CLI_PATH, VARNEL_SOURCE_DIR,
                               run.settings.tempDir, 200);
    std::fprintf(stderr, "instructions under cachegrind ...\n");
    instructions = RunInstructionPhases(VARNEL_CLI_PATH, run.settings.tempDir,
                                        kInstructionBaseBytes);
  }

  memory.end = MeasureMemoryTouch(memory.bytes, run.settings.limits);

  std::error_code ec;
  std::filesystem::remove_all(run.settings.tempDir, ec);

  PrintReport(run, stdout);
  PrintMemoryReport(memory, stdout);
  if (o.wx && o.library && !o.quick)
    PrintLibraryReport(library, stdout);
  if (!o.quick) {
    PrintStartupReport(startup, stdout);
    PrintInstructionReport(instructions, stdout);
  }
  if (!o.csvPath.empty() && !WriteCsv(run, o.csvPath)) {
    std::fprintf(stderr, "varnel_bench: cannot write %s\n", o.csvPath.c_str());
    ok = false;
  }
  return ok ? 0 : 1;
}
