// The job of the varnel program: parse, merge, write.
#ifndef VARNEL_CLI_RUN_H_
#define VARNEL_CLI_RUN_H_

#include <ostream>

#include "cli/options.h"

// Runs the job the options describe; messages go to `err`, a summary and
// output to "-" go to `out`. Returns the exit status.
int RunVarnel(const CliOptions& opts, std::ostream& out, std::ostream& err);

#endif  // VARNEL_CLI_RUN_H_
