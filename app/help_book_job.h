// Writing a help book into a folder: the pages cut from the page, the help
// project beside them, the stylesheet, and the compiled book when the help
// compiler is there.
#ifndef VARNEL_APP_HELP_BOOK_JOB_H_
#define VARNEL_APP_HELP_BOOK_JOB_H_

#include <ostream>
#include <string>

#include "model/module_info.h"

// The help compiler of Free Pascal, and the Debian package that brings it.
extern const char kHelpCompiler[];
extern const char kHelpCompilerPackage[];

struct HelpBookJob {
  // The parsed header: the section titles name it, and its file stem names
  // the book: STEM.htm is the module page, STEM.hhp the project, STEM.chm
  // the compiled book.
  std::string headerPath;
  // The book's folder, made when missing. "/" and "\" separate folders.
  std::string dir;
  // The stylesheet copied into the folder when the module's stylesheet
  // option is on; see FindProgramData.
  std::string stylesheetPath;
  // Without it only the project is written.
  bool compile = true;
  // The compiler: a name looked up on PATH, or a path.
  std::string compiler = kHelpCompiler;
  int compileTimeoutSeconds = 600;
};

enum class HelpBookOutcome {
  kCompiled,     // pages, project and STEM.chm written
  kProjectOnly,  // pages and project written, as asked
  kNoCompiler,   // pages and project written; no compiler to compile them
  kFailed,       // a message on `err` says why
};

// Writes the book of the parsed `module`. The book has split-file and
// keyword objects whatever the module's options say; the other options
// (stylesheet, filters) apply as for the page. Every file is saved whole
// or not at all; STEM.chm is replaced only by a book the compiler made
// without an error. What was written goes to `out`, problems to `err`.
HelpBookOutcome WriteHelpBook(CModuleInfo* module, const HelpBookJob& job,
                              std::ostream& out, std::ostream& err);

// 1 for kFailed, 0 otherwise.
int HelpBookExitStatus(HelpBookOutcome outcome);

// A data file of the program (the stylesheet): beside the executable, as
// in the build tree, or in ../share/varnel/ from the executable's folder,
// where an installed program keeps it. The first that exists, else "".
std::string FindProgramData(const std::string& name,
                            const std::string& executablePath);

// The path of the running program, for FindProgramData.
std::string RunningExecutablePath();

#endif  // VARNEL_APP_HELP_BOOK_JOB_H_
