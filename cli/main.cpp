// varnel: documents a C++ header from the command line.
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/options.h"
#include "cli/run.h"

int main(int argc, char** argv) {
  // A write beyond the file size limit must fail like any other write
  // (and leave the old file in place) instead of killing the program.
  std::signal(SIGXFSZ, SIG_IGN);
  std::vector<std::string> args(argv + 1, argv + argc);
  CliOptions opts;
  std::string err;
  if (!ParseCliOptions(args, &opts, &err)) {
    std::cerr << "varnel: " << err << "\n"
              << "Try 'varnel --help' for more information.\n";
    return 2;
  }
  if (opts.help) {
    std::cout << kUsage;
    return 0;
  }
  if (opts.version) {
    std::cout << kVersion << "\n";
    return 0;
  }
  return RunVarnel(opts, std::cout, std::cerr);
}
