// varnel: documents a C++ header from the command line.
#include <csignal>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "app/allocator_setup.h"
#include "cli/options.h"
#include "cli/run.h"
#include "model/file_io.h"

namespace {

// An interrupted run leaves the old outputs as they were and no temporary
// file of a new one (a page can grow to gigabytes before it is complete).
void RemoveTemporaryFileAndStop(int sig) {
  RemovePendingTemporaryFile();
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

}  // namespace

int main(int argc, char** argv) {
  KeepLargeBuffersInTheHeap();
  // A write beyond the file size limit must fail like any other write
  // (and leave the old file in place) instead of killing the program.
  std::signal(SIGXFSZ, SIG_IGN);
  for (int sig : {SIGINT, SIGTERM, SIGHUP})
    std::signal(sig, RemoveTemporaryFileAndStop);
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
  // Without this, running out of memory would end the program without a
  // word and leave the temporary file of an unfinished output behind.
  try {
    return RunVarnel(opts, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {
    std::cerr << "varnel: out of memory\n";
    return 1;
  }
}
