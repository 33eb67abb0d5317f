// The findings of a documentation check, as lines that editors and build
// logs understand: "FILE:LINE: warning: TEXT".
#ifndef VARNEL_XML_CHECK_REPORT_H_
#define VARNEL_XML_CHECK_REPORT_H_

#include <string>
#include <vector>

#include "parser/declaration_lines.h"
#include "xml/coverage.h"
#include "xml/merge_report.h"

struct CheckFinding {
  std::string file;
  int line = 0;  // 0: the file as a whole
  std::string kind;  // of the entry: "method", "global variable", ...
  std::string name;  // qualified: "CFoo::Bar"
  std::string what;  // "short description", "description of parameter 'int x'"
  std::string text;  // the whole message after "warning: "
};

// One finding per missing description, at the header line of its entry.
std::vector<CheckFinding> MissingFindings(const Coverage& coverage,
                                          const DeclarationLines& lines,
                                          const std::string& headerPath);

// One finding per description that lost its place: its entry or item is
// gone, or it was not taken over another; at the file it came from.
// `keptIn` names the side file that keeps them, if any.
std::vector<CheckFinding> OrphanFindings(const MergeReport& report,
                                         const std::string& keptIn);

// "FILE:LINE: warning: TEXT", or "FILE: warning: TEXT" without a line.
std::string FindingLine(const CheckFinding& finding);

// "112 of 140 descriptions"
std::string CoverageCountText(const Coverage& coverage);
// "coverage: 112 of 140 descriptions (80.0%): module 1 of 3, ..."
std::string CoverageSummary(const Coverage& coverage);

#endif  // VARNEL_XML_CHECK_REPORT_H_
