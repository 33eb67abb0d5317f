#include "parser/declaration_lines.h"

#include <gtest/gtest.h>

namespace {

const char kHeader[] =
    "// class CPoint is described below; Move(int) too\n"  // 1
    "class CPoint;\n"                                      // 2
    "int Move(int dx);  /* a global Move( */\n"            // 3
    "class CPoint : public CBase\n"                        // 4
    "{\n"                                                  // 5
    "public:\n"                                            // 6
    "    CPoint& operator+=(const CPoint& o);\n"           // 7
    "    void Move(int dx) { m_x += dx; }\n"               // 8
    "    ~CPoint();\n"                                     // 9
    "    int m_x;\n"                                       // 10
    "    const char* m_psz = \"m_y\";\n"                   // 11
    "    int m_y;\n"                                       // 12
    "};\n"                                                 // 13
    "struct SRect { int m_x; void Move(int); };\n"         // 14
    "extern int g_nCount;\n";                              // 15

TEST(DeclarationLinesTest, EntriesAreFoundWhereTheyAreDeclared) {
  const DeclarationLines lines(kHeader);
  // The head, not the forward declaration nor the comment.
  const int point = lines.ClassLine("CPoint");
  EXPECT_EQ(4, point);
  EXPECT_EQ(14, lines.ClassLine("SRect"));
  // Methods and members inside their own class's body.
  EXPECT_EQ(8, lines.MethodLine(point, "Move"));
  EXPECT_EQ(7, lines.MethodLine(point, "operator+="));
  EXPECT_EQ(9, lines.MethodLine(point, "~CPoint"));
  EXPECT_EQ(10, lines.MemberLine(point, "m_x"));
  EXPECT_EQ(12, lines.MemberLine(point, "m_y"));  // not in the literal
  EXPECT_EQ(14, lines.MethodLine(14, "Move"));
  EXPECT_EQ(14, lines.MemberLine(14, "m_x"));
  // Globals outside every class body.
  EXPECT_EQ(3, lines.FunctionLine("Move"));
  EXPECT_EQ(15, lines.VariableLine("g_nCount"));
}

// Uses of a member in inline bodies before its declaration are passed by.
TEST(DeclarationLinesTest, MembersAreNotFoundWhereTheyAreUsed) {
  const DeclarationLines lines(
      "class CPoint {\n"
      "  bool operator==(const CPoint& o) const { return m_x == o.m_x; }\n"
      "  double GetX() const { return m_x; }\n"
      "  void Set(double x)\n"
      "  {\n"
      "    m_x = x;\n"
      "  }\n"
      "  double m_x;\n"
      "};\n");
  EXPECT_EQ(8, lines.MemberLine(1, "m_x"));
  EXPECT_EQ(3, lines.MethodLine(1, "GetX"));
}

TEST(DeclarationLinesTest, WhatCannotBeFoundIsLineOne) {
  const DeclarationLines lines(kHeader);
  EXPECT_EQ(1, lines.ClassLine("CNowhere"));
  EXPECT_EQ(1, lines.FunctionLine("Nowhere"));
  EXPECT_EQ(1, lines.VariableLine(""));
  EXPECT_EQ(4, lines.MethodLine(4, "Nowhere"));
  const DeclarationLines empty("");
  EXPECT_EQ(1, empty.ClassLine("CPoint"));
  const DeclarationLines open("/* never closed\nclass A {\n\"x\n");
  EXPECT_EQ(1, open.ClassLine("A"));
}

}  // namespace
