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
  bar.push_back("<p><font size=\"1\" face=\"Arial\">");
  bar.push_back(HtmlLink(module, cls.m_strFile, cls.m_strAnchor,
                         HtmlEscaped("Class Overview")));
  bar.push_back(cls.m_nVars > 0
                    ? HtmlLink(module, cls.m_strVarFile, cls.m_strVarAnchor,
                               HtmlEscaped("Data members"))
                    : std::string());
  bar.push_back(cls.m_nFuncs > 0
                    ? HtmlLink(module, cls.m_strFuncFile, cls.m_strFuncAnchor,
                               HtmlEscaped("Methods"))
                    : std::string());
  bar.push_back("</font></p>");
  return bar;
}

// Everything one class writes shares these.
struct ClassContext {
  const CClassInfo& cls;
  const CModuleInfo& module;
  TextList classBar;
  const TextList& moduleBar;
};

void WriteBars(TextList* lines, const ClassContext& ctx) {
  AppendLines(lines, ctx.classBar);
  AppendLines(lines, ctx.moduleBar);
}

// Heading of the data-member and method lists.
void WriteListHeading(TextList* lines, const ClassContext& ctx,
                      const std::string& heading) {
  std::string text = HtmlEscaped(heading);
  if (ctx.module.m_bStylesheet)
    lines->push_back("<h5>" + text + "</h5>");
  else
    lines->push_back("<p><font size=\"3\" face=\"Arial\">" + text +
                     "</font></p>");
}

void WriteMemberStatistics(TextList* lines, const CClassInfo& cls) {
  const std::string contains = "The class " + cls.m_strName + " contains ";
  lines->push_back("<p>");
  lines->push_back(
      HtmlEscaped(contains + CountedText(cls.m_nVarCount, "no variables.",
                                         "one variable.", " variables.")) +
      "<br>");
  WriteCountLine(lines, cls.m_nVarsPrivate, "One variable is private.",
                 " variables are private.");
  WriteCountLine(lines, cls.m_nVarsProtected, "One variable is protected.",
                 " variables are protected.");
  WriteCountLine(lines, cls.m_nVarsPublic, "One variable is public.",
                 " variables are public.");
  lines->push_back("</p>");
  lines->push_back("<p>");
  lines->push_back(
      HtmlEscaped(contains + CountedText(cls.m_nFuncCount, "no functions.",
                                         "one function.", " functions.")) +
      "<br>");
  WriteCountLine(lines, cls.m_nFuncsPrivate, "One function is private.",
                 " functions are private.");
  WriteCountLine(lines, cls.m_nFuncsProtected, "One function is protected.",
                 " functions are protected.");
  WriteCountLine(lines, cls.m_nFuncsPublic, "One function is public.",
                 " functions are public.");
  lines->push_back("</p>");
}

void WriteOverview(TextList* lines, const ClassContext& ctx) {
  const CClassInfo& cls = ctx.cls;
  const std::string name = HtmlEscaped(cls.m_strName);
  WriteSplitFileObject(lines, ctx.module, cls.m_strFile, cls.m_strTitle);
  WriteKeywordObject(lines, ctx.module,
                     {"The class : " + cls.m_strName, cls.m_strName});
  lines->push_back(HtmlAnchorLine(cls.m_strAnchor));
  if (ctx.module.m_bStylesheet)
    lines->push_back("<h4>" + name + "</h4>");
  else
    lines->push_back("<p><font size=\"4\" face=\"Arial\"><b>" + name +
                     "</b></font></p>");
  if (!cls.m_strBase.empty())
    lines->push_back("<p><i>" + HtmlEscaped("Base class: " + cls.m_strBase) +
                     "</i></p>");
  lines->push_back("<p>");
  lines->push_back(TextOr(cls.m_strDescription,
                          "Here should be a description of the class."));
  lines->push_back("</p>");
  WriteMemberStatistics(lines, cls);
  WriteBars(lines, ctx);
}

bool WriteDataMembers(TextList* lines, const ClassContext& ctx,
                      const LineSink* flush) {
  const CClassInfo& cls = ctx.cls;
  WriteSplitFileObject(lines, ctx.module, cls.m_strVarFile, cls.m_strVarTitle);
  WriteKeywordObject(lines, ctx.module,
                     {"Datenmitglieder der Klasse " + cls.m_strName,
                      cls.m_strName + ": Datenmitglieder"});
  lines->push_back(HtmlAnchorLine(cls.m_strVarAnchor));
  WriteListHeading(lines, ctx, "Data members of the class " + cls.m_strName);
  if (!cls.m_strVarText.empty())
    lines->push_back(cls.m_strVarText);
  lines->push_back("<dl>");
  for (const CDeclInfo& var : Records(cls.m_pVars, cls.m_nVars)) {
    if (!IsShown(var, ctx.module))
      continue;
    WriteVariableEntry(lines, var);
    if (!FlushIfLong(lines, flush))
      return false;
  }
  lines->push_back("</dl>");
  WriteBars(lines, ctx);
  return true;
}

bool WriteMethodList(TextList* lines, const ClassContext& ctx,
                     std::span<const CDeclInfo> methods,
                     const LineSink* flush) {
  const CClassInfo& cls = ctx.cls;
  WriteSplitFileObject(lines, ctx.module, cls.m_strFuncFile,
                       cls.m_strFuncTitle);
  WriteKeywordObject(
      lines, ctx.module,
      {"Methods of the class " + cls.m_strName, cls.m_strName + ": Methods"});
  lines->push_back(HtmlAnchorLine(cls.m_strFuncAnchor));
  WriteListHeading(lines, ctx, "Methods of the class " + cls.m_strName);
  if (!cls.m_strFuncText.empty())
    lines->push_back(cls.m_strFuncText);
  lines->push_back("<dl>");
  for (const CDeclInfo& method : methods) {
    if (!IsShown(method, ctx.module))
      continue;
    WriteFunctionEntry(lines, ctx.module, method);
    if (!FlushIfLong(lines, flush))
      return false;
  }
  lines->push_back("</dl>");
  WriteBars(lines, ctx);
  return true;
}

// With the stylesheet the declarations are headings of their own, outside
// the paragraph that holds the objects and the anchor.
void WriteMethodDeclarations(TextList* lines, const ClassContext& ctx,
                             const CDeclInfo& method) {
  if (!ctx.module.m_bStylesheet) {
    WriteBoldDeclarations(lines, method);
    lines->push_back("</p>");
    return;
  }
  lines->push_back("</p>");
  for (const std::string& decl : method.m_arrDecls)
    lines->push_back("<h6>" + HtmlEscaped(decl) + "</h6>");
}

void WriteMethodBlock(TextList* lines, const ClassContext& ctx,
                      const CDeclInfo& method) {
  const std::string& className = ctx.cls.m_strName;
  const std::string& name = method.m_strName;
  lines->push_back("<p>");
  WriteSplitFileObject(lines, ctx.module, method.m_strFile, method.m_strTitle);
  WriteKeywordObject(lines, ctx.module,
                     {name, name + " - " + className, className + ":" + name});
  lines->push_back(HtmlAnchorLine(method.m_strAnchor));
  WriteMethodDeclarations(lines, ctx, method);
  WriteFunctionDetails(lines, method);
  WriteBars(lines, ctx);
}

}  // namespace

bool WriteHtmlClassSections(TextList* lines, const CClassInfo& cls,
                            const CModuleInfo& module, const TextList& navBar,
                            const LineSink* flush) {
  const ClassContext ctx{cls, module, ClassNavBarLines(cls, module), navBar};
  WriteOverview(lines, ctx);
  if (cls.m_nVars > 0 && !WriteDataMembers(lines, ctx, flush))
    return false;
  if (cls.m_nFuncs <= 0)
    return true;
  std::span<const CDeclInfo> methods = Records(cls.m_pFuncs, cls.m_nFuncs);
  if (!WriteMethodList(lines, ctx, methods, flush) ||
      (flush && !(*flush)(lines)))
    return false;
  // Every method has its detail block, also those the filter hides.
  for (const CDeclInfo& method : methods) {
    WriteMethodBlock(lines, ctx, method);
    if (flush && !(*flush)(lines))
      return false;
  }
  return true;
}
