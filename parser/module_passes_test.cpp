#include <gtest/gtest.h>

#include "parser/line_prep.h"
#include "parser/parse_header.h"
#include "parser/signature.h"

namespace {

CModuleInfo Parse(const std::string& text, const TextList& notReturns = {},
                  const TextList& macros = {}) {
  CModuleInfo module;
  module.m_strName = "Test";
  TextList lines;
  std::string err;
  EXPECT_TRUE(ParseHeaderText(text, "Test.h", "Test.htm", macros, notReturns,
                              &lines, &module, &err));
  return module;
}

}  // namespace

TEST(SignatureTest, SplitsNameReturnAndParameters) {
  Signature s = SplitSignature(
      "virtual BOOL Create(LPCTSTR lpszName, CWnd* pParent = NULL) const;");
  EXPECT_EQ("Create", s.name);
  EXPECT_EQ("virtual BOOL", s.ret);
  EXPECT_EQ("LPCTSTR lpszName, CWnd* pParent = NULL", s.params);
  s = SplitSignature("CFoo();");
  EXPECT_EQ("CFoo", s.name);
  EXPECT_EQ("int (DEFAULT)", s.ret);
  EXPECT_EQ("void", s.params);
  EXPECT_EQ("void", SplitSignature("f( );").params);
  s = SplitSignature("bool operator==(const CFoo& x) const;");
  EXPECT_EQ("operator==", s.name);
  EXPECT_EQ("bool", s.ret);
  // The call operator keeps its name; its parentheses are no declarator.
  s = SplitSignature("bool operator()(int i) const;");
  EXPECT_EQ("operator()", s.name);
  EXPECT_EQ("bool", s.ret);
  EXPECT_EQ("int i", s.params);
  EXPECT_EQ("int (DEFAULT)", SplitSignature("operator()();").ret);
  s = SplitSignature("void (* pfnNotify)(int);");
  EXPECT_EQ("* pfnNotify", s.name);
  EXPECT_EQ("void", s.ret);
  EXPECT_EQ("int", s.params);
}

TEST(SignatureTest, FirstParameterSkipsNestedCommas) {
  EXPECT_EQ("int a", SplitFirstParameter("int a, int b"));
  EXPECT_EQ("std::map<int, int> m", SplitFirstParameter("std::map<int, int> m, int b"));
  EXPECT_EQ("void (*pfn)(int, int)", SplitFirstParameter("void (*pfn)(int, int), int b"));
  EXPECT_EQ("int n = max(1, 2)", SplitFirstParameter("int n = max(1, 2), int b"));
  EXPECT_EQ("", SplitFirstParameter(""));
  EXPECT_EQ((TextList{"std::map<int, int> m", "int b", "void (*f)(int, int)"}),
            SplitParameters("std::map<int, int> m, int b, void (*f)(int, int)"));
}

// Spacing that normalising changes inside an item (a tab, two spaces,
// spaces around "::") at its start, middle and end: every list splits into
// the items of the plain loop, each normalised.
TEST(SignatureTest, ListsThatNormalisingChangesSplitLikeThePlainLoop) {
  auto expectPlainLoop = [](const std::string& params) {
    // The list is normalised once on the way in; the plain loop
    // normalises what it is given before every item.
    std::string rest = NormalizedSpacing(NormalizedSpacing(params));
    TextList expected;
    for (std::string item = NormalizedSpacing(SplitFirstParameter(rest));
         !item.empty(); item = NormalizedSpacing(SplitFirstParameter(rest))) {
      expected.push_back(item);
      rest = Right(rest, static_cast<int>(rest.size() - item.size()) - 1);
      NormalizeSpacing(&rest);
    }
    EXPECT_EQ(expected, SplitParameters(params)) << "[" << params << "]";
  };
  for (const char* odd :
       {"\t", "  ", " ::", ":: ", " :: ", ":::: ", " : ::", ":: : "}) {
    for (const std::string& params :
         {std::string(odd) + "int a, wx::B b", "int a" + std::string(odd) +
                                                   "x, wx::B b",
          "int a, wx::B b" + std::string(odd), "wx" + std::string(odd) + "B"})
      expectPlainLoop(params);
  }
  // Lists without a comma take a shorter way.
  for (const char* single : {"", " ", "int", "  const wx::B& b  ",
                             "void (*f)(int)", "\r\n", "std::map<int> m"})
    expectPlainLoop(single);
}

TEST(SignatureTest, LongAndUnbalancedListsSplitLikeThePlainLoop) {
  // An unbalanced "<" makes the bracket scan run to the end; the items
  // must still be those of the plain loop.
  std::string params;
  TextList expected;
  for (int i = 0; i < 3000; ++i) {
    params += (i ? ", " : "") + std::string("a<b") + std::to_string(i);
  }
  TextList items = SplitParameters(params);
  // Reference: the plain loop.
  std::string rest = params;
  std::string item = SplitFirstParameter(rest);
  while (!item.empty()) {
    expected.push_back(item);
    rest = rest.size() > item.size() + 1 ? rest.substr(item.size() + 1) : "";
    while (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
    item = SplitFirstParameter(rest);
  }
  EXPECT_EQ(expected, items);
}

TEST(ModulePassesTest, OverloadsMergeByName) {
  CModuleInfo m = Parse("int f(int);\nint f(double);\n");
  ASSERT_EQ(1, m.m_nFuncs);
  EXPECT_EQ((TextList{"int f(int);", "int f(double);"}), m.m_pFuncs[0].m_arrDecls);
  EXPECT_EQ((TextList{"int", "double"}), m.m_pFuncs[0].m_arrParams);
  EXPECT_EQ(TextList{"int"}, m.m_pFuncs[0].m_arrReturns);
  EXPECT_EQ(2, m.m_nFuncCount);
  // Descriptions come from a merge; the parse makes no room for them.
  EXPECT_TRUE(m.m_pFuncs[0].m_arrParamDescs.empty());
  EXPECT_TRUE(m.m_pFuncs[0].m_arrReturnDescs.empty());

  m = Parse("void Draw();\nvoid Draw(CDC* pDC);\n");
  EXPECT_EQ((TextList{"void", "CDC* pDC"}), m.m_pFuncs[0].m_arrParams);
}

TEST(ModulePassesTest, OnlyTheFirstRecordKeepsDuplicateParameters) {
  CModuleInfo m = Parse("int f(int, int);\nint g(int, int);\n");
  EXPECT_EQ((TextList{"int", "int"}), m.m_pFuncs[0].m_arrParams);
  EXPECT_EQ(TextList{"int"}, m.m_pFuncs[1].m_arrParams);
}

TEST(ModulePassesTest, BindingOfFunctionsAndVariables) {
  CModuleInfo m = Parse(
      "static int Twice(int x);\nextern int Api(void);\nstatic void h();\n"
      "void h();\nstatic int s_n;\nint g_n;\nextern int e_n;\n");
  EXPECT_EQ(SCOPE_LOCAL, m.m_pFuncs[0].m_nScope);
  EXPECT_EQ(SCOPE_EXTERN, m.m_pFuncs[1].m_nScope);
  EXPECT_EQ(SCOPE_EXTERN, m.m_pFuncs[2].m_nScope);
  EXPECT_EQ(2, m.m_nFuncsLocal);
  EXPECT_EQ(2, m.m_nFuncsExtern);
  EXPECT_EQ(SCOPE_LOCAL, m.m_pVars[0].m_nScope);
  EXPECT_EQ(SCOPE_LOCAL, m.m_pVars[1].m_nScope);
  EXPECT_EQ(SCOPE_EXTERN, m.m_pVars[2].m_nScope);
  EXPECT_EQ(m.m_nVarCount, m.m_nVarsLocal + m.m_nVarsExtern);
}

TEST(ModulePassesTest, EnumsAndTypedefs) {
  CModuleInfo m = Parse(
      "enum Color { Red, Green };\ntypedef enum { A, B } E;\n"
      "typedef struct tagPOINTX { int x; } POINTX;\n"
      "typedef void (*PFNNOTIFY)(int);\nint after(int);\n");
  ASSERT_EQ(2, m.m_nVars);
  EXPECT_EQ("enum Color", m.m_pVars[0].m_strName);
  EXPECT_EQ((TextList{"{", "Red, Green", "};"}), m.m_pVars[0].m_arrParams);
  EXPECT_EQ(SCOPE_EXTERN, m.m_pVars[0].m_nScope);
  EXPECT_EQ("typedef enum", m.m_pVars[1].m_strName);
  EXPECT_EQ((TextList{"{", "A, B", "}", "E;"}), m.m_pVars[1].m_arrParams);
  EXPECT_EQ(SCOPE_LOCAL, m.m_pVars[1].m_nScope);
  ASSERT_EQ(1, m.m_nClasses);
  EXPECT_EQ("tagPOINTX", m.m_pClasses[0].m_strName);
  EXPECT_EQ(KIND_STRUCT, m.m_pClasses[0].m_nKind);
  ASSERT_EQ(1, m.m_pClasses[0].m_nVars);
  // The declarator line after the body is neither a variable nor eats the
  // functions that follow.
  ASSERT_EQ(2, m.m_nFuncs);
  EXPECT_EQ("* PFNNOTIFY", m.m_pFuncs[0].m_strName);
  EXPECT_EQ(TextList{"typedef void"}, m.m_pFuncs[0].m_arrReturns);
  EXPECT_EQ(SCOPE_EXTERN, m.m_pFuncs[0].m_nScope);
  EXPECT_EQ("after", m.m_pFuncs[1].m_strName);
}

TEST(ModulePassesTest, ClassHeadNamesAndBases) {
  CModuleInfo m = Parse(
      "class CFoo : public CBar, public CBaz { };\nclass CSubclass { };\n"
      "struct CMyStructure { };\nclass A::B { };\nclass A::C : public D { };\n");
  ASSERT_EQ(5, m.m_nClasses);
  EXPECT_EQ("CFoo", m.m_pClasses[0].m_strName);
  EXPECT_EQ("public CBar, public CBaz", m.m_pClasses[0].m_strBase);
  EXPECT_EQ("CSubclass", m.m_pClasses[1].m_strName);
  EXPECT_EQ("A::B", m.m_pClasses[2].m_strName);
  EXPECT_EQ("", m.m_pClasses[2].m_strBase);
  EXPECT_EQ("A::C", m.m_pClasses[3].m_strName);
  EXPECT_EQ("public D", m.m_pClasses[3].m_strBase);
  EXPECT_EQ("CMyStructure", m.m_pClasses[4].m_strName);
  EXPECT_EQ(KIND_STRUCT, m.m_pClasses[4].m_nKind);
}

TEST(ModulePassesTest, ClassesComeBeforeStructs) {
  CModuleInfo m = Parse(
      "class A { };\nclass B { };\nstruct S { };\nclass C { };\n");
  ASSERT_EQ(4, m.m_nClasses);
  EXPECT_EQ("A", m.m_pClasses[0].m_strName);
  EXPECT_EQ("B", m.m_pClasses[1].m_strName);
  EXPECT_EQ("C", m.m_pClasses[2].m_strName);
  EXPECT_EQ("S", m.m_pClasses[3].m_strName);
}

TEST(ModulePassesTest, NotReturnsApplyAfterMerging) {
  CModuleInfo m = Parse(
      "void a();\nvirtual void b();\nvirtual int c();\nunsigned int d();\n"
      "e();\n",
      {"void", "virtual", "int (DEFAULT)", "int"});
  EXPECT_TRUE(m.m_pFuncs[0].m_arrReturns.empty());
  EXPECT_TRUE(m.m_pFuncs[1].m_arrReturns.empty());
  EXPECT_TRUE(m.m_pFuncs[2].m_arrReturns.empty());
  EXPECT_EQ(TextList{"unsigned"}, m.m_pFuncs[3].m_arrReturns);
  EXPECT_TRUE(m.m_pFuncs[4].m_arrReturns.empty());
}

TEST(ModulePassesTest, ManyOverloadsKeepEachParameterOnce) {
  std::string text;
  for (int i = 0; i < 40; ++i)
    text += "int f(int a" + std::to_string(i % 25) + ", long b);\n";
  CModuleInfo m = Parse(text);
  ASSERT_EQ(1, m.m_nFuncs);
  const CDeclInfo& f = m.m_pFuncs[0];
  ASSERT_EQ(26u, f.m_arrParams.size());  // a0..a24 and "long b" once
  EXPECT_EQ("int a0", f.m_arrParams[0]);
  EXPECT_EQ("long b", f.m_arrParams[1]);
  EXPECT_EQ("int a24", f.m_arrParams[25]);
  EXPECT_EQ(40u, f.m_arrDecls.size());

  // A first declaration with a long list of repeats, then more overloads.
  text = "int g(int";
  for (int i = 1; i < 20; ++i)
    text += ", int";
  text += ");\nint g(long, int);\nchar* g(int, long, short);\n";
  m = Parse(text);
  ASSERT_EQ(1, m.m_nFuncs);
  TextList expected(20, "int");
  expected.push_back("long");
  expected.push_back("short");
  EXPECT_EQ(expected, m.m_pFuncs[0].m_arrParams);
  EXPECT_EQ((TextList{"int", "char*"}), m.m_pFuncs[0].m_arrReturns);
}
