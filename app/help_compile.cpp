#include "app/help_compile.h"

#include <unistd.h>

#include <filesystem>

#include "app/run_program.h"
#include "model/file_io.h"

namespace {

namespace fs = std::filesystem;

const size_t kMaxOutput = 1 << 20;
const char kCompiledKey[] = "Compiled file=";

TextList OutputLines(const std::string& output) {
  TextList lines;
  ForEachLine(output, [&](std::string_view line) {
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    lines.emplace_back(line);
  });
  return lines;
}

// Names beside the book that nothing uses yet, for the project the
// compiler reads and the book it writes.
std::string UnusedStem(const std::string& dir, const std::string& stem) {
  std::error_code ec;
  for (unsigned n = 0;; ++n) {
    std::string candidate = stem + ".tmp" + std::to_string(getpid()) +
                            (n ? "-" + std::to_string(n) : "");
    if (!fs::exists(dir + "/" + candidate + ".hhp", ec) &&
        !fs::exists(dir + "/" + candidate + ".chm", ec))
      return candidate;
  }
}

void ShowOutput(const std::string& output, std::ostream& err) {
  for (const std::string& line : OutputLines(output))
    if (!line.empty())
      err << "  " << line << "\n";
}

bool IsGoodBook(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec) && fs::file_size(path, ec) > 0 && !ec;
}

}  // namespace

std::vector<std::string> CompilerErrorLines(const std::string& output) {
  std::vector<std::string> errors;
  for (const std::string& line : OutputLines(output))
    if (line.starts_with("Error") || line.starts_with("Can't") ||
        line.starts_with("Cannot") || line.find("exception") != line.npos)
      errors.push_back(line);
  return errors;
}

bool CompileHelpBook(const std::string& compiler, const std::string& dir,
                     const std::string& stem, const TextList& project,
                     int timeoutSeconds, std::ostream& out,
                     std::ostream& err) {
  const std::string book = dir + "/" + stem + ".chm";
  const std::string temp = UnusedStem(dir, stem);
  TextList lines = project;
  for (std::string& line : lines)
    if (line.starts_with(kCompiledKey))
      line = kCompiledKey + temp + ".chm";
  std::string message;
  ProgramRun run;
  const std::string tempBook = dir + "/" + temp + ".chm";
  const bool started =
      SaveLines(dir + "/" + temp + ".hhp", lines, &message) &&
      RunProgram(compiler, {temp + ".hhp"}, dir, timeoutSeconds, kMaxOutput,
                 &run, &message);
  std::error_code ec;
  fs::remove(dir + "/" + temp + ".hhp", ec);
  const bool ok = started && !run.timedOut && run.status == 0 &&
                  CompilerErrorLines(run.output).empty() &&
                  IsGoodBook(tempBook);
  if (ok)
    fs::rename(tempBook, book, ec);
  if (ok && !ec) {
    for (const std::string& line : OutputLines(run.output))
      if (line.starts_with("Warning"))
        err << compiler << ": " << line << "\n";
    out << "Wrote " << book << "\n";
    return true;
  }
  fs::remove(tempBook, ec);
  err << compiler << " did not compile " << dir << "/" << stem << ".hhp, so "
      << book << " is left as it was";
  if (!started)
    err << ": " << message << "\n";
  else if (run.timedOut)
    err << ": it was stopped after " << timeoutSeconds << " seconds\n";
  else
    err << ". What it said (exit status " << run.status << "):\n";
  ShowOutput(run.output, err);
  return false;
}
