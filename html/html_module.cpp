// The module section: heading, description, statistics, include lists and
// the list of class definitions.
#include "html/html_escape.h"
#include "html/html_lines.h"
#include "html/html_sections.h"
#include "html/html_writer.h"

namespace {

void WriteModuleHeading(TextList* lines, const CModuleInfo& module) {
  std::string name = HtmlEscaped(module.m_strName);
  if (module.m_bStylesheet)
    lines->push_back("<h3>" + name + "</h3>");
  else
    lines->push_back("<p><font size=\"4\" face=\"Arial\"><b>" + name +
                     "</b></font></p>");
}

// "The module NAME contains ..." with its escaped counted text.
std::string ContainsLine(const CModuleInfo& module, const std::string& what) {
  return HtmlEscaped("The module " + module.m_strName + " contains " + what);
}

void WriteVariableStatistics(TextList* lines, const CModuleInfo& module) {
  lines->push_back("<p>");
  lines->push_back(
      ContainsLine(module,
                   CountedText(module.m_nVarCount, "no global variables.",
                               "one global variable.", " global variables.")) +
      "<br>");
  WriteCountLine(lines, module.m_nVarsLocal, "One variable has local binding.",
                 " variables have local binding.");
  WriteCountLine(lines, module.m_nVarsExtern,
                 "One variable has external binding.",
                 " variables have external binding.");
  lines->push_back("</p>");
}

void WriteFunctionStatistics(TextList* lines, const CModuleInfo& module) {
  lines->push_back("<p>");
  lines->push_back(
      ContainsLine(module,
                   CountedText(module.m_nFuncCount, "no global functions.",
                               "one global function.", " global functions.")) +
      "<br>");
  WriteCountLine(lines, module.m_nFuncsLocal, "One function has local binding.",
                 " functions have local binding.");
  WriteCountLine(lines, module.m_nFuncsExtern,
                 "One function has external binding.",
                 " functions have external binding.");
  lines->push_back("</p>");
}

void WriteClassStatistics(TextList* lines, const CModuleInfo& module) {
  lines->push_back("<p>");
  lines->push_back(ContainsLine(
      module, CountedText(module.m_nClasses, "no class definition.",
                          "one class definition.", " class definitions.")));
  lines->push_back("</p>");
}

// One paragraph listing included files; `none` stands in for an empty list.
void WriteIncludeList(TextList* lines, const std::string& heading,
                      const TextList& includes, const char* none) {
  lines->push_back("<p>");
  lines->push_back(HtmlEscaped(heading) + "<br>");
  if (includes.empty())
    lines->push_back(none);
  for (size_t i = 0; i < includes.size(); ++i) {
    std::string line = "&nbsp;&bull;&nbsp;" + HtmlEscaped(includes[i]);
    if (i + 1 < includes.size())
      line += "<br>";
    lines->push_back(line);
  }
  lines->push_back("</p>");
}

void WriteClassDefinitions(TextList* lines, const CModuleInfo& module) {
  std::span<const CClassInfo> classes =
      Records(module.m_pClasses, module.m_nClasses);
  if (classes.empty())
    return;
  lines->push_back("<p>");
  lines->push_back("Class definitions:<br>");
  for (size_t i = 0; i < classes.size(); ++i) {
    std::string text = classes[i].m_strName;
    if (!classes[i].m_strBase.empty())
      text += " - base class: " + classes[i].m_strBase;
    std::string line = HtmlEscaped(text);
    if (i + 1 < classes.size())
      line += "<br>";
    lines->push_back(line);
  }
  lines->push_back("</p>");
}

}  // namespace

void WriteHtmlModuleSection(TextList* lines, const CModuleInfo& module,
                            const TextList& navBar) {
  WriteKeywordObject(lines, module,
                     {TextOr(module.m_strFile, "Module unknown"),
                      TextOr(module.m_strName, "HTML title unknown")});
  lines->push_back(HtmlAnchorLine(module.m_strAnchor));
  WriteModuleHeading(lines, module);
  lines->push_back("<p>");
  lines->push_back(TextOr(module.m_strDescription,
                          "Here should be a description of the module"));
  lines->push_back("</p>");
  WriteVariableStatistics(lines, module);
  WriteFunctionStatistics(lines, module);
  WriteClassStatistics(lines, module);
  WriteIncludeList(lines, "Included files by " + module.m_strName + ".h:",
                   module.m_arrHIncludes, " - none -");
  WriteIncludeList(lines, "Included files by " + module.m_strName + ".cpp:",
                   module.m_arrCppIncludes, " - unknown -");
  WriteClassDefinitions(lines, module);
  AppendLines(lines, navBar);
}
