#include "html/html_escape.h"
#include "xml/xml_writer.h"
#include "xml/xml_writer_internal.h"

using namespace xml_writer;

namespace {

// Anchors the naming made are letters, digits and underscores; one kept
// from a read file may be anything and must not break the markup.
void AppendEntryStartTag(LineOut* out, const char* tag,
                         const char* localBinding, const CDeclInfo& global) {
  const bool local = global.m_nScope == SCOPE_LOCAL;
  out->Line('<', tag, " Scope=\"", local ? "local" : "global",
            "\" Binding=\"", local ? localBinding : "extern",
            "\" Target=\"#", MarkupEscapedPart{global.m_strAnchor}, "\">");
}

// The name as declared, without the statement's closing semicolons.
std::string_view VariableName(std::string_view declared) {
  size_t end = declared.find_last_not_of(';');
  return declared.substr(0, end == std::string_view::npos ? 0 : end + 1);
}

void AppendVariable(LineOut* out, const CDeclInfo& var) {
  AppendEntryStartTag(out, "Variable", "local", var);
  AppendInlineElement(out, "Name",
                      HtmlEscapedPart{VariableName(var.m_strName)});
  out->Line("<Description>");
  out->Line(OrPlaceholder(var.m_strShortDesc, kVarShortDescPlaceholder));
  if (!var.m_arrParams.empty())
    AppendInitializerBlock(out, var.m_arrParams);
  out->Line("</Description>");
  out->Line("</Variable>");
}

void AppendFunctionShort(LineOut* out, const CDeclInfo& func) {
  AppendEntryStartTag(out, "FunctionShort", "static", func);
  AppendInlineElement(out, "Name", HtmlEscapedPart{func.m_strName});
  AppendDescriptionBlock(
      out, OrPlaceholder(func.m_strShortDesc, kFuncShortDescPlaceholder));
  out->Line("</FunctionShort>");
}

void AppendModuleFunction(LineOut* out, const CDeclInfo& func) {
  AppendAnchoredStartTag(out, "ModuleFunction", func.m_strAnchor);
  AppendFunctionBody(out, func);
  out->Line("</ModuleFunction>");
}

// The list start tag, its heading and its one-line introduction.
void AppendListHead(LineOut* out, const char* tag, const std::string& anchor,
                    const char* heading, const std::string& intro,
                    const char* placeholder) {
  AppendAnchoredStartTag(out, tag, anchor);
  AppendInlineElement(out, "Header", std::string_view(heading));
  AppendInlineElement(out, "Description", OrPlaceholder(intro, placeholder));
}

}  // namespace

namespace xml_writer {

bool AppendGlobalVars(LineOut* out, const CModuleInfo& module) {
  if (module.m_nVars < 1)
    return true;
  AppendListHead(out, "Module.VariableList", module.m_strVarAnchor,
                 "Global variables:", module.m_strVarText, kVarListPlaceholder);
  out->Line("<Variables>");
  size_t count = UsableCount(module.m_nVars, module.m_pVars.size());
  for (size_t i = 0; i < count; ++i) {
    if (IsListedGlobal(module.m_pVars[i], module))
      AppendVariable(out, module.m_pVars[i]);
    if (!out->FlushIfLong())
      return false;
  }
  out->Line("</Variables>");
  out->Line("</Module.VariableList>");
  return true;
}

bool AppendGlobalFuncs(LineOut* out, const CModuleInfo& module) {
  if (module.m_nFuncs < 1)
    return true;
  AppendListHead(out, "Module.FunctionList", module.m_strFuncAnchor,
                 "Global functions:", module.m_strFuncText,
                 kFuncListPlaceholder);
  out->Line("<FunctionsShort>");
  size_t count = UsableCount(module.m_nFuncs, module.m_pFuncs.size());
  for (size_t i = 0; i < count; ++i) {
    if (IsListedGlobal(module.m_pFuncs[i], module))
      AppendFunctionShort(out, module.m_pFuncs[i]);
    if (!out->FlushIfLong())
      return false;
  }
  out->Line("</FunctionsShort>");
  out->Line("</Module.FunctionList>");

  out->Line("<Module.Functions>");
  for (size_t i = 0; i < count; ++i) {
    if (IsListedGlobal(module.m_pFuncs[i], module))
      AppendModuleFunction(out, module.m_pFuncs[i]);
    if (!out->FlushIfLong())
      return false;
  }
  out->Line("</Module.Functions>");
  return true;
}

}  // namespace xml_writer

void WriteXmlGlobalVars(TextList* lines, const CModuleInfo& module) {
  LineOut out(lines);
  AppendGlobalVars(&out, module);
}

void WriteXmlGlobalFuncs(TextList* lines, const CModuleInfo& module) {
  LineOut out(lines);
  AppendGlobalFuncs(&out, module);
}
