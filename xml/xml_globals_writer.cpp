#include "html/html_escape.h"
#include "xml/xml_writer.h"
#include "xml/xml_writer_internal.h"

using namespace xml_writer;

namespace {

std::string EntryStartTag(const char* tag, const char* localBinding,
                          const CDeclInfo& global) {
  std::string line = "<";
  line += tag;
  if (global.m_nScope == SCOPE_LOCAL)
    line.append(" Scope=\"local\" Binding=\"").append(localBinding);
  else
    line += " Scope=\"global\" Binding=\"extern";
  // Anchors the naming made are letters, digits and underscores; one kept
  // from a read file may be anything and must not break the markup.
  line.append("\" Target=\"#").append(MarkupEscaped(global.m_strAnchor));
  line.append("\">");
  return line;
}

// The name as declared, without the statement's closing semicolons.
std::string VariableName(const std::string& declared) {
  size_t end = declared.find_last_not_of(';');
  return declared.substr(0, end == std::string::npos ? 0 : end + 1);
}

void AppendVariable(TextList* lines, const CDeclInfo& var) {
  lines->push_back(EntryStartTag("Variable", "local", var));
  lines->push_back(
      InlineElement("Name", HtmlEscaped(VariableName(var.m_strName))));
  lines->push_back("<Description>");
  lines->push_back(
      std::string(OrPlaceholder(var.m_strShortDesc, kVarShortDescPlaceholder)));
  if (!var.m_arrParams.empty())
    AppendInitializerBlock(lines, var.m_arrParams);
  lines->push_back("</Description>");
  lines->push_back("</Variable>");
}

void AppendFunctionShort(TextList* lines, const CDeclInfo& func) {
  lines->push_back(EntryStartTag("FunctionShort", "static", func));
  lines->push_back(InlineElement("Name", HtmlEscaped(func.m_strName)));
  AppendDescriptionBlock(
      lines, OrPlaceholder(func.m_strShortDesc, kFuncShortDescPlaceholder));
  lines->push_back("</FunctionShort>");
}

void AppendModuleFunction(TextList* lines, const CDeclInfo& func) {
  lines->push_back(AnchoredStartTag("ModuleFunction", func.m_strAnchor));
  AppendFunctionBody(lines, func);
  lines->push_back("</ModuleFunction>");
}

// The list start tag, its heading and its one-line introduction.
void AppendListHead(TextList* lines, const char* tag, const std::string& anchor,
                    const char* heading, const std::string& intro,
                    const char* placeholder) {
  lines->push_back(AnchoredStartTag(tag, anchor));
  lines->push_back(InlineElement("Header", heading));
  lines->push_back(
      InlineElement("Description", OrPlaceholder(intro, placeholder)));
}

}  // namespace

namespace xml_writer {

bool AppendGlobalVars(TextList* lines, const CModuleInfo& module,
                      const LineSink* flush) {
  if (module.m_nVars < 1)
    return true;
  AppendListHead(lines, "Module.VariableList", module.m_strVarAnchor,
                 "Global variables:", module.m_strVarText, kVarListPlaceholder);
  lines->push_back("<Variables>");
  size_t count = UsableCount(module.m_nVars, module.m_pVars.size());
  for (size_t i = 0; i < count; ++i) {
    if (IsListedGlobal(module.m_pVars[i], module))
      AppendVariable(lines, module.m_pVars[i]);
    if (!FlushIfLong(lines, flush))
      return false;
  }
  lines->push_back("</Variables>");
  lines->push_back("</Module.VariableList>");
  return true;
}

bool AppendGlobalFuncs(TextList* lines, const CModuleInfo& module,
                       const LineSink* flush) {
  if (module.m_nFuncs < 1)
    return true;
  AppendListHead(lines, "Module.FunctionList", module.m_strFuncAnchor,
                 "Global functions:", module.m_strFuncText,
                 kFuncListPlaceholder);
  lines->push_back("<FunctionsShort>");
  size_t count = UsableCount(module.m_nFuncs, module.m_pFuncs.size());
  for (size_t i = 0; i < count; ++i) {
    if (IsListedGlobal(module.m_pFuncs[i], module))
      AppendFunctionShort(lines, module.m_pFuncs[i]);
    if (!FlushIfLong(lines, flush))
      return false;
  }
  lines->push_back("</FunctionsShort>");
  lines->push_back("</Module.FunctionList>");

  lines->push_back("<Module.Functions>");
  for (size_t i = 0; i < count; ++i) {
    if (IsListedGlobal(module.m_pFuncs[i], module))
      AppendModuleFunction(lines, module.m_pFuncs[i]);
    if (!FlushIfLong(lines, flush))
      return false;
  }
  lines->push_back("</Module.Functions>");
  return true;
}

}  // namespace xml_writer

void WriteXmlGlobalVars(TextList* lines, const CModuleInfo& module) {
  AppendGlobalVars(lines, module, nullptr);
}

void WriteXmlGlobalFuncs(TextList* lines, const CModuleInfo& module) {
  AppendGlobalFuncs(lines, module, nullptr);
}
