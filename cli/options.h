// The command line of varnel.
#ifndef VARNEL_CLI_OPTIONS_H_
#define VARNEL_CLI_OPTIONS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "model/module_info.h"

struct CliOptions {
  // Header files and folders (their *.h files), in the order given.
  std::vector<std::string> headers;
  bool recursive = false;   // folders with their subfolders
  bool update = false;      // each header merges its own earlier XML file
  std::string index;        // the library's index page; empty: the default
  int jobs = 0;             // headers at once; 0: one per processor
  bool html = false;        // write the HTML page
  std::string htmlPath;     // empty: the default path
  bool xml = false;
  std::string xmlPath;
  std::string outDir;       // folder of default output paths
  std::string helpBookDir;  // write a help book there
  uint64_t maxOutputBytes = uint64_t(2) << 30;  // larger outputs are refused
  bool compileHelpBook = true;
  std::vector<std::string> merges;
  std::vector<std::string> renames;  // OLD=NEW, applied to merged keys
  bool strict = false;      // descriptions without a place make exit 1
  // The documentation check: none, a report of lines, or one JSON object.
  enum class Check { kNone, kText, kJson };
  Check check = Check::kNone;
  bool checkAll = false;    // count declarations that only name a type
  double minCoverage = -1;  // 0..100; below 0: every description needed
  std::string iniPath;      // empty: the default settings file, if present
  bool showLines = false;   // print the lines left after parsing
  bool help = false;
  bool version = false;
  // The eight option fields, as a new document has them.
  CModuleInfo::Options options = CModuleInfo().GetOptions();
};

// Fills `opts` from the arguments (without the program name). On a usage
// error returns false with the message in `err`.
bool ParseCliOptions(const std::vector<std::string>& args, CliOptions* opts,
                     std::string* err);

// The output paths of `header`: the given ones, or the header's stem with
// ".htm" / ".xml" in the output folder (the header's folder unless --out
// names another).
std::string HtmlOutputPath(const CliOptions& opts, const std::string& header);
std::string XmlOutputPath(const CliOptions& opts, const std::string& header);

// The name of the library's index page when none is given.
extern const char kDefaultIndexName[];

extern const char kUsage[];
extern const char kVersion[];

#endif  // VARNEL_CLI_OPTIONS_H_
