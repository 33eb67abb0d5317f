#include "html/index_page.h"

#include <cmath>
#include <cstdio>

#include "html/html_escape.h"
#include "html/html_writer.h"
#include "model/module_info.h"

namespace {

const char kTitle[] = "Modules";

// "12 of 40 (30.0%)"; the percentage cut, not rounded, like the check's.
std::string CoverageCell(int described, int total) {
  char percent[32];
  const double p = total == 0 ? 100.0 : 100.0 * described / total;
  std::snprintf(percent, sizeof percent, "%.1f", std::floor(p * 10) / 10);
  return std::to_string(described) + " of " + std::to_string(total) + " (" +
         percent + "%)";
}

std::string Cell(const std::string& text) { return "<td>" + text + "</td>"; }

std::string Row(const std::string& first, int classes, int functions,
                int variables, int described, int total) {
  return "<tr>" + Cell(first) + Cell(std::to_string(classes)) +
         Cell(std::to_string(functions)) + Cell(std::to_string(variables)) +
         Cell(CoverageCell(described, total)) + "</tr>";
}

}  // namespace

void BuildIndexPage(const std::vector<IndexEntry>& entries, bool stylesheet,
                    TextList* lines) {
  CModuleInfo options;
  options.m_bStylesheet = stylesheet;
  lines->clear();
  WriteHtmlHeadTitled(lines, options, kTitle);
  lines->push_back(stylesheet ? std::string("<h4>") + kTitle + "</h4>"
                              : std::string("<p><font size=\"4\" "
                                            "face=\"Arial\"><b>") +
                                    kTitle + "</b></font></p>");
  lines->push_back("<table border=\"1\" cellpadding=\"3\">");
  lines->push_back(
      "<tr><th>Module</th><th>Classes</th><th>Functions</th>"
      "<th>Variables</th><th>Descriptions</th></tr>");
  IndexEntry sum;
  for (const IndexEntry& e : entries) {
    lines->push_back(Row("<a href=\"" + HtmlEscaped(e.link) + "\">" +
                             HtmlEscaped(e.module) + "</a>",
                         e.classes, e.functions, e.variables, e.described,
                         e.total));
    sum.classes += e.classes;
    sum.functions += e.functions;
    sum.variables += e.variables;
    sum.described += e.described;
    sum.total += e.total;
  }
  lines->push_back(Row(std::to_string(entries.size()) +
                           (entries.size() == 1 ? " module" : " modules"),
                       sum.classes, sum.functions, sum.variables,
                       sum.described, sum.total));
  lines->push_back("</table>");
  WriteHtmlEnd(lines, options);
}
