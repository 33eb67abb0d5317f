// From the command line to the jobs: the headers that folders stand for,
// each header's outputs, merges and renames, and the library's index page.
// Everything that makes the run a usage error is found here, before
// anything is read or written.
#ifndef VARNEL_CLI_RUN_PLAN_H_
#define VARNEL_CLI_RUN_PLAN_H_

#include <string>
#include <vector>

#include "app/header_job.h"
#include "cli/options.h"

struct RunPlan {
  std::vector<HeaderJob> jobs;
  // Several headers, or a folder: a library job.
  bool library = false;
  // The index page to write; empty for none.
  std::string indexPath;
};

// The headers the arguments name: files as given, folders as their *.h
// files in name order (with their subfolders' when `recursive`), each
// file once. The headers are looked up into `known`. False with a message
// for a folder without headers.
bool ExpandHeaders(const std::vector<std::string>& args, bool recursive,
                   PathInfos* known, std::vector<std::string>* headers,
                   bool* sawFolder, std::string* err);

// The jobs of the run, with the parser settings they read; false with a
// usage error's message.
bool PlanRun(const CliOptions& opts, const std::string& settingsPath,
             const TextList* macros, const TextList* notReturns,
             RunPlan* plan, std::string* err);

// `path` as a link from a page in `folder`, with "/" between folders.
std::string RelativeLink(const std::string& folder, const std::string& path);

#endif  // VARNEL_CLI_RUN_PLAN_H_
