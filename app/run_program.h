// Running another program and collecting what it prints.
#ifndef VARNEL_APP_RUN_PROGRAM_H_
#define VARNEL_APP_RUN_PROGRAM_H_

#include <string>
#include <vector>

struct ProgramRun {
  int status = -1;      // the exit status; 128 + the signal that ended it
  bool timedOut = false;
  std::string output;   // standard output and error as they came
};

// The first executable `name` in the folders of `path` (PATH's form), or
// "" when there is none. A name with a "/" is taken as a path.
std::string FindOnPath(const std::string& name, const std::string& path);

// Runs `program` (a path) with `args` in the folder `dir`, standard input
// empty, and waits for it; after `timeoutSeconds` it is killed. Keeps the
// first `maxOutput` bytes of its output. False with a message when it
// could not be started.
bool RunProgram(const std::string& program,
                const std::vector<std::string>& args, const std::string& dir,
                int timeoutSeconds, size_t maxOutput, ProgramRun* run,
                std::string* err);

#endif  // VARNEL_APP_RUN_PROGRAM_H_
