#include "parser/parse_header.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

struct Parsed {
  bool ok = false;
  std::string err;
  CModuleInfo module;
  TextList lines;
};

Parsed Parse(const std::string& text, const TextList& macros = {},
             const TextList& notReturns = {}) {
  Parsed p;
  p.module.m_strName = "Test";
  p.ok = ParseHeaderText(text, "Test.h", "Test.htm", macros, notReturns,
                         &p.lines, &p.module, &p.err);
  return p;
}

std::string Write(const std::string& name, const std::string& text) {
  std::ofstream(name, std::ios::binary) << text;
  return name;
}

}  // namespace

TEST(ParseHeaderTest, FailuresGiveTheirMessages) {
  CModuleInfo module;
  TextList lines;
  std::string err;
  EXPECT_FALSE(ParseHeader("", "", {}, {}, &lines, &module, &err));
  EXPECT_EQ("Cannot read a file, that has no name.", err);
  EXPECT_FALSE(ParseHeader("missing.h", "", {}, {}, &lines, &module, &err));
  EXPECT_EQ("Unable to open the required file.", err);
  std::filesystem::create_directories("folder.h");
  EXPECT_FALSE(ParseHeader("folder.h", "", {}, {}, &lines, &module, &err));
  EXPECT_EQ("Unable to open the required file.", err);
  EXPECT_FALSE(ParseHeader(Write("zero.h", ""), "", {}, {}, &lines, &module,
                           &err));
  EXPECT_EQ("Unable to read the required file.", err);
  EXPECT_FALSE(ParseHeader(Write("blank.h", "\r\n  \n\t\n"), "", {}, {},
                           &lines, &module, &err));
  EXPECT_EQ("The file was empty.", err);
  EXPECT_EQ(0, module.m_nClasses);
  EXPECT_TRUE(module.m_arrHIncludes.empty());
}

TEST(ParseHeaderTest, WorkedExampleModel) {
  Parsed p = Parse(
      "class CFoo : public CObject\r\n{\r\npublic:\r\nCFoo();\r\n"
      "int GetA() const { return m_a; }\r\nprotected:\r\nint m_a;\r\n};\r\n"
      "extern int g_n;\r\nint Twice(int x);\r\n");
  ASSERT_TRUE(p.ok);
  const CModuleInfo& m = p.module;
  ASSERT_EQ(1, m.m_nVars);
  EXPECT_EQ("extern int g_n;", m.m_pVars[0].m_strName);
  EXPECT_EQ(SCOPE_EXTERN, m.m_pVars[0].m_nScope);
  ASSERT_EQ(1, m.m_nFuncs);
  EXPECT_EQ("Twice", m.m_pFuncs[0].m_strName);
  EXPECT_EQ(TextList{"int"}, m.m_pFuncs[0].m_arrReturns);
  EXPECT_EQ(TextList{"int x"}, m.m_pFuncs[0].m_arrParams);
  EXPECT_EQ(SCOPE_EXTERN, m.m_pFuncs[0].m_nScope);
  ASSERT_EQ(1, m.m_nClasses);
  const CClassInfo& c = m.m_pClasses[0];
  EXPECT_EQ("CFoo", c.m_strName);
  EXPECT_EQ("public CObject", c.m_strBase);
  EXPECT_EQ(KIND_CLASS, c.m_nKind);
  ASSERT_EQ(1, c.m_nVars);
  EXPECT_EQ("int m_a;", c.m_pVars[0].m_strName);
  EXPECT_EQ(SCOPE_PROTECTED, c.m_pVars[0].m_nScope);
  ASSERT_EQ(2, c.m_nFuncs);
  EXPECT_EQ("CFoo", c.m_pFuncs[0].m_strName);
  EXPECT_EQ(TextList{"int (DEFAULT)"}, c.m_pFuncs[0].m_arrReturns);
  EXPECT_EQ(TextList{"void"}, c.m_pFuncs[0].m_arrParams);
  EXPECT_EQ("GetA", c.m_pFuncs[1].m_strName);
  EXPECT_EQ(TextList{"int"}, c.m_pFuncs[1].m_arrReturns);
  EXPECT_EQ(SCOPE_PUBLIC, c.m_pFuncs[1].m_nScope);
  EXPECT_EQ(2, c.m_nFuncCount);
  EXPECT_EQ(2, c.m_nFuncsPublic);
  EXPECT_EQ(1, c.m_nVarsProtected);
  // Naming ran at the end.
  EXPECT_EQ("ClassCFoo", c.m_strAnchor);
  EXPECT_EQ("CFCFooGetA", c.m_pFuncs[1].m_strAnchor);
}

TEST(ParseHeaderTest, IncludesAndNulBytes) {
  Parsed p = Parse(std::string("#include <a.h>\n#include \"b.h\"\nint x\0y;\n",
                               39));
  ASSERT_TRUE(p.ok);
  EXPECT_EQ((TextList{"<a.h>", "\"b.h\""}), p.module.m_arrHIncludes);
  ASSERT_EQ(1, p.module.m_nVars);
  EXPECT_EQ(std::string("int x\0y;", 8), p.module.m_pVars[0].m_strName);
}

TEST(ParseHeaderTest, ParsingTwiceGivesTheSameModel) {
  std::string text =
      "class A { int a; void f(); };\nstruct B { int b; };\nint g(int);\n";
  Parsed first = Parse(text), second = Parse(text);
  ASSERT_TRUE(first.ok && second.ok);
  EXPECT_EQ(first.lines, second.lines);
  EXPECT_EQ(first.module.m_pClasses[1].m_pVars[0].m_strName,
            second.module.m_pClasses[1].m_pVars[0].m_strName);
}
