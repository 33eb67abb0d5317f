// Compiling a written help project with the help compiler, which reports
// its errors in what it prints but mostly exits with 0.
#ifndef VARNEL_APP_HELP_COMPILE_H_
#define VARNEL_APP_HELP_COMPILE_H_

#include <ostream>
#include <string>
#include <vector>

#include "model/text.h"

// The lines of the compiler's output that report a failure.
std::vector<std::string> CompilerErrorLines(const std::string& output);

// Compiles `project`, the lines of DIR/STEM.hhp, into DIR/STEM.chm with
// the compiler at `compiler`. The compiler writes to a file of its own
// first, which replaces STEM.chm only when it exists and the compiler
// reported no error; otherwise STEM.chm stays as it was and `err` gets the
// compiler's output.
bool CompileHelpBook(const std::string& compiler, const std::string& dir,
                     const std::string& stem, const TextList& project,
                     int timeoutSeconds, std::ostream& out, std::ostream& err);

#endif  // VARNEL_APP_HELP_COMPILE_H_
