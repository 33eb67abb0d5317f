#include "cli/run.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

#include "app/allocator_setup.h"
#include "app/header_job.h"
#include "cli/check_json.h"
#include "cli/run_plan.h"
#include "app/help_book_job.h"
#include "app/help_compile.h"
#include "app/run_program.h"
#include "html/help_project.h"
#include "html/index_page.h"
#include "model/file_io.h"
#include "model/parser_settings.h"

namespace {

// The settings file that will be read, or "" when there is none.
std::string SettingsPath(const CliOptions& opts) {
  if (!opts.iniPath.empty())
    return opts.iniPath;
  std::string path = SettingsFileNameFor("varnel");
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec) ? path : std::string();
}

// Reads the settings file that SettingsPath found. A file named on the
// command line must be read; the one named after the program is read when
// the folder has it, and a fault in it is not the run's.
bool ReadSettings(const CliOptions& opts, const std::string& path,
                  std::ostream& err) {
  if (path.empty())
    return true;
  std::string message;
  if (ReadParserSettings(path, &message) || opts.iniPath.empty())
    return true;
  err << message << "\n";
  return false;
}

// "[120/403] wx/window.h" on a terminal, so that a long run shows where it
// is; nothing when standard error is a file or a pipe.
class Progress {
 public:
  Progress(size_t total, bool shown) : total_(total), shown_(shown) {}
  void Clear(std::ostream& err) {
    if (shown_ && drawn_)
      err << "\r\033[K" << std::flush;
    drawn_ = false;
  }
  void Show(size_t done, const std::string& header, std::ostream& err) {
    if (!shown_)
      return;
    err << "\r\033[K[" << done << "/" << total_ << "] " << header
        << std::flush;
    drawn_ = true;
  }

 private:
  size_t total_;
  bool shown_;
  bool drawn_ = false;
};

// Runs the jobs on `threads` threads, this one among them, and hands each
// result to `done` on this thread in the order of the jobs, whatever
// finishes first. Between its own jobs this thread hands on what is ready,
// and it waits only at the end: a thread that only waited would be woken
// once per header, and each wake-up takes a processor from the work. A
// result is let go as soon as it is handed on, so the run holds little more
// than the headers being worked on and the results that wait for an
// earlier one.
template <typename Done>
void RunInOrder(const std::vector<HeaderJob>& jobs, int threads, Done done) {
  std::vector<std::unique_ptr<HeaderJobResult>> results(jobs.size());
  std::mutex mutex;
  std::condition_variable ready;
  std::atomic<size_t> next{0};
  auto runJobs = [&](const auto& afterEach) {
    for (size_t i; (i = next++) < jobs.size();) {
      auto result =
          std::make_unique<HeaderJobResult>(RunHeaderJob(jobs[i], nullptr));
      {
        std::lock_guard<std::mutex> lock(mutex);
        results[i] = std::move(result);
      }
      ready.notify_one();
      afterEach();
    }
  };
  size_t handed = 0;
  // Hands on the results that are ready, in order; with `wait`, all of
  // them, waiting for each.
  auto handOn = [&](bool wait) {
    while (handed < jobs.size()) {
      std::unique_ptr<HeaderJobResult> result;
      {
        std::unique_lock<std::mutex> lock(mutex);
        if (wait)
          ready.wait(lock, [&] { return results[handed] != nullptr; });
        else if (results[handed] == nullptr)
          return;
        result = std::move(results[handed]);
      }
      done(handed, *result);
      ++handed;
    }
  };
  std::vector<std::thread> workers;
  // Also when this thread's own job runs out of memory: the others finish
  // before the error is reported.
  struct JoinAtEnd {
    std::vector<std::thread>& threads;
    ~JoinAtEnd() {
      for (std::thread& thread : threads)
        thread.join();
    }
  } joinAtEnd{workers};
  const size_t count = std::min<size_t>(std::max(threads, 1), jobs.size());
  for (size_t t = 1; t < count; ++t)
    workers.emplace_back([&] { runJobs([] {}); });
  runJobs([&] { handOn(false); });
  handOn(true);
}

// What the check says of the whole run, and whether it passes.
class CheckTotals {
 public:
  explicit CheckTotals(const CliOptions& opts) : opts_(opts) {}

  // One header's findings: printed at once as lines, or kept for the JSON.
  void Add(const std::string& header, const HeaderJobResult& result,
           std::ostream& out) {
    if (!result.checked)
      return;
    ++headers_;
    coverage_.Add(result.coverage);
    orphans_ += result.orphaned.size();
    if (opts_.check == CliOptions::Check::kJson) {
      std::string object = CheckJson(header, result.coverage, result.missing,
                                     result.orphaned);
      objects_.push_back(std::move(object));
      return;
    }
    for (const CheckFinding& finding : result.missing)
      out << FindingLine(finding) << "\n";
    for (const CheckFinding& finding : result.orphaned)
      out << FindingLine(finding) << "\n";
  }

  // The coverage line (or the JSON), and the exit status of the check.
  int Finish(bool library, std::ostream& out) {
    if (opts_.check == CliOptions::Check::kJson)
      out << Json(library);
    else
      out << CoverageSummary(coverage_)
          << (library ? " in " + std::to_string(headers_) + " headers" : "")
          << "\n";
    if (orphans_ > 0)
      return 1;
    if (opts_.minCoverage >= 0)
      return coverage_.Percent() >= opts_.minCoverage ? 0 : 1;
    return coverage_.Described() == coverage_.Total() ? 0 : 1;
  }

 private:
  std::string Json(bool library) const {
    if (library)
      return CheckTotalsJson(coverage_, objects_);
    return objects_.empty() ? std::string("{}\n") : objects_[0];
  }

  const CliOptions& opts_;
  Coverage coverage_;
  size_t orphans_ = 0;
  int headers_ = 0;
  std::vector<std::string> objects_;
};

IndexEntry IndexEntryOf(const HeaderJob& job, const HeaderJobResult& result,
                        const std::string& indexFolder) {
  IndexEntry entry;
  entry.module = result.moduleName;
  entry.link = RelativeLink(indexFolder, job.htmlPath);
  entry.classes = result.classes;
  entry.functions = result.functions;
  entry.variables = result.variables;
  entry.described = result.coverage.Described();
  entry.total = result.coverage.Total();
  return entry;
}

bool WriteIndex(const std::string& path, const std::vector<IndexEntry>& entries,
                bool stylesheet, std::ostream& out, std::ostream& err) {
  TextList lines;
  BuildIndexPage(entries, stylesheet, &lines);
  std::string message;
  if (!SaveLines(path, lines, &message)) {
    err << path << ": " << message << "\n";
    return false;
  }
  out << "Wrote " << path << "\n";
  return true;
}

// The project of the whole library's help, beside the books: its
// contents list every module, its files are every book's.
bool WriteMasterProject(const CliOptions& opts,
                        const std::vector<std::pair<std::string, std::string>>&
                            modules,
                        std::ostream& out, std::ostream& err) {
  if (modules.empty())
    return true;
  std::vector<HelpPage> pages;
  const std::string dir = opts.helpBookDir;
  for (const auto& [stem, name] : modules) {
    HelpPage page;
    page.file = stem + ".htm";
    page.title = page.label = page.entry = name;
    pages.push_back(page);
  }
  HelpProjectFiles files;
  files.stem = "index";
  files.index = false;
  TextList project = HelpProjectLines(files, "Modules", pages);
  // Every file of every book belongs to the library's: the compiler
  // checks the anchors of the files it was given.
  project.erase(project.end() - static_cast<long>(pages.size()),
                project.end());
  std::set<std::string> listed;  // the stylesheet belongs to every book
  for (const auto& module : modules) {
    const std::string& stem = module.first;
    std::string text;
    ReadWholeFile((std::filesystem::path(dir) / (stem + ".hhp")).string(),
                  &text);
    bool inFiles = false;
    ForEachLine(text, [&](std::string_view line) {
      if (!line.empty() && line.front() == '[')
        inFiles = line == "[FILES]";
      else if (inFiles && !line.empty() && listed.insert(std::string(line)).second)
        project.push_back(std::string(line));
    });
  }
  std::string message;
  for (const auto& [name, lines] :
       {std::make_pair(std::string("index.hhp"), project),
        std::make_pair(std::string("index.hhc"), HelpContentsLines(pages))}) {
    const std::string path = (std::filesystem::path(dir) / name).string();
    if (!SaveLines(path, lines, &message)) {
      err << path << ": " << message << "\n";
      return false;
    }
    out << "Wrote " << path << "\n";
  }
  if (!opts.compileHelpBook)
    return true;
  const char* path = getenv("PATH");
  const std::string compiler = FindOnPath(kHelpCompiler, path ? path : "");
  if (compiler.empty())
    return true;  // every book said so already
  return CompileHelpBook(compiler, dir, "index", project, 600, out, err);
}

}  // namespace

int RunVarnel(const CliOptions& opts, std::ostream& out, std::ostream& err) {
  RunPlan plan;
  std::string message;
  const std::string settingsPath = SettingsPath(opts);
  if (!PlanRun(opts, settingsPath, &g_arrMacros, &g_arrNotReturns, &plan,
               &message)) {
    err << "varnel: " << message << "\n";
    return 2;
  }
  if (!ReadSettings(opts, settingsPath, err))
    return 1;
  // The output folder is made when it is missing, so that a first run
  // into doc/ needs no mkdir.
  if (!opts.outDir.empty() && (opts.html || opts.xml)) {
    std::error_code ec;
    std::filesystem::create_directories(opts.outDir, ec);
    if (ec) {
      err << opts.outDir << ": " << kCannotSaveMessage << "\n";
      return 1;
    }
  }

  const bool checking = opts.check != CliOptions::Check::kNone;
  CheckTotals totals(opts);
  int status = 0;
  // One header alone may write to standard output.
  if (!plan.library) {
    plan.jobs[0].leaveModelUntilExit = true;
    std::error_code sizeError;
    const auto headerBytes =
        std::filesystem::file_size(plan.jobs[0].header, sizeError);
    if (!sizeError)
      ReserveHeapForHeader(headerBytes);
    HeaderJobResult result = RunHeaderJob(plan.jobs[0], &out);
    result.log.Replay(out, err);
    status = result.status;
    if (checking && result.checked) {
      totals.Add(plan.jobs[0].header, result, out);
      status = std::max(status, totals.Finish(false, out));
    }
    return status;
  }

  const std::string indexFolder =
      std::filesystem::path(plan.indexPath).parent_path().string();
  std::vector<IndexEntry> entries;
  std::vector<std::pair<std::string, std::string>> books;
  Progress progress(plan.jobs.size(), isatty(STDERR_FILENO) == 1);
  const int threads = opts.jobs > 0
                          ? opts.jobs
                          : static_cast<int>(std::thread::hardware_concurrency());
  RunInOrder(plan.jobs, threads, [&](size_t i, const HeaderJobResult& result) {
    progress.Clear(err);
    result.log.Replay(out, err);
    status = std::max(status, result.status);
    if (checking)
      totals.Add(plan.jobs[i].header, result, out);
    if (result.parsed && result.status == 0 && !plan.indexPath.empty())
      entries.push_back(IndexEntryOf(plan.jobs[i], result, indexFolder));
    if (result.helpBookWritten)
      books.emplace_back(PathStem(plan.jobs[i].header), result.moduleName);
    progress.Show(i + 1, plan.jobs[i].header, err);
  });
  progress.Clear(err);
  if (!plan.indexPath.empty() &&
      !WriteIndex(plan.indexPath, entries, opts.options.bStylesheet, out, err))
    status = std::max(status, 1);
  if (!opts.helpBookDir.empty() &&
      !WriteMasterProject(opts, books, out, err))
    status = std::max(status, 1);
  if (checking)
    status = std::max(status, totals.Finish(true, out));
  return status;
}
