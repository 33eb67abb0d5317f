// The module section: heading, description, statistics, include lists and
// the list of class definitions.
#include "html/html_escape.h"
#include "html/html_lines.h"
#include "html/html_sections.h"
#include "html/html_writer.h"

namespace {

void WriteModuleHeading(LineOut* out, const CModuleInfo& module) {
  const HtmlEscapedPart name{module.m_strName};
  if (module.m_bStylesheet)
    out->Line("<h3>", name, "</h3>");
  else
    out->Line("<p><font size=\"4\" face=\"Arial\"><b>", name,
              "</b></font></p>");
}

// "The module NAME contains ..." escaped, followed by `end`.
void WriteContainsLine(LineOut* out, const CModuleInfo& module,
                       const CountedPart& what, std::string_view end) {
  out->Line(HtmlEscapedPart{"The module "}, HtmlEscapedPart{module.m_strName},
            HtmlEscapedPart{" contains "}, what, end);
}

void WriteVariableStatistics(LineOut* out, const CModuleInfo& module) {
  out->Line("<p>");
  WriteContainsLine(out, module,
                    {module.m_nVarCount, "no global variables.",
                     "one global variable.", " global variables."},
                    "<br>");
  WriteCountLine(out, module.m_nVarsLocal, "One variable has local binding.",
                 " variables have local binding.");
  WriteCountLine(out, module.m_nVarsExtern,
                 "One variable has external binding.",
                 " variables have external binding.");
  out->Line("</p>");
}

void WriteFunctionStatistics(LineOut* out, const CModuleInfo& module) {
  out->Line("<p>");
  WriteContainsLine(out, module,
                    {module.m_nFuncCount, "no global functions.",
                     "one global function.", " global functions."},
                    "<br>");
  WriteCountLine(out, module.m_nFuncsLocal, "One function has local binding.",
                 " functions have local binding.");
  WriteCountLine(out, module.m_nFuncsExtern,
                 "One function has external binding.",
                 " functions have external binding.");
  out->Line("</p>");
}

void WriteClassStatistics(LineOut* out, const CModuleInfo& module) {
  out->Line("<p>");
  WriteContainsLine(out, module,
                    {module.m_nClasses, "no class definition.",
                     "one class definition.", " class definitions."},
                    "");
  out->Line("</p>");
}

// One paragraph listing the files included by the module's file with the
// extension `extension`; `none` stands in for an empty list.
void WriteIncludeList(LineOut* out, const CModuleInfo& module,
                      std::string_view extension, const TextList& includes,
                      std::string_view none) {
  out->Line("<p>");
  out->Line(HtmlEscapedPart{"Included files by "},
            HtmlEscapedPart{module.m_strName}, HtmlEscapedPart{extension},
            HtmlEscapedPart{":"}, "<br>");
  if (includes.empty())
    out->Line(none);
  for (size_t i = 0; i < includes.size(); ++i)
    out->Line("&nbsp;&bull;&nbsp;", HtmlEscapedPart{includes[i]},
              BreakUnlessLast(i, includes.size()));
  out->Line("</p>");
}

void WriteClassDefinitions(LineOut* out, const CModuleInfo& module) {
  std::span<const CClassInfo> classes =
      Records(module.m_pClasses, module.m_nClasses);
  if (classes.empty())
    return;
  out->Line("<p>");
  out->Line("Class definitions:<br>");
  for (size_t i = 0; i < classes.size(); ++i) {
    const std::string& base = classes[i].m_strBase;
    out->Line(HtmlEscapedPart{classes[i].m_strName},
              HtmlEscapedPart{base.empty() ? "" : " - base class: "},
              HtmlEscapedPart{base}, BreakUnlessLast(i, classes.size()));
  }
  out->Line("</p>");
}

}  // namespace

void WriteHtmlModuleSection(LineOut* out, const CModuleInfo& module,
                            const TextList& navBar) {
  WriteKeywordObject(out, module,
                     {{TextOr(module.m_strFile, "Module unknown")},
                      {TextOr(module.m_strName, "HTML title unknown")}});
  out->Line(HtmlAnchorPart{module.m_strAnchor});
  WriteModuleHeading(out, module);
  out->Line("<p>");
  out->Line(TextOr(module.m_strDescription,
                   "Here should be a description of the module"));
  out->Line("</p>");
  WriteVariableStatistics(out, module);
  WriteFunctionStatistics(out, module);
  WriteClassStatistics(out, module);
  WriteIncludeList(out, module, ".h", module.m_arrHIncludes, " - none -");
  WriteIncludeList(out, module, ".cpp", module.m_arrCppIncludes,
                   " - unknown -");
  WriteClassDefinitions(out, module);
  out->Lines(navBar);
}

