#include "parser/normalizer.h"

#include <gtest/gtest.h>

#include <random>

#include "parser/line_prep.h"
#include "parser/normalizer_reference.h"

namespace {

TextList Normalized(TextList lines, const TextList& macros = {}) {
  NormalizeStatements(&lines, macros);
  return lines;
}

}  // namespace

TEST(NormalizerTest, WorkedExampleGivesTheTenCanonicalLines) {
  TextList in = {"class CFoo : public CObject",
                 "{",
                 "public:",
                 "CFoo();",
                 "int GetA() const { return m_a; }",
                 "protected:",
                 "int m_a;",
                 "};",
                 "extern int g_n;",
                 "int Twice(int x);"};
  TextList out = {"class CFoo:public CObject",
                  "{",
                  "public:",
                  "CFoo();",
                  "int GetA() const ;",
                  "protected:",
                  "int m_a;",
                  "};",
                  "extern int g_n;",
                  "int Twice(int x);"};
  EXPECT_EQ(out, Normalized(in));
}

TEST(NormalizerTest, BracesLabelsAndHeadsGetLinesOfTheirOwn) {
  EXPECT_EQ((TextList{"class CFoo:public CBar", "{", "public:", "int m_n;",
                      "};"}),
            Normalized({"class CFoo : public CBar { public: int m_n; };"}));
  EXPECT_EQ(TextList{"class CFoo;"}, Normalized({"class CFoo;"}));
  EXPECT_EQ((TextList{"struct S", "{", "friend class CBar;", "int x;", "};"}),
            Normalized({"struct S { friend class CBar; int x; };"}));
  // A tab before a keyword that does not open a body becomes a space.
  EXPECT_EQ(TextList{"void f(struct tm* p);"},
            Normalized({"void f(struct tm *p);"}));
}

TEST(NormalizerTest, InlineBodiesBecomeSemicolons) {
  EXPECT_EQ(TextList{"CFoo();"}, Normalized({"CFoo() { Init(); }"}));
  EXPECT_EQ(TextList{"int Get() const ;"},
            Normalized({"int Get() const { return m_n; }"}));
  EXPECT_EQ(TextList{}, Normalized({"inline int Twice(int x) { return x + x; }"}));
  // Bodies nested inside bodies go with their outer body.
  EXPECT_EQ(TextList{"void f();"},
            Normalized({"void f() { if (a) { b(); } else { c(); } }"}));
}

TEST(NormalizerTest, UnbalancedBodyStopsBodyRemoval) {
  TextList out = Normalized({"void f() { a; int g() { return 1; }"});
  // Nothing after the unbalanced body is removed.
  EXPECT_EQ((TextList{"void f()", "{", "a;", "int g()", "{", "return 1;", "}"}),
            out);
}

TEST(NormalizerTest, SpacingAroundOperatorsIsCanonical) {
  EXPECT_EQ(TextList{"char* p;"}, Normalized({"char *p;"}));
  EXPECT_EQ(TextList{"char** pp;"}, Normalized({"char **pp;"}));
  EXPECT_EQ(TextList{"void f(const CString& s);"},
            Normalized({"void f(const CString &s);"}));
  EXPECT_EQ(TextList{"f(int a, int b);"}, Normalized({"f(int a , int b);"}));
  EXPECT_EQ(TextList{"bool operator== (int n);"},
            Normalized({"bool operator == (int n);"}));
  EXPECT_EQ(TextList{"CFoo::Bar x;"}, Normalized({"CFoo :: Bar x;"}));
}

TEST(NormalizerTest, MacrosGoWithTheirArgumentLists) {
  TextList macros = {"EXPORT_API", "DECLARE_THING"};
  EXPECT_EQ((TextList{"class CFoo", "{", "int x;", "};"}),
            Normalized({"class EXPORT_API CFoo {", "DECLARE_THING(CFoo)",
                        "int x; };"},
                       macros));
  // Not a whole word: left alone.
  EXPECT_EQ(TextList{"class MY_EXPORT_API CFoo;"},
            Normalized({"class MY_EXPORT_API CFoo;"}, macros));
  // A parenthesis far away, with identifiers between, is not its list.
  std::string text = "EXPORT_API int f(x);";
  RemoveMacros(&text, macros);
  EXPECT_EQ("           int f(x);", text);
  // An argument list that never closes stays.
  text = "DECLARE_THING(a, b";
  RemoveMacros(&text, macros);
  EXPECT_EQ("DECLARE_THING(a, b", text);
}

TEST(NormalizerTest, TextWithoutStatementsGivesNoLines) {
  EXPECT_EQ(TextList{}, Normalized({"just some words", "and more"}));
}

TEST(NormalizerTest, MacroRemovalAgreesWithThePlainRule) {
  std::mt19937 rng(7);
  // Names are looked up by length first; one is longer than any short one.
  const std::string longName(70, 'L');
  const char* pieces[] = {"A", "B", "AB", "A_1", "(", ")", " ", ",", "x",
                          "$", "((", "))", "A(", ")B", ";", longName.c_str(),
                          "C", "D1", "E"};
  const TextList macroSets[] = {{"A", "B"},
                                {"B", "A", "A"},
                                {"AB", "A(", "x", "B"},
                                {")B", "A"},
                                {"A_1", "((", "B"},
                                {longName, "AB", longName + "L"},
                                // Names of many first bytes: the text is
                                // searched for them a byte at a time.
                                {"A", "B", "x", "$", "C", "D1", "E", longName}};
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    int n = rng() % 40;
    for (int i = 0; i < n; ++i)
      text += pieces[rng() % (sizeof pieces / sizeof *pieces)];
    for (const auto& macros : macroSets) {
      std::string fast = text, plain = text;
      RemoveMacros(&fast, macros);
      RemoveMacrosPlainly(&plain, macros);
      ASSERT_EQ(plain, fast) << "text: " << text;
    }
  }
}
