#include <gtest/gtest.h>

#include "parser/parse_header.h"

namespace {

CModuleInfo Parse(const std::string& text, const TextList& macros = {}) {
  CModuleInfo module;
  module.m_strName = "Test";
  TextList lines;
  std::string err;
  EXPECT_TRUE(ParseHeaderText(text, "Test.h", "Test.htm", macros, {}, &lines,
                              &module, &err));
  return module;
}

}  // namespace

TEST(ClassPassesTest, DefaultAccessAndLabels) {
  CModuleInfo m = Parse(
      "class CFoo { int m_a; public: int GetA() const; };\n"
      "struct SPoint { int x; int y; };\n");
  const CClassInfo& foo = m.m_pClasses[0];
  ASSERT_EQ(1, foo.m_nVars);
  EXPECT_EQ("int m_a;", foo.m_pVars[0].m_strName);
  EXPECT_EQ(SCOPE_PRIVATE, foo.m_pVars[0].m_nScope);
  EXPECT_EQ("CFoo", foo.m_pVars[0].m_strClass);
  ASSERT_EQ(1, foo.m_nFuncs);
  EXPECT_EQ(SCOPE_PUBLIC, foo.m_pFuncs[0].m_nScope);
  EXPECT_EQ(TextList{"void"}, foo.m_pFuncs[0].m_arrParams);
  const CClassInfo& pt = m.m_pClasses[1];
  ASSERT_EQ(2, pt.m_nVars);
  EXPECT_EQ(SCOPE_PUBLIC, pt.m_pVars[1].m_nScope);
  EXPECT_EQ(2, pt.m_nVarsPublic);
}

TEST(ClassPassesTest, OverloadedMethodKeepsTheWidestAccess) {
  CModuleInfo m = Parse(
      "class C { void Set(int n); public: void Set(LPCTSTR s); C(int n); };\n");
  const CClassInfo& c = m.m_pClasses[0];
  ASSERT_EQ(2, c.m_nFuncs);
  EXPECT_EQ("Set", c.m_pFuncs[0].m_strName);
  EXPECT_EQ(SCOPE_PUBLIC, c.m_pFuncs[0].m_nScope);
  EXPECT_EQ((TextList{"int n", "LPCTSTR s"}), c.m_pFuncs[0].m_arrParams);
  EXPECT_EQ(2u, c.m_pFuncs[0].m_arrDecls.size());
  EXPECT_EQ(1, c.m_nFuncsPrivate);
  EXPECT_EQ(2, c.m_nFuncsPublic);
  EXPECT_EQ(3, c.m_nFuncCount);
  EXPECT_EQ(TextList{"int (DEFAULT)"}, c.m_pFuncs[1].m_arrReturns);
}

TEST(ClassPassesTest, InitialisedMemberKeepsItsFurtherLines) {
  CModuleInfo m = Parse(
      "class C {\nstatic const int arr[] = { 1, 2 };\nint after;\n};\n");
  const CClassInfo& c = m.m_pClasses[0];
  ASSERT_EQ(2, c.m_nVars);
  EXPECT_EQ("static const int arr[] =", c.m_pVars[0].m_strName);
  EXPECT_EQ((TextList{"{", "1, 2", "};"}), c.m_pVars[0].m_arrParams);
  EXPECT_EQ("int after;", c.m_pVars[1].m_strName);
}

TEST(ClassPassesTest, MacroWithoutSemicolonJoinsTheNextMember) {
  // The macro call and the member end up on one statement line, which the
  // parenthesis makes a method named after the macro.
  std::string text = "class CFoo {\nDECLARE_THING(CFoo)\nint m_x;\n};\n";
  CModuleInfo m = Parse(text);
  EXPECT_EQ(0, m.m_pClasses[0].m_nVars);
  ASSERT_EQ(1, m.m_pClasses[0].m_nFuncs);
  EXPECT_EQ("DECLARE_THING", m.m_pClasses[0].m_pFuncs[0].m_strName);
  m = Parse(text, {"DECLARE_THING"});
  ASSERT_EQ(1, m.m_pClasses[0].m_nVars);
  EXPECT_EQ("int m_x;", m.m_pClasses[0].m_pVars[0].m_strName);
}

TEST(ClassPassesTest, NestedClassesGetTheirOwnMembers) {
  CModuleInfo m = Parse(
      "class Outer {\npublic:\nint a;\nclass Inner { int b; void g(); };\n"
      "struct S { int c; } anon;\nvoid f();\n};\n");
  ASSERT_EQ(3, m.m_nClasses);
  const CClassInfo& outer = m.m_pClasses[0];
  const CClassInfo& inner = m.m_pClasses[1];
  EXPECT_EQ("Inner", inner.m_strName);
  ASSERT_EQ(1, outer.m_nVars);
  EXPECT_EQ("int a;", outer.m_pVars[0].m_strName);
  ASSERT_EQ(1, outer.m_nFuncs);
  EXPECT_EQ("f", outer.m_pFuncs[0].m_strName);
  ASSERT_EQ(1, inner.m_nVars);
  EXPECT_EQ("int b;", inner.m_pVars[0].m_strName);
  EXPECT_EQ(SCOPE_PRIVATE, inner.m_pVars[0].m_nScope);
  ASSERT_EQ(1, inner.m_nFuncs);
  ASSERT_EQ(1, m.m_pClasses[2].m_nVars);
  EXPECT_EQ("int c;", m.m_pClasses[2].m_pVars[0].m_strName);
}

TEST(ClassPassesTest, AnonymousStructBodyBelongsToTheOuterClass) {
  CModuleInfo m = Parse("class Outer {\nstruct { int c; } anon;\n};\n");
  const CClassInfo& outer = m.m_pClasses[0];
  ASSERT_EQ(2, outer.m_nVars);
  EXPECT_EQ("struct", outer.m_pVars[0].m_strName);
  EXPECT_EQ((TextList{"{", "int c;"}), outer.m_pVars[0].m_arrParams);
  EXPECT_EQ("}", outer.m_pVars[1].m_strName);
  EXPECT_EQ(TextList{"anon;"}, outer.m_pVars[1].m_arrParams);
}

TEST(ClassPassesTest, SameNameTwiceParsesTheFirstRecordOnce) {
  CModuleInfo m = Parse(
      "#ifdef A\nclass C { int a; void f(); };\n#else\n"
      "class C { int b; };\n#endif\n");
  ASSERT_EQ(2, m.m_nClasses);
  EXPECT_EQ(1, m.m_pClasses[0].m_nVars);
  EXPECT_EQ(1, m.m_pClasses[0].m_nFuncs);
  EXPECT_EQ(0, m.m_pClasses[1].m_nVars);
  EXPECT_EQ(0, m.m_pClasses[1].m_nFuncs);
}

TEST(ClassPassesTest, EmptyClassAndForwardDeclarations) {
  CModuleInfo m = Parse("class E { };\nclass F { class G; friend class H; };\n");
  EXPECT_EQ(0, m.m_pClasses[0].m_nVars);
  EXPECT_TRUE(m.m_pClasses[0].m_pVars.empty());
  ASSERT_EQ(2, m.m_pClasses[1].m_nVars);
  EXPECT_EQ("friend class H;", m.m_pClasses[1].m_pVars[1].m_strName);
}

TEST(ClassPassesTest, NameInAnEarlierHeadTakesThatBody) {
  // "Base" first follows a space in the head of Derived, whose next line
  // opens a body, so Base (parsed first, being a class) takes Derived's
  // body as its own.
  CModuleInfo m = Parse(
      "struct Derived : public Base {\nint d;\n};\nclass Base {\nint b;\n};\n");
  const CClassInfo* base = m.FindClass("Base");
  ASSERT_NE(nullptr, base);
  ASSERT_EQ(1, base->m_nVars);
  EXPECT_EQ("int d;", base->m_pVars[0].m_strName);
}

TEST(ClassPassesTest, TextListPassesMatchTheDriver) {
  std::string text =
      "class A { int a; void f(); void f(int); };\nstruct B { int b; };\n";
  CModuleInfo viaDriver = Parse(text);
  // Run the same passes one class at a time on a plain line list.
  CModuleInfo module;
  TextList lines = {"class A", "{", "int a;", "void f();", "void f(int);",
                    "};", "struct B", "{", "int b;", "};"};
  module.CountGlobals(lines);
  module.CountClasses(lines);
  module.ParseGlobalVariables(lines);
  module.ParseGlobalFunctions(lines, {});
  module.ParseClassHeads(lines);
  for (const char* name : {"A", "B"}) {
    module.CountClassMembers(name, lines);
    module.ParseDataMembers(name, lines);
    module.ParseMethods(name, lines, {});
  }
  EXPECT_EQ((TextList{"class A", "{", "};", "struct B", "{", "};"}), lines);
  ASSERT_EQ(2, module.m_nClasses);
  EXPECT_EQ(viaDriver.m_pClasses[0].m_nFuncs, module.m_pClasses[0].m_nFuncs);
  EXPECT_EQ(viaDriver.m_pClasses[0].m_pFuncs[0].m_arrParams,
            module.m_pClasses[0].m_pFuncs[0].m_arrParams);
  EXPECT_EQ(viaDriver.m_pClasses[1].m_pVars[0].m_strName,
            module.m_pClasses[1].m_pVars[0].m_strName);
}

TEST(ClassPassesTest, NamesSharingTheirLeadingIdentifierFindTheirOwnHeads) {
  CModuleInfo m = Parse(
      "template<> class Foo<1> : public Base { int one; };\n"
      "template<> class Foo<22> { int two; };\n"
      "class Foo { int plain; };\n");
  ASSERT_EQ(3, m.m_nClasses);
  EXPECT_EQ("Foo<1>", m.m_pClasses[0].m_strName);
  ASSERT_EQ(1, m.m_pClasses[0].m_nVars);
  EXPECT_EQ("int one;", m.m_pClasses[0].m_pVars[0].m_strName);
  ASSERT_EQ(1, m.m_pClasses[1].m_nVars);
  EXPECT_EQ("int two;", m.m_pClasses[1].m_pVars[0].m_strName);
  // "Foo" alone first stands after a space in the head of Foo<1>, so it
  // takes that body, whose member Foo<1> has already taken.
  EXPECT_EQ(0, m.m_pClasses[2].m_nVars);
}
