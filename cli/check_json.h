// The report of --check=json: one JSON object for dashboards.
#ifndef VARNEL_CLI_CHECK_JSON_H_
#define VARNEL_CLI_CHECK_JSON_H_

#include <ostream>
#include <string>
#include <vector>

#include "xml/check_report.h"
#include "xml/coverage.h"

// A JSON string; bytes above 127 are ISO-8859-1 characters and go out as
// \u00XX, so the report is ASCII whatever the header holds.
std::string JsonString(const std::string& text);

// {"header": ..., "described": n, "total": n, "percent": p, "kinds": {...},
//  "missing": [...], "orphaned": [...]}
std::string CheckJson(const std::string& header, const Coverage& coverage,
                      const std::vector<CheckFinding>& missing,
                      const std::vector<CheckFinding>& orphaned);

// The report of several headers: the totals, then each header's object as
// CheckJson gives it.
std::string CheckTotalsJson(const Coverage& total,
                            const std::vector<std::string>& headers);

#endif  // VARNEL_CLI_CHECK_JSON_H_
