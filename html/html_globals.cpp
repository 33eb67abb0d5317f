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

void WriteSectionHeading(LineOut* out, const CModuleInfo& module,
                         std::string_view heading) {
  const HtmlEscapedPart text{heading};
  if (module.m_bStylesheet) {
    out->Line("<h5>", text, "</h5>");
    out->Line("<p>");
  } else {
    out->Line("<p>");
    out->Line(text, "<br>");
  }
}

bool WriteFunctionList(LineOut* out, const CModuleInfo& module,
                       std::span<const CDeclInfo> funcs,
                       const TextList& navBar) {
  WriteSplitFileObject(out, module, module.m_strFuncFile,
                       module.m_strFuncTitle);
  WriteKeywordObject(out, module, {{module.m_strName, ": Global functions"}});
  out->Line(HtmlAnchorPart{module.m_strFuncAnchor});
  WriteSectionHeading(out, module, "Global functions:");
  out->Line(
      TextOr(module.m_strFuncText, "This is the list of global functions."));
  out->Line("</p>");
  out->Line("<dl>");
  for (const CDeclInfo& func : funcs) {
    if (!IsShown(func, module))
      continue;
    WriteFunctionEntry(out, module, nullptr, func);
    if (!out->FlushIfLong())
      return false;
  }
  out->Line("</dl>");
  out->Lines(navBar);
  return true;
}

void WriteFunctionBlock(LineOut* out, const CModuleInfo& module,
                        const CDeclInfo& func, const TextList& navBar) {
  out->Line("<p>");
  WriteFunctionPageObject(out, module, nullptr, func);
  WriteKeywordObject(
      out, module,
      {{func.m_strName}, {module.m_strName, ":", func.m_strName}});
  out->Line(HtmlAnchorPart{func.m_strAnchor});
  WriteBoldDeclarations(out, func);
  out->Line("</p>");
  WriteFunctionDetails(out, func);
  out->Lines(navBar);
}

}  // namespace

bool WriteHtmlGlobalVarsSection(LineOut* out, const CModuleInfo& module,
                                const TextList& navBar) {
  if (module.m_nVars <= 0)
    return true;
  WriteSplitFileObject(out, module, module.m_strVarFile,
                       module.m_strVarTitle);
  WriteKeywordObject(out, module, {{module.m_strName, ": Global variables"}});
  out->Line(HtmlAnchorPart{module.m_strVarAnchor});
  WriteSectionHeading(out, module, "Global variables:");
  out->Line(TextOr(
      module.m_strVarText,
      "This is the list of variables, that are not assigned to any class."));
  out->Line("</p>");
  out->Line("<dl>");
  for (const CDeclInfo& var : Records(module.m_pVars, module.m_nVars)) {
    if (!IsShown(var, module))
      continue;
    WriteVariableEntry(out, var);
    if (!out->FlushIfLong())
      return false;
  }
  out->Line("</dl>");
  out->Lines(navBar);
  return true;
}

bool WriteHtmlGlobalFuncsSection(LineOut* out, const CModuleInfo& module,
                                 const TextList& navBar) {
  if (module.m_nFuncs <= 0)
    return true;
  std::span<const CDeclInfo> funcs = Records(module.m_pFuncs, module.m_nFuncs);
  if (!WriteFunctionList(out, module, funcs, navBar) || !out->Flush())
    return false;
  for (const CDeclInfo& func : funcs) {
    if (!IsShown(func, module))
      continue;
    WriteFunctionBlock(out, module, func, navBar);
    if (!out->Flush())
      return false;
  }
  return true;
}

