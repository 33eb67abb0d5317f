// The sections of the global variables and the global functions.
#include "html/html_escape.h"
#include "html/html_lines.h"
#include "html/html_sections.h"

namespace {

// Globals with local binding are hidden when only external ones are asked
// for; the section frame stays even if that hides every entry.
bool IsShown(const CDeclInfo& global, const CModuleInfo& module) {
  return global.m_nScope != SCOPE_LOCAL || module.m_bShowLocal;
}

void WriteSectionHeading(TextList* lines, const CModuleInfo& module,
                         const char* heading) {
  std::string text = HtmlEscaped(heading);
  if (module.m_bStylesheet) {
    lines->push_back("<h5>" + text + "</h5>");
    lines->push_back("<p>");
  } else {
    lines->push_back("<p>");
    lines->push_back(text + "<br>");
  }
}

bool WriteFunctionList(TextList* lines, const CModuleInfo& module,
                       std::span<const CDeclInfo> funcs,
                       const TextList& navBar, const LineSink* flush) {
  WriteSplitFileObject(lines, module, module.m_strFuncFile,
                       module.m_strFuncTitle);
  WriteKeywordObject(lines, module, {module.m_strName + ": Global functions"});
  lines->push_back(HtmlAnchorLine(module.m_strFuncAnchor));
  WriteSectionHeading(lines, module, "Global functions:");
  lines->push_back(
      TextOr(module.m_strFuncText, "This is the list of global functions."));
  lines->push_back("</p>");
  lines->push_back("<dl>");
  for (const CDeclInfo& func : funcs) {
    if (!IsShown(func, module))
      continue;
    WriteFunctionEntry(lines, module, func);
    if (!FlushIfLong(lines, flush))
      return false;
  }
  lines->push_back("</dl>");
  AppendLines(lines, navBar);
  return true;
}

void WriteFunctionBlock(TextList* lines, const CModuleInfo& module,
                        const CDeclInfo& func, const TextList& navBar) {
  lines->push_back("<p>");
  WriteSplitFileObject(lines, module, func.m_strFile, func.m_strTitle);
  WriteKeywordObject(lines, module,
                     {func.m_strName, module.m_strName + ":" + func.m_strName});
  lines->push_back(HtmlAnchorLine(func.m_strAnchor));
  WriteBoldDeclarations(lines, func);
  lines->push_back("</p>");
  WriteFunctionDetails(lines, func);
  AppendLines(lines, navBar);
}

}  // namespace

bool WriteHtmlGlobalVarsSection(TextList* lines, const CModuleInfo& module,
                                const TextList& navBar,
                                const LineSink* flush) {
  if (module.m_nVars <= 0)
    return true;
  WriteSplitFileObject(lines, module, module.m_strVarFile,
                       module.m_strVarTitle);
  WriteKeywordObject(lines, module, {module.m_strName + ": Global variables"});
  lines->push_back(HtmlAnchorLine(module.m_strVarAnchor));
  WriteSectionHeading(lines, module, "Global variables:");
  lines->push_back(TextOr(
      module.m_strVarText,
      "This is the list of variables, that are not assigned to any class."));
  lines->push_back("</p>");
  lines->push_back("<dl>");
  for (const CDeclInfo& var : Records(module.m_pVars, module.m_nVars)) {
    if (!IsShown(var, module))
      continue;
    WriteVariableEntry(lines, var);
    if (!FlushIfLong(lines, flush))
      return false;
  }
  lines->push_back("</dl>");
  AppendLines(lines, navBar);
  return true;
}

bool WriteHtmlGlobalFuncsSection(TextList* lines, const CModuleInfo& module,
                                 const TextList& navBar,
                                 const LineSink* flush) {
  if (module.m_nFuncs <= 0)
    return true;
  std::span<const CDeclInfo> funcs = Records(module.m_pFuncs, module.m_nFuncs);
  if (!WriteFunctionList(lines, module, funcs, navBar, flush) ||
      (flush && !(*flush)(lines)))
    return false;
  for (const CDeclInfo& func : funcs) {
    if (!IsShown(func, module))
      continue;
    WriteFunctionBlock(lines, module, func, navBar);
    if (flush && !(*flush)(lines))
      return false;
  }
  return true;
}
