// Option effects, filters, sentences and escaping of the page sections.
#include <gtest/gtest.h>

#include <algorithm>

#include "html/html_writer.h"

namespace {

bool Has(const TextList& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Lines from the first `from` on, `count` of them.
TextList After(const TextList& lines, const std::string& from, size_t count) {
  auto it = std::find(lines.begin(), lines.end(), from);
  if (it == lines.end())
    return {};
  size_t left = static_cast<size_t>(lines.end() - it);
  return TextList(it, it + std::min(count, left));
}

CDeclInfo Decl(const std::string& name, int scope) {
  CDeclInfo d;
  d.m_strName = name;
  d.m_strAnchor = "A" + name;
  d.m_nScope = scope;
  return d;
}

CDeclInfo Method(const std::string& name, int scope) {
  CDeclInfo d = Decl(name, scope);
  d.m_arrDecls = {"void " + name + "()"};
  d.m_arrReturns = {"void"};
  d.m_arrParams = {"void"};
  return d;
}

CModuleInfo ModuleWithClass(CClassInfo cls) {
  CModuleInfo m;
  m.m_strName = "Geo";
  cls.m_nVars = static_cast<int>(cls.m_pVars.size());
  cls.m_nFuncs = static_cast<int>(cls.m_pFuncs.size());
  m.m_pClasses = {cls};
  m.m_nClasses = 1;
  return m;
}

TextList ClassLines(const CModuleInfo& module) {
  TextList lines;
  WriteHtmlClass(&lines, module.m_pClasses[0].m_strName, module);
  return lines;
}

CModuleInfo ModuleWithGlobals() {
  CModuleInfo m;
  m.m_strName = "Geo";
  m.m_pVars = {Decl("static int s;", SCOPE_LOCAL),
               Decl("extern int e;", SCOPE_EXTERN)};
  m.m_nVars = 2;
  m.m_pFuncs = {Method("Local", SCOPE_LOCAL), Method("Shared", SCOPE_EXTERN)};
  m.m_nFuncs = 2;
  return m;
}

}  // namespace

TEST(HtmlModuleTest, SentencesCountDeclarationsAndBindings) {
  CModuleInfo m;
  m.m_strName = "Geo";
  m.m_nVarCount = m.m_nVarsLocal = 2;
  m.m_nFuncCount = m.m_nFuncsExtern = 1;
  m.m_pClasses.resize(3);
  m.m_nClasses = 3;
  m.m_pClasses[1].m_strName = "CPoint";
  m.m_pClasses[1].m_strBase = "public CObject";
  m.m_arrHIncludes = {"\"x.h\"", "<stdio.h>"};
  TextList lines;
  WriteHtmlModule(&lines, m);
  EXPECT_EQ((TextList{"The module Geo contains 2 global variables.<br>",
                      "&nbsp;2 variables have local binding.<br>", "</p>"}),
            After(lines, "The module Geo contains 2 global variables.<br>", 3));
  EXPECT_EQ(
      (TextList{"The module Geo contains one global function.<br>",
                "&nbsp;One function has external binding.<br>", "</p>"}),
      After(lines, "The module Geo contains one global function.<br>", 3));
  EXPECT_TRUE(Has(lines, "The module Geo contains 3 class definitions."));
  EXPECT_TRUE(Has(lines, "&nbsp;&bull;&nbsp;&quot;x.h&quot;<br>"));
  EXPECT_TRUE(Has(lines, "&nbsp;&bull;&nbsp;&lt;stdio.h&gt;"));
  EXPECT_TRUE(Has(lines, "CPoint - base class: public CObject<br>"));
}

TEST(HtmlModuleTest, KeywordsFallBackForMissingNames) {
  CModuleInfo m;
  m.m_bHelpKeywords = true;
  m.m_bStylesheet = true;
  TextList lines;
  WriteHtmlModule(&lines, m);
  EXPECT_EQ("<param name=\"Keyword\" value=\"Module unknown\">", lines[1]);
  EXPECT_EQ("<param name=\"Keyword\" value=\"HTML title unknown\">", lines[2]);
  EXPECT_EQ("<h3></h3>", lines[5]);
}

TEST(HtmlGlobalsTest, OnlyExternalHidesLocalEntriesButKeepsTheFrame) {
  CModuleInfo m = ModuleWithGlobals();
  m.m_bShowLocal = false;
  TextList lines;
  WriteHtmlGlobalVars(&lines, m);
  EXPECT_FALSE(Has(lines, "<dt>static int s;</dt>"));
  EXPECT_TRUE(Has(lines, "<dt>extern int e;</dt>"));
  lines.clear();
  WriteHtmlGlobalFuncs(&lines, m);
  EXPECT_EQ(1, std::count(lines.begin(), lines.end(), "<dd>"));
  EXPECT_FALSE(Has(lines, "<a id=\"ALocal\" NAME=\"ALocal\"></a>"));
  EXPECT_TRUE(Has(lines, "<a id=\"AShared\" NAME=\"AShared\"></a>"));

  m.m_bShowLocal = true;
  lines.clear();
  WriteHtmlGlobalFuncs(&lines, m);
  EXPECT_TRUE(Has(lines, "<a id=\"ALocal\" NAME=\"ALocal\"></a>"));
}

TEST(HtmlGlobalsTest, EverythingHiddenLeavesTheVariableFrame) {
  CModuleInfo m = ModuleWithGlobals();
  m.m_pVars.pop_back();
  m.m_nVars = 1;
  m.m_bShowLocal = false;
  TextList lines;
  WriteHtmlGlobalVars(&lines, m);
  EXPECT_EQ(
      (TextList{"<a id=\"\" NAME=\"\"></a>", "<p>", "Global variables:<br>",
                "This is the list of variables, that are not assigned "
                "to any class.",
                "</p>", "<dl>", "</dl>", "<p>"}),
      TextList(lines.begin(), lines.begin() + 8));
}

TEST(HtmlGlobalsTest, NoRecordsNoSection) {
  CModuleInfo m;
  TextList lines;
  WriteHtmlGlobalVars(&lines, m);
  WriteHtmlGlobalFuncs(&lines, m);
  EXPECT_TRUE(lines.empty());
}

TEST(HtmlGlobalsTest, DescriptionsReplacePlaceholders) {
  CModuleInfo m = ModuleWithGlobals();
  CDeclInfo& f = m.m_pFuncs[1];
  f.m_arrReturns = {"int (DEFAULT)", "long"};
  f.m_arrReturnDescs = {"", "<i>wide</i>"};
  f.m_arrParams = {"int a"};
  f.m_strDescription = "Shares <b>it</b>.";
  TextList lines;
  WriteHtmlGlobalFuncs(&lines, m);
  EXPECT_EQ(
      (TextList{"<dt>int (DEFAULT)</dt>", "<dd>",
                "Here should be a description of the return value.", "</dd>",
                "<dt>long</dt>", "<dd>", "<i>wide</i>", "</dd>", "</dl>"}),
      After(lines, "<dt>int (DEFAULT)</dt>", 9));
  // The parameter has no description entry at all.
  EXPECT_EQ(
      (TextList{"<dt>int a</dt>", "<dd>",
                "Here should be a description of the parameter", "</dd>"}),
      After(lines, "<dt>int a</dt>", 4));
  EXPECT_TRUE(Has(lines, "Shares <b>it</b>."));
}

TEST(HtmlClassTest, OnlyPublicListsPublicButDetailsEveryMethod) {
  CClassInfo c;
  c.m_strName = "C";
  c.m_pFuncs = {Method("Hidden", SCOPE_PRIVATE),
                Method("Guarded", SCOPE_PROTECTED),
                Method("Open", SCOPE_PUBLIC)};
  CModuleInfo m = ModuleWithClass(c);
  auto listed = [](const TextList& lines, const std::string& name) {
    return Has(lines, "<dt>&nbsp;<a href=\"#A" + name + "\">" + name +
                          "</A>&nbsp;</dt>");
  };

  m.m_bShowProtected = m.m_bShowPrivate = false;
  TextList lines = ClassLines(m);
  EXPECT_FALSE(listed(lines, "Hidden"));
  EXPECT_FALSE(listed(lines, "Guarded"));
  EXPECT_TRUE(listed(lines, "Open"));
  EXPECT_TRUE(Has(lines, "<b>void Hidden()</b>"));

  m.m_bShowProtected = true;
  lines = ClassLines(m);
  EXPECT_FALSE(listed(lines, "Hidden"));
  EXPECT_TRUE(listed(lines, "Guarded"));

  m.m_bShowProtected = false;
  m.m_bShowPrivate = true;
  lines = ClassLines(m);
  EXPECT_TRUE(listed(lines, "Hidden"));
  EXPECT_TRUE(listed(lines, "Guarded"));
}

TEST(HtmlClassTest, DataMemberFilterAndInitialisers) {
  CClassInfo c;
  c.m_strName = "C";
  c.m_pVars = {Decl("int m_a;", SCOPE_PRIVATE),
               Decl("int m_b[3] =", SCOPE_PUBLIC)};
  c.m_pVars[1].m_arrParams = {"{1,2,3};"};
  c.m_strVarText = "Members <em>here</em>";
  CModuleInfo m = ModuleWithClass(c);
  m.m_bShowPrivate = false;
  TextList lines = ClassLines(m);
  EXPECT_FALSE(Has(lines, "<dt>int m_a;</dt>"));
  EXPECT_EQ((TextList{"<dt>int m_b[3] =</dt>", "<dd>",
                      "Here should be a short description of the variable.",
                      "Initialization:<br>", "{1,<br>2,<br>3};<br>", "</dd>"}),
            After(lines, "<dt>int m_b[3] =</dt>", 6));
  EXPECT_EQ((TextList{"Members <em>here</em>", "<dl>"}),
            After(lines, "Members <em>here</em>", 2));
  EXPECT_TRUE(
      Has(lines,
          "<p><font size=\"3\" face=\"Arial\">Data members of the class "
          "C</font></p>"));
}

TEST(HtmlClassTest, KeywordsOfClassBlocksAndMethods) {
  CClassInfo c;
  c.m_strName = "CPoint";
  c.m_pVars = {Decl("int m_x;", SCOPE_PUBLIC)};
  c.m_pFuncs = {Method("Move", SCOPE_PUBLIC)};
  CModuleInfo m = ModuleWithClass(c);
  m.m_bHelpKeywords = true;
  TextList lines = ClassLines(m);
  auto keyword = [](const std::string& value) {
    return "<param name=\"Keyword\" value=\"" + value + "\">";
  };
  for (const char* value :
       {"The class : CPoint", "CPoint", "Datenmitglieder der Klasse CPoint",
        "CPoint: Datenmitglieder", "Methods of the class CPoint",
        "CPoint: Methods", "Move", "Move - CPoint", "CPoint:Move"})
    EXPECT_TRUE(Has(lines, keyword(value))) << value;
}

TEST(HtmlClassTest, OverloadsAsHeadingsOrBoldLines) {
  CDeclInfo move = Method("Move", SCOPE_PUBLIC);
  move.m_arrDecls = {"void Move(int d)", "void Move(int x, int y)"};
  CClassInfo c;
  c.m_strName = "C";
  c.m_pFuncs = {move};
  CModuleInfo m = ModuleWithClass(c);
  TextList lines = ClassLines(m);
  EXPECT_EQ((TextList{"<b>void Move(int d)</b><br>",
                      "<b>void Move(int x, int y)</b>", "</p>"}),
            After(lines, "<b>void Move(int d)</b><br>", 3));
  m.m_bStylesheet = true;
  lines = ClassLines(m);
  EXPECT_EQ((TextList{"<a id=\"AMove\" NAME=\"AMove\"></a>", "</p>",
                      "<h6>void Move(int d)</h6>",
                      "<h6>void Move(int x, int y)</h6>", "<p>"}),
            After(lines, "<a id=\"AMove\" NAME=\"AMove\"></a>", 5));
}

TEST(HtmlClassTest, CountSentencesOfMembers) {
  CClassInfo c;
  c.m_strName = "C";
  c.m_nVarCount = 3;
  c.m_nVarsPrivate = 2;
  c.m_nVarsProtected = 1;
  c.m_nFuncCount = 5;
  c.m_nFuncsPublic = 5;
  CModuleInfo m = ModuleWithClass(c);
  TextList lines = ClassLines(m);
  EXPECT_EQ((TextList{"The class C contains 3 variables.<br>",
                      "&nbsp;2 variables are private.<br>",
                      "&nbsp;One variable is protected.<br>", "</p>", "<p>",
                      "The class C contains 5 functions.<br>",
                      "&nbsp;5 functions are public.<br>", "</p>"}),
            After(lines, "The class C contains 3 variables.<br>", 8));
}

// Texts from the header are escaped wherever they reach markup; the
// writer's own descriptions are not.
TEST(HtmlEscapingTest, HeaderTextsAreEscapedInMarkup) {
  CDeclInfo less = Method("operator<", SCOPE_PUBLIC);
  less.m_arrDecls = {"bool operator<(const Foo<int>& o)"};
  less.m_strAnchor = "CFFoo_int_operatorlt";
  less.m_strShortDesc = "<i>orders</i>";
  CDeclInfo init = Decl("int m_a =", SCOPE_PUBLIC);
  init.m_arrParams = {"a<b,\"c\""};
  CClassInfo c;
  c.m_strName = "Foo<int>";
  c.m_strBase = "public Bar<\xE4>";
  c.m_strAnchor = "ClassFoo_int_";
  c.m_strFile = "G_Class_Foo<int>.htm";
  c.m_strTitle = "Class: Foo<int>";
  c.m_pVars = {init};
  c.m_pFuncs = {less};
  CModuleInfo m = ModuleWithClass(c);
  m.m_strName = "G<1>";
  m.m_strPageStem = "a&b";
  m.m_bSplitFiles = m.m_bHelpKeywords = true;

  TextList lines;
  WriteHtmlHead(&lines, m);
  WriteHtmlModule(&lines, m);
  WriteHtmlClass(&lines, "Foo<int>", m);
  for (
      const char* line : {
          "<title>G&lt;1&gt;</title>",
          "<p><font size=\"4\" face=\"Arial\"><b>G&lt;1&gt;</b></font></p>",
          "<p><font size=\"4\" face=\"Arial\"><b>Foo&lt;int&gt;</b></font></p>",
          "<p><i>Base class: public Bar&lt;&auml;&gt;</i></p>",
          "<p><font size=\"3\" face=\"Arial\">Data members of the class "
          "Foo&lt;int&gt;</font></p>",
          "<p><font size=\"3\" face=\"Arial\">Methods of the class "
          "Foo&lt;int&gt;</font></p>",
          "&nbsp;<a "
          "href=\"G_Class_Foo&lt;int&gt;.htm#ClassFoo_int_\">Foo&lt;int&gt;</A>"
          "&nbsp;",
          "<param name=\"New HTML file\" value=\"G_Class_Foo&lt;int&gt;.htm\">",
          "<param name=\"New HTML title\" "
          "value=\"Foo&lt;int&gt;:operator&lt;\">",
          "<param name=\"Keyword\" value=\"The class : Foo&lt;int&gt;\">",
          "<param name=\"Keyword\" value=\"operator&lt; - Foo&lt;int&gt;\">",
          "a&lt;b,<br>&quot;c&quot;<br>",
          "<dt>&nbsp;<a "
          "href=\"a&amp;bCFFoo&lt;int&gt;operatorlt.htm#CFFoo_int_operatorlt\">"
          "operator&lt;</A>"
          "&nbsp;</dt>",
          "<b>bool operator&lt;(const Foo&lt;int&gt;&amp; o)</b>",
          "<i>orders</i>",
      })
    EXPECT_TRUE(Has(lines, line)) << line;
}
