#include "cli/run_plan.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <tuple>
#include <system_error>
#include <utility>

#include "app/help_book_job.h"
#include "model/text.h"

namespace fs = std::filesystem;

namespace {

bool IsHeaderFile(const fs::directory_entry& entry) {
  std::error_code ec;
  return entry.path().extension() == ".h" && entry.is_regular_file(ec);
}

// The *.h files of a folder in name order.
std::vector<std::string> HeadersIn(const std::string& folder, bool recursive) {
  std::vector<std::string> found;
  std::error_code ec;
  auto add = [&](const fs::directory_entry& entry) {
    if (IsHeaderFile(entry))
      found.push_back(entry.path().string());
  };
  if (recursive) {
    for (fs::recursive_directory_iterator it(
             folder, fs::directory_options::skip_permission_denied, ec),
         end;
         !ec && it != end; it.increment(ec))
      add(*it);
  } else {
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec))
      add(*it);
  }
  std::sort(found.begin(), found.end());
  return found;
}

// What makes two spellings of a file one: its device and inode when it
// exists, its spelling otherwise. One look per file keeps a folder of
// thousands of headers from costing a comparison per pair.
struct FileKey {
  dev_t device = 0;
  ino_t inode = 0;
  std::string path;
  bool operator<(const FileKey& o) const {
    return std::tie(device, inode, path) < std::tie(o.device, o.inode, o.path);
  }
  bool operator==(const FileKey& o) const {
    return std::tie(device, inode, path) == std::tie(o.device, o.inode, o.path);
  }
};

FileKey KeyOf(const PathInfo& info) {
  if (info.exists)
    return FileKey{info.device, info.inode, std::string()};
  return FileKey{0, 0, info.path};
}

// An output's place: its folder as the system resolves it (each folder
// once), then its name.
class OutputPlaces {
 public:
  std::string Of(const std::string& path) {
    const fs::path p(path);
    const std::string folder = p.parent_path().string();
    auto [it, added] = folders_.emplace(folder, std::string());
    if (added) {
      std::error_code ec;
      fs::path resolved =
          fs::weakly_canonical(folder.empty() ? fs::path(".") : fs::path(folder),
                               ec);
      it->second = ec ? folder : resolved.string();
    }
    return it->second + "/" + p.filename().string();
  }

 private:
  std::map<std::string, std::string> folders_;
};

// "STEM:OLD=NEW" split at its first single ":"; no such colon before the
// "=" leaves `stem` empty.
void SplitStem(const std::string& renameArg, std::string* stem,
               std::string* rest) {
  const size_t eq = renameArg.find('=');
  for (size_t i = 0; i < renameArg.size() && i < eq; ++i) {
    if (renameArg[i] != ':')
      continue;
    if (i + 1 < renameArg.size() && renameArg[i + 1] == ':') {
      ++i;
      continue;
    }
    *stem = renameArg.substr(0, i);
    *rest = renameArg.substr(i + 1);
    return;
  }
  stem->clear();
  *rest = renameArg;
}

// The jobs whose header has `stem`.
std::vector<HeaderJob*> JobsOfStem(RunPlan* plan, const std::string& stem) {
  std::vector<HeaderJob*> jobs;
  for (HeaderJob& job : plan->jobs)
    if (PathStem(job.header) == stem)
      jobs.push_back(&job);
  return jobs;
}

bool AssignMerges(const CliOptions& opts, RunPlan* plan, std::string* err) {
  for (const std::string& merge : opts.merges) {
    if (!plan->library) {
      plan->jobs[0].merges.push_back(merge);
      continue;
    }
    std::vector<HeaderJob*> jobs = JobsOfStem(plan, PathStem(merge));
    if (jobs.size() != 1) {
      *err = jobs.empty() ? "--merge " + merge + ": no header of the stem " +
                                PathStem(merge) + " is given"
                          : "--merge " + merge + ": several headers have the "
                                                 "stem " +
                                PathStem(merge);
      return false;
    }
    jobs[0]->merges.push_back(merge);
  }
  return true;
}

bool AssignRenames(const CliOptions& opts, RunPlan* plan, std::string* err) {
  for (const std::string& renameArg : opts.renames) {
    std::string stem, rest;
    SplitStem(renameArg, &stem, &rest);
    if (stem.empty()) {
      if (plan->library) {
        *err = "--rename " + renameArg +
               ": with several headers, name the header: STEM:OLD=NEW";
        return false;
      }
      plan->jobs[0].renames.push_back(renameArg);
      continue;
    }
    std::vector<HeaderJob*> jobs = JobsOfStem(plan, stem);
    if (jobs.size() != 1) {
      *err = "--rename " + renameArg + ": " +
             (jobs.empty() ? "no header of the stem " + stem + " is given"
                           : "several headers have the stem " + stem);
      return false;
    }
    jobs[0]->renames.push_back(rest);
  }
  return true;
}

// Two headers whose outputs would land on one file.
bool CheckOutputsApart(const RunPlan& plan, std::string* err) {
  std::map<std::string, const HeaderJob*> books;
  for (const HeaderJob& job : plan.jobs) {
    if (job.helpBookDir.empty())
      continue;
    // The books share their folder; their pages are named after the
    // headers' stems, and the library's own project is index.hhp.
    const std::string stem = PathStem(job.header);
    if (plan.library && stem == "index") {
      *err = "the help book of " + job.header +
             " would be the library's index.hhp";
      return false;
    }
    auto [it, added] = books.emplace(stem, &job);
    if (!added) {
      *err = "the headers " + it->second->header + " and " + job.header +
             " would both write the help book " + stem + ".hhp";
      return false;
    }
  }
  // One header's outputs are its own checks' business.
  if (plan.jobs.size() < 2)
    return true;
  std::map<std::string, const HeaderJob*> owners;
  OutputPlaces places;
  for (const HeaderJob& job : plan.jobs) {
    for (const std::string* path : {job.html ? &job.htmlPath : nullptr,
                                    job.xml ? &job.xmlPath : nullptr}) {
      if (!path || *path == "-")
        continue;
      auto [it, added] = owners.emplace(places.Of(*path), &job);
      // Within one header the job's own checks say it better.
      if (!added && it->second != &job) {
        *err = "the headers " + it->second->header + " and " + job.header +
               " would both write " + *path +
               "; give them different stems or output folders";
        return false;
      }
    }
  }
  return true;
}

bool PlanIndex(const CliOptions& opts, PathInfos* known, RunPlan* plan,
               std::string* err) {
  const bool html = !plan->jobs.empty() && plan->jobs[0].html;
  if (!html || (!plan->library && opts.index.empty()))
    return true;
  const std::string name = opts.index.empty() ? kDefaultIndexName : opts.index;
  const std::string folder = opts.outDir.empty() ? "." : opts.outDir;
  plan->indexPath = (fs::path(folder) / name).lexically_normal().string();
  // Each header's line on the index page gives its coverage.
  for (HeaderJob& job : plan->jobs)
    job.countCoverage = true;
  // The index is looked at once, not once per header.
  const FileKey index = KeyOf(known->Of(plan->indexPath));
  for (const HeaderJob& job : plan->jobs) {
    const std::string page = fs::path(job.htmlPath).lexically_normal().string();
    if (page == plan->indexPath ||
        (index.path.empty() && KeyOf(known->Of(job.htmlPath)) == index)) {
      *err = "the page of " + job.header + " would be the index page " +
             plan->indexPath + "; name the index otherwise with --index";
      return false;
    }
  }
  return true;
}

}  // namespace

bool ExpandHeaders(const std::vector<std::string>& args, bool recursive,
                   PathInfos* known, std::vector<std::string>* headers,
                   bool* sawFolder, std::string* err) {
  *sawFolder = false;
  std::set<FileKey> seen;
  for (const std::string& arg : args) {
    std::error_code ec;
    std::vector<std::string> named;
    if (fs::is_directory(arg, ec)) {
      *sawFolder = true;
      named = HeadersIn(arg, recursive);
      if (named.empty()) {
        *err = "the folder " + arg + " holds no *.h file";
        return false;
      }
    } else {
      named.push_back(arg);
    }
    // A header named alone needs no look at what it is the same file as.
    if (args.size() == 1 && !*sawFolder) {
      headers->push_back(arg);
      break;
    }
    for (const std::string& header : named)
      if (seen.insert(KeyOf(known->Of(header))).second)
        headers->push_back(header);
  }
  return true;
}

bool PlanRun(const CliOptions& opts, const std::string& settingsPath,
             const TextList* macros, const TextList* notReturns,
             RunPlan* plan, std::string* err) {
  std::vector<std::string> headers;
  bool sawFolder = false;
  PathInfos known;
  if (!ExpandHeaders(opts.headers, opts.recursive, &known, &headers,
                     &sawFolder, err))
    return false;
  plan->library = headers.size() > 1 || sawFolder;
  if (plan->library && (!opts.htmlPath.empty() || !opts.xmlPath.empty())) {
    *err = "--html PATH and --xml PATH name the outputs of one header; with "
           "several headers use --out DIR";
    return false;
  }
  // Only a help book takes the stylesheet in.
  const std::string stylesheetPath =
      opts.helpBookDir.empty()
          ? std::string()
          : FindProgramData("Varnel.css", RunningExecutablePath());
  for (const std::string& header : headers) {
    HeaderJob job;
    job.header = header;
    job.html = opts.html;
    job.htmlPath = HtmlOutputPath(opts, header);
    job.xml = opts.xml;
    job.xmlPath = XmlOutputPath(opts, header);
    std::error_code ec;
    if (opts.update && fs::is_regular_file(job.xmlPath, ec))
      job.merges.push_back(job.xmlPath);
    job.strict = opts.strict;
    job.showLines = opts.showLines;
    job.check = opts.check != CliOptions::Check::kNone;
    job.checkAll = opts.checkAll;
    job.options = opts.options;
    job.maxOutputBytes = opts.maxOutputBytes;
    job.helpBookDir = opts.helpBookDir;
    job.compileHelpBook = opts.compileHelpBook;
    job.stylesheetPath = stylesheetPath;
    job.macros = macros;
    job.notReturns = notReturns;
    plan->jobs.push_back(std::move(job));
  }
  if (!AssignMerges(opts, plan, err) || !AssignRenames(opts, plan, err) ||
      !CheckOutputsApart(*plan, err))
    return false;
  return PlanIndex(opts, &known, plan, err) &&
         CheckJobsPaths(plan->jobs, settingsPath, &known, err);
}

std::string RelativeLink(const std::string& folder, const std::string& path) {
  // A browser follows a relative link by its spelling, so the link is
  // made from the spellings too.
  std::error_code ec;
  const fs::path from = fs::absolute(folder.empty() ? "." : folder, ec);
  const fs::path to = fs::absolute(path, ec);
  fs::path link = to.lexically_normal().lexically_relative(
      from.lexically_normal());
  if (link.empty())
    link = fs::path(path);
  return link.generic_string();
}
