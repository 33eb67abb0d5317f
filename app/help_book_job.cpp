#include "app/help_book_job.h"

#include <cstdlib>
#include <filesystem>

#include "app/help_compile.h"
#include "app/run_program.h"
#include "html/help_names.h"
#include "html/help_pages.h"
#include "html/help_project.h"
#include "model/file_io.h"
#include "model/text.h"

const char kHelpCompiler[] = "chmcmd";
const char kHelpCompilerPackage[] = "fp-utils";

namespace {

namespace fs = std::filesystem;

// "\" separates folders too; a joined path uses "/".
std::string FolderPath(std::string dir) {
  for (char& c : dir)
    if (c == '\\')
      c = '/';
  while (dir.size() > 1 && dir.back() == '/')
    dir.pop_back();
  return dir.empty() ? "." : dir;
}

// The files of the book are plain files of its folder: one planted there
// as a link would make the save write where it points.
bool SaveInFolder(const std::string& dir, const std::string& name,
                  const TextList& lines, std::ostream& err) {
  const std::string path = dir + "/" + name;
  std::string problem = PageFileNameProblem(name);
  std::error_code ec;
  if (problem.empty() && fs::is_symlink(path, ec))
    problem = "is a symbolic link; the help book writes only plain files";
  if (!problem.empty()) {
    err << path << ": the file name " << problem << "\n";
    return false;
  }
  std::string message;
  if (SaveLines(path, lines, &message))
    return true;
  err << path << ": " << message << "\n";
  return false;
}

bool MakeFolder(const std::string& dir, std::ostream& err) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (fs::is_directory(dir, ec))
    return true;
  err << dir << ": the folder of the help book cannot be made\n";
  return false;
}

bool ReadStylesheet(const std::string& path, TextList* lines,
                    std::ostream& err) {
  std::string text;
  if (path.empty() || ReadWholeFile(path, &text) != ReadStatus::kOk) {
    err << (path.empty() ? std::string(kHelpStylesheetFile) : path)
        << ": the stylesheet for the help book cannot be read\n";
    return false;
  }
  ForEachLine(text, [&](std::string_view line) { lines->emplace_back(line); });
  return true;
}

// Pages, stylesheet, contents, index and project; false after a message.
bool WriteProject(CModuleInfo* module, const HelpBookJob& job,
                  const std::string& dir, const std::string& stem,
                  TextList* project, std::ostream& out, std::ostream& err) {
  const std::string htmlPath = dir + "/" + stem + ".htm";
  std::vector<HelpPage> pages;
  std::string message;
  if (!PlanHelpBook(module, job.headerPath, htmlPath, &pages, &message)) {
    err << message << "\n";
    return false;
  }
  TextList stylesheet;
  if (module->m_bStylesheet &&
      !ReadStylesheet(job.stylesheetPath, &stylesheet, err))
    return false;
  if (!MakeFolder(dir, err))
    return false;
  HelpIndex index;
  // A failed save has said so on `err`; the cut only needs to stop.
  HelpPageSink save = [&](const HelpPage& page, TextList* lines,
                          std::string* e) {
    return SaveInFolder(dir, page.file, *lines, err) || (e->clear(), false);
  };
  if (!BuildHelpPages(module, job.headerPath, htmlPath, pages, save, &index,
                      &message)) {
    if (!message.empty())
      err << message << "\n";
    return false;
  }
  // An empty index makes the compilers fail; the project then has none.
  const HelpProjectFiles files{stem, !index.empty(), module->m_bStylesheet};
  if ((files.stylesheet &&
       !SaveInFolder(dir, kHelpStylesheetFile, stylesheet, err)) ||
      !SaveInFolder(dir, stem + ".hhc", HelpContentsLines(pages), err) ||
      (files.index &&
       !SaveInFolder(dir, stem + ".hhk", HelpIndexLines(index, pages), err)))
    return false;
  *project = HelpProjectLines(files, module->m_strName, pages);
  if (!SaveInFolder(dir, stem + ".hhp", *project, err))
    return false;
  out << "Wrote " << pages.size() << " pages and the help project " << dir
      << "/" << stem << ".hhp\n";
  return true;
}

}  // namespace

HelpBookOutcome WriteHelpBook(CModuleInfo* module, const HelpBookJob& job,
                              std::ostream& out, std::ostream& err) {
  const std::string dir = FolderPath(job.dir);
  const std::string stem = PathStem(job.headerPath);
  TextList project;
  if (!WriteProject(module, job, dir, stem, &project, out, err))
    return HelpBookOutcome::kFailed;
  if (!job.compile)
    return HelpBookOutcome::kProjectOnly;
  const char* path = getenv("PATH");
  std::string compiler = FindOnPath(job.compiler, path ? path : "");
  if (compiler.empty()) {
    err << job.compiler << " is not on the PATH, so " << dir << "/" << stem
        << ".chm was not made. The help project " << dir << "/" << stem
        << ".hhp is written; the Debian package " << kHelpCompilerPackage
        << " brings " << kHelpCompiler << ", which compiles it.\n";
    return HelpBookOutcome::kNoCompiler;
  }
  return CompileHelpBook(compiler, dir, stem, project,
                         job.compileTimeoutSeconds, out, err)
             ? HelpBookOutcome::kCompiled
             : HelpBookOutcome::kFailed;
}

int HelpBookExitStatus(HelpBookOutcome outcome) {
  return outcome == HelpBookOutcome::kFailed ? 1 : 0;
}

std::string FindProgramData(const std::string& name,
                            const std::string& executablePath) {
  const fs::path folder = fs::path(executablePath).parent_path();
  std::error_code ec;
  for (const fs::path& candidate :
       {folder / name, folder / ".." / "share" / "varnel" / name})
    if (fs::is_regular_file(candidate, ec))
      return candidate.lexically_normal().string();
  return std::string();
}

std::string RunningExecutablePath() {
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : self.string();
}
