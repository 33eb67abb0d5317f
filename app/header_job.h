// The whole job of one header: parse it, merge its descriptions, keep what
// found no place in the side file, write its outputs and check its
// documentation. The command line runs one per header given, several side
// by side; what each says is collected in its log and shown in order.
#ifndef VARNEL_APP_HEADER_JOB_H_
#define VARNEL_APP_HEADER_JOB_H_

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "app/job_log.h"
#include "app/path_info.h"
#include "model/module_info.h"
#include "model/text.h"
#include "xml/check_report.h"
#include "xml/coverage.h"

struct HeaderJob {
  std::string header;
  bool html = false;
  std::string htmlPath;  // resolved; "-" is standard output
  bool xml = false;
  std::string xmlPath;
  // Merged in this order, each followed by its side file.
  std::vector<std::string> merges;
  std::vector<std::string> renames;  // OLD=NEW
  bool strict = false;
  bool showLines = false;
  bool check = false;
  bool checkAll = false;
  // The coverage is counted for the check and for the index page only.
  bool countCoverage = false;
  CModuleInfo::Options options;
  // Outputs larger than this are refused before anything is written.
  uint64_t maxOutputBytes = uint64_t(2) << 30;
  // A help book into this folder, compiled when `compileHelpBook`; the
  // stylesheet copied into it from `stylesheetPath`.
  std::string helpBookDir;
  bool compileHelpBook = true;
  std::string stylesheetPath;
  // The parser settings; read-only while jobs run.
  const TextList* macros = nullptr;
  const TextList* notReturns = nullptr;
  // The process ends after this job: its model is not freed (a later job
  // with this set frees it first).
  bool leaveModelUntilExit = false;
};

struct HeaderJobResult {
  int status = 0;  // 0 done, 1 failed, 2 a usage error found late
  JobLog log;
  // What the library's index page and the check's totals need.
  bool parsed = false;
  std::string moduleName;
  int classes = 0;
  int functions = 0;
  int variables = 0;
  bool helpBookWritten = false;
  // Counted once the outputs are written, for a check or countCoverage.
  Coverage coverage;
  bool checked = false;  // the check ran; its findings follow
  std::vector<CheckFinding> missing;
  std::vector<CheckFinding> orphaned;
};

// Refuses, before anything is read or written, a job whose outputs would
// replace its header, each other, a merged file, the XML's side file or the
// settings file `settingsPath`; the first refusal wins. Each path is
// looked up once, in `known`.
bool CheckJobsPaths(const std::vector<HeaderJob>& jobs,
                    const std::string& settingsPath, PathInfos* known,
                    std::string* err);

// Runs the job. Outputs to "-" go to `stdoutStream`, which only a job of
// its own may use; messages go to the result's log.
HeaderJobResult RunHeaderJob(const HeaderJob& job, std::ostream* stdoutStream);

#endif  // VARNEL_APP_HEADER_JOB_H_
