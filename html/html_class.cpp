// The blocks of one class: overview, data members, method list and one
// detail block per method, each closed by the class and module bars.
#include "html/html_escape.h"
#include "html/html_lines.h"
#include "html/html_sections.h"

namespace {

// The member lists hide what the member filter excludes; protected members
// also show when private ones are asked for.
bool IsShown(const CDeclInfo& member, const CModuleInfo& module) {
  if (member.m_nScope == SCOPE_PRIVATE)
    return module.m_bShowPrivate;
  if (member.m_nScope == SCOPE_PROTECTED)
    return module.m_bShowProtected || module.m_bShowPrivate;
  return true;
}

// The class navigation bar: five lines, an empty one standing for a block
// the class does not have.
TextList ClassNavBarLines(const CClassInfo& cls, const CModuleInfo& module) {
  TextList bar;
  LineOut out(&bar);
  out.Line("<p><font size=\"1\" face=\"Arial\">");
  out.Line(HtmlLinkPart{module, cls.m_strFile, cls.m_strAnchor,
                        "Class Overview"});
  if (cls.m_nVars > 0)
    out.Line(HtmlLinkPart{module, cls.m_strVarFile, cls.m_strVarAnchor,
                          "Data members"});
  else
    out.Line("");
  if (cls.m_nFuncs > 0)
    out.Line(HtmlLinkPart{module, cls.m_strFuncFile, cls.m_strFuncAnchor,
                          "Methods"});
  else
    out.Line("");
  out.Line("</font></p>");
  return bar;
}

// Everything one class writes shares these.
struct ClassContext {
  const CClassInfo& cls;
  const CModuleInfo& module;
  TextList classBar;
  const TextList& moduleBar;
};

void WriteBars(LineOut* out, const ClassContext& ctx) {
  out->Lines(ctx.classBar);
  out->Lines(ctx.moduleBar);
}

// Heading of the data-member and method lists: `heading` followed by the
// class name.
void WriteListHeading(LineOut* out, const ClassContext& ctx,
                      std::string_view heading) {
  const HtmlEscapedPart text{heading};
  const HtmlEscapedPart name{ctx.cls.m_strName};
  if (ctx.module.m_bStylesheet)
    out->Line("<h5>", text, name, "</h5>");
  else
    out->Line("<p><font size=\"3\" face=\"Arial\">", text, name,
              "</font></p>");
}

// "The class NAME contains ..." escaped, with a line break.
void WriteContainsLine(LineOut* out, const CClassInfo& cls,
                       const CountedPart& what) {
  out->Line(HtmlEscapedPart{"The class "}, HtmlEscapedPart{cls.m_strName},
            HtmlEscapedPart{" contains "}, what, "<br>");
}

void WriteMemberStatistics(LineOut* out, const CClassInfo& cls) {
  out->Line("<p>");
  WriteContainsLine(out, cls,
                    {cls.m_nVarCount, "no variables.", "one variable.",
                     " variables."});
  WriteCountLine(out, cls.m_nVarsPrivate, "One variable is private.",
                 " variables are private.");
  WriteCountLine(out, cls.m_nVarsProtected, "One variable is protected.",
                 " variables are protected.");
  WriteCountLine(out, cls.m_nVarsPublic, "One variable is public.",
                 " variables are public.");
  out->Line("</p>");
  out->Line("<p>");
  WriteContainsLine(out, cls,
                    {cls.m_nFuncCount, "no functions.", "one function.",
                     " functions."});
  WriteCountLine(out, cls.m_nFuncsPrivate, "One function is private.",
                 " functions are private.");
  WriteCountLine(out, cls.m_nFuncsProtected, "One function is protected.",
                 " functions are protected.");
  WriteCountLine(out, cls.m_nFuncsPublic, "One function is public.",
                 " functions are public.");
  out->Line("</p>");
}

void WriteOverview(LineOut* out, const ClassContext& ctx) {
  const CClassInfo& cls = ctx.cls;
  const HtmlEscapedPart name{cls.m_strName};
  WriteSplitFileObject(out, ctx.module, cls.m_strFile, cls.m_strTitle);
  WriteKeywordObject(out, ctx.module,
                     {{"The class : ", cls.m_strName}, {cls.m_strName}});
  out->Line(HtmlAnchorPart{cls.m_strAnchor});
  if (ctx.module.m_bStylesheet)
    out->Line("<h4>", name, "</h4>");
  else
    out->Line("<p><font size=\"4\" face=\"Arial\"><b>", name,
              "</b></font></p>");
  if (!cls.m_strBase.empty())
    out->Line("<p><i>", HtmlEscapedPart{"Base class: "},
              HtmlEscapedPart{cls.m_strBase}, "</i></p>");
  out->Line("<p>");
  out->Line(TextOr(cls.m_strDescription,
                   "Here should be a description of the class."));
  out->Line("</p>");
  WriteMemberStatistics(out, cls);
  WriteBars(out, ctx);
}

bool WriteDataMembers(LineOut* out, const ClassContext& ctx) {
  const CClassInfo& cls = ctx.cls;
  WriteSplitFileObject(out, ctx.module, cls.m_strVarFile, cls.m_strVarTitle);
  WriteKeywordObject(out, ctx.module,
                     {{"Datenmitglieder der Klasse ", cls.m_strName},
                      {cls.m_strName, ": Datenmitglieder"}});
  out->Line(HtmlAnchorPart{cls.m_strVarAnchor});
  WriteListHeading(out, ctx, "Data members of the class ");
  if (!cls.m_strVarText.empty())
    out->Line(cls.m_strVarText);
  out->Line("<dl>");
  for (const CDeclInfo& var : Records(cls.m_pVars, cls.m_nVars)) {
    if (!IsShown(var, ctx.module))
      continue;
    WriteVariableEntry(out, var);
    if (!out->FlushIfLong())
      return false;
  }
  out->Line("</dl>");
  WriteBars(out, ctx);
  return true;
}

bool WriteMethodList(LineOut* out, const ClassContext& ctx,
                     std::span<const CDeclInfo> methods) {
  const CClassInfo& cls = ctx.cls;
  WriteSplitFileObject(out, ctx.module, cls.m_strFuncFile,
                       cls.m_strFuncTitle);
  WriteKeywordObject(out, ctx.module,
                     {{"Methods of the class ", cls.m_strName},
                      {cls.m_strName, ": Methods"}});
  out->Line(HtmlAnchorPart{cls.m_strFuncAnchor});
  WriteListHeading(out, ctx, "Methods of the class ");
  if (!cls.m_strFuncText.empty())
    out->Line(cls.m_strFuncText);
  out->Line("<dl>");
  for (const CDeclInfo& method : methods) {
    if (!IsShown(method, ctx.module))
      continue;
    WriteFunctionEntry(out, ctx.module, &ctx.cls, method);
    if (!out->FlushIfLong())
      return false;
  }
  out->Line("</dl>");
  WriteBars(out, ctx);
  return true;
}

// With the stylesheet the declarations are headings of their own, outside
// the paragraph that holds the objects and the anchor.
void WriteMethodDeclarations(LineOut* out, const ClassContext& ctx,
                             const CDeclInfo& method) {
  if (!ctx.module.m_bStylesheet) {
    WriteBoldDeclarations(out, method);
    out->Line("</p>");
    return;
  }
  out->Line("</p>");
  for (const std::string& decl : method.m_arrDecls)
    out->Line("<h6>", HtmlEscapedPart{decl}, "</h6>");
}

void WriteMethodBlock(LineOut* out, const ClassContext& ctx,
                      const CDeclInfo& method) {
  const std::string& className = ctx.cls.m_strName;
  const std::string& name = method.m_strName;
  out->Line("<p>");
  WriteFunctionPageObject(out, ctx.module, &ctx.cls, method);
  WriteKeywordObject(
      out, ctx.module,
      {{name}, {name, " - ", className}, {className, ":", name}});
  out->Line(HtmlAnchorPart{method.m_strAnchor});
  WriteMethodDeclarations(out, ctx, method);
  WriteFunctionDetails(out, method);
  WriteBars(out, ctx);
}

}  // namespace

bool WriteHtmlClassSections(LineOut* out, const CClassInfo& cls,
                            const CModuleInfo& module,
                            const TextList& navBar) {
  const ClassContext ctx{cls, module, ClassNavBarLines(cls, module), navBar};
  WriteOverview(out, ctx);
  if (cls.m_nVars > 0 && !WriteDataMembers(out, ctx))
    return false;
  if (cls.m_nFuncs <= 0)
    return true;
  std::span<const CDeclInfo> methods = Records(cls.m_pFuncs, cls.m_nFuncs);
  if (!WriteMethodList(out, ctx, methods) || !out->Flush())
    return false;
  // Every method has its detail block, also those the filter hides.
  for (const CDeclInfo& method : methods) {
    WriteMethodBlock(out, ctx, method);
    if (!out->Flush())
      return false;
  }
  return true;
}

