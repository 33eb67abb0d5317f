#include "html/html_escape.h"
#include "xml/xml_writer.h"
#include "xml/xml_writer_internal.h"

using namespace xml_writer;

namespace {

const char* ScopeName(int scope) {
  if (scope == SCOPE_PROTECTED)
    return "protected";
  if (scope == SCOPE_PRIVATE)
    return "private";
  return "public";
}

std::string EntryStartTag(const char* tag, const CDeclInfo& member) {
  std::string line = "<";
  line.append(tag).append(" Scope=\"").append(ScopeName(member.m_nScope));
  line.append("\" Binding=\"dynamic\" Target=\"#");
  line.append(MarkupEscaped(member.m_strAnchor)).append("\">");
  return line;
}

void AppendClassHead(TextList* lines, const CClassInfo& cls) {
  lines->push_back(AnchoredStartTag("Class", cls.m_strAnchor));
  lines->push_back(InlineElement("Header", HtmlEscaped(cls.m_strName)));
  lines->push_back("<Baseclass>");
  if (!cls.m_strBase.empty())
    lines->push_back(HtmlEscaped("Base class: " + cls.m_strBase));
  lines->push_back("</Baseclass>");
  AppendDescriptionBlock(
      lines, OrPlaceholder(cls.m_strDescription, kClassDescPlaceholder));

  const std::string subject = "The class " + cls.m_strName + " contains ";
  AppendStatistics(
      lines, subject,
      {cls.m_nVarCount, "no variables.", "one variable.", " variables."},
      {{cls.m_nVarsPrivate, "One variable is private.",
        " variables are private."},
       {cls.m_nVarsProtected, "One variable is protected.",
        " variables are protected."},
       {cls.m_nVarsPublic, "One variable is public.",
        " variables are public."}});
  AppendStatistics(
      lines, subject,
      {cls.m_nFuncCount, "no functions.", "one function.", " functions."},
      {{cls.m_nFuncsPrivate, "One function is private.",
        " functions are private."},
       {cls.m_nFuncsProtected, "One function is protected.",
        " functions are protected."},
       {cls.m_nFuncsPublic, "One function is public.",
        " functions are public."}});
}

// MemberList or MethodsList up to its entries: start tag, heading and the
// section introduction, which has no placeholder.
void AppendSectionHead(TextList* lines, const char* tag,
                       const std::string& anchor, const std::string& heading,
                       const std::string& intro) {
  lines->push_back(AnchoredStartTag(tag, anchor));
  lines->push_back(InlineElement("Header", HtmlEscaped(heading)));
  lines->push_back("<Description>");
  if (!intro.empty())
    lines->push_back(intro);
  lines->push_back("</Description>");
}

void AppendMember(TextList* lines, const CDeclInfo& member) {
  lines->push_back(EntryStartTag("Member", member));
  lines->push_back(InlineElement("Name", HtmlEscaped(member.m_strName)));
  lines->push_back("<Description>");
  lines->push_back(std::string(
      OrPlaceholder(member.m_strShortDesc, kVarShortDescPlaceholder)));
  if (!member.m_arrParams.empty())
    AppendInitializerBlock(lines, member.m_arrParams);
  lines->push_back("</Description>");
  lines->push_back("</Member>");
}

bool AppendMemberList(TextList* lines, const CClassInfo& cls,
                      const CModuleInfo& module, const LineSink* flush) {
  AppendSectionHead(lines, "MemberList", cls.m_strVarAnchor,
                    "Data members of the class " + cls.m_strName,
                    cls.m_strVarText);
  lines->push_back("<Members>");
  size_t count = UsableCount(cls.m_nVars, cls.m_pVars.size());
  for (size_t i = 0; i < count; ++i) {
    if (IsListedMember(cls.m_pVars[i], module))
      AppendMember(lines, cls.m_pVars[i]);
    if (!FlushIfLong(lines, flush))
      return false;
  }
  lines->push_back("</Members>");
  lines->push_back("</MemberList>");
  return true;
}

void AppendMethodShort(TextList* lines, const CDeclInfo& method) {
  lines->push_back(EntryStartTag("MethodShort", method));
  lines->push_back(InlineElement("Name", HtmlEscaped(method.m_strName)));
  AppendDescriptionBlock(
      lines, OrPlaceholder(method.m_strShortDesc, kFuncShortDescPlaceholder));
  lines->push_back("</MethodShort>");
}

// The short list follows the member options; the full entries are written
// for every method.
bool AppendMethods(TextList* lines, const CClassInfo& cls,
                   const CModuleInfo& module, const LineSink* flush) {
  AppendSectionHead(lines, "MethodsList", cls.m_strFuncAnchor,
                    "Methods of the class " + cls.m_strName, cls.m_strFuncText);
  lines->push_back("<MethodsShort>");
  size_t count = UsableCount(cls.m_nFuncs, cls.m_pFuncs.size());
  for (size_t i = 0; i < count; ++i) {
    if (IsListedMember(cls.m_pFuncs[i], module))
      AppendMethodShort(lines, cls.m_pFuncs[i]);
    if (!FlushIfLong(lines, flush))
      return false;
  }
  lines->push_back("</MethodsShort>");
  lines->push_back("</MethodsList>");

  lines->push_back("<Methods>");
  for (size_t i = 0; i < count; ++i) {
    lines->push_back(AnchoredStartTag("Method", cls.m_pFuncs[i].m_strAnchor));
    AppendFunctionBody(lines, cls.m_pFuncs[i]);
    lines->push_back("</Method>");
    if (!FlushIfLong(lines, flush))
      return false;
  }
  lines->push_back("</Methods>");
  return true;
}

}  // namespace

namespace xml_writer {

bool AppendClass(TextList* lines, const CClassInfo& cls,
                 const CModuleInfo& module, const LineSink* flush) {
  AppendClassHead(lines, cls);
  if (cls.m_nVars > 0 && !AppendMemberList(lines, cls, module, flush))
    return false;
  if (cls.m_nFuncs > 0 && !AppendMethods(lines, cls, module, flush))
    return false;
  lines->push_back("</Class>");
  return true;
}

}  // namespace xml_writer

void WriteXmlClass(TextList* lines, const std::string& className,
                   const CModuleInfo& module) {
  if (const CClassInfo* cls = module.FindClass(className))
    AppendClass(lines, *cls, module);
}
