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

void AppendEntryStartTag(LineOut* out, const char* tag,
                         const CDeclInfo& member) {
  out->Line('<', tag, " Scope=\"", ScopeName(member.m_nScope),
            "\" Binding=\"dynamic\" Target=\"#",
            MarkupEscapedPart{member.m_strAnchor}, "\">");
}

void AppendClassHead(LineOut* out, const CClassInfo& cls) {
  AppendAnchoredStartTag(out, "Class", cls.m_strAnchor);
  AppendInlineElement(out, "Header", HtmlEscapedPart{cls.m_strName});
  out->Line("<Baseclass>");
  if (!cls.m_strBase.empty())
    out->Line(HtmlEscapedPart{"Base class: "}, HtmlEscapedPart{cls.m_strBase});
  out->Line("</Baseclass>");
  AppendDescriptionBlock(
      out, OrPlaceholder(cls.m_strDescription, kClassDescPlaceholder));

  const std::string_view owner = "The class ";
  AppendStatistics(
      out, owner, cls.m_strName,
      {cls.m_nVarCount, "no variables.", "one variable.", " variables."},
      {{cls.m_nVarsPrivate, "One variable is private.",
        " variables are private."},
       {cls.m_nVarsProtected, "One variable is protected.",
        " variables are protected."},
       {cls.m_nVarsPublic, "One variable is public.",
        " variables are public."}});
  AppendStatistics(
      out, owner, cls.m_strName,
      {cls.m_nFuncCount, "no functions.", "one function.", " functions."},
      {{cls.m_nFuncsPrivate, "One function is private.",
        " functions are private."},
       {cls.m_nFuncsProtected, "One function is protected.",
        " functions are protected."},
       {cls.m_nFuncsPublic, "One function is public.",
        " functions are public."}});
}

// MemberList or MethodsList up to its entries: start tag, heading (what
// the section lists, then the class name) and the section introduction,
// which has no placeholder.
void AppendSectionHead(LineOut* out, const char* tag,
                       const std::string& anchor, std::string_view listed,
                       const CClassInfo& cls, const std::string& intro) {
  AppendAnchoredStartTag(out, tag, anchor);
  out->Line("<Header>", HtmlEscapedPart{listed},
            HtmlEscapedPart{cls.m_strName}, "</Header>");
  out->Line("<Description>");
  if (!intro.empty())
    out->Line(intro);
  out->Line("</Description>");
}

void AppendMember(LineOut* out, const CDeclInfo& member) {
  AppendEntryStartTag(out, "Member", member);
  AppendInlineElement(out, "Name", HtmlEscapedPart{member.m_strName});
  out->Line("<Description>");
  out->Line(OrPlaceholder(member.m_strShortDesc, kVarShortDescPlaceholder));
  if (!member.m_arrParams.empty())
    AppendInitializerBlock(out, member.m_arrParams);
  out->Line("</Description>");
  out->Line("</Member>");
}

bool AppendMemberList(LineOut* out, const CClassInfo& cls,
                      const CModuleInfo& module) {
  AppendSectionHead(out, "MemberList", cls.m_strVarAnchor,
                    "Data members of the class ", cls, cls.m_strVarText);
  out->Line("<Members>");
  size_t count = UsableCount(cls.m_nVars, cls.m_pVars.size());
  for (size_t i = 0; i < count; ++i) {
    if (IsListedMember(cls.m_pVars[i], module))
      AppendMember(out, cls.m_pVars[i]);
    if (!out->FlushIfLong())
      return false;
  }
  out->Line("</Members>");
  out->Line("</MemberList>");
  return true;
}

void AppendMethodShort(LineOut* out, const CDeclInfo& method) {
  AppendEntryStartTag(out, "MethodShort", method);
  AppendInlineElement(out, "Name", HtmlEscapedPart{method.m_strName});
  AppendDescriptionBlock(
      out, OrPlaceholder(method.m_strShortDesc, kFuncShortDescPlaceholder));
  out->Line("</MethodShort>");
}

// The short list follows the member options; the full entries are written
// for every method.
bool AppendMethods(LineOut* out, const CClassInfo& cls,
                   const CModuleInfo& module) {
  AppendSectionHead(out, "MethodsList", cls.m_strFuncAnchor,
                    "Methods of the class ", cls, cls.m_strFuncText);
  out->Line("<MethodsShort>");
  size_t count = UsableCount(cls.m_nFuncs, cls.m_pFuncs.size());
  for (size_t i = 0; i < count; ++i) {
    if (IsListedMember(cls.m_pFuncs[i], module))
      AppendMethodShort(out, cls.m_pFuncs[i]);
    if (!out->FlushIfLong())
      return false;
  }
  out->Line("</MethodsShort>");
  out->Line("</MethodsList>");

  out->Line("<Methods>");
  for (size_t i = 0; i < count; ++i) {
    AppendAnchoredStartTag(out, "Method", cls.m_pFuncs[i].m_strAnchor);
    AppendFunctionBody(out, cls.m_pFuncs[i]);
    out->Line("</Method>");
    if (!out->FlushIfLong())
      return false;
  }
  out->Line("</Methods>");
  return true;
}

}  // namespace

namespace xml_writer {

bool AppendClass(LineOut* out, const CClassInfo& cls,
                 const CModuleInfo& module) {
  AppendClassHead(out, cls);
  if (cls.m_nVars > 0 && !AppendMemberList(out, cls, module))
    return false;
  if (cls.m_nFuncs > 0 && !AppendMethods(out, cls, module))
    return false;
  out->Line("</Class>");
  return true;
}

}  // namespace xml_writer

void WriteXmlClass(TextList* lines, const std::string& className,
                   const CModuleInfo& module) {
  LineOut out(lines);
  if (const CClassInfo* cls = module.FindClass(className))
    AppendClass(&out, *cls, module);
}
