#include "xml/coverage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "parser/parse_header.h"
#include "xml/placeholder_lines_for_tests.h"
#include "xml/xml_writer.h"

namespace {

const char kHeader[] =
    "class CDoc;\n"
    "extern int g_nCount;\n"
    "static int s_nLocal;\n"
    "int Area(int w, int h);\n"
    "static void Reset(void);\n"
    "class CFoo\n"
    "{\n"
    "    friend class CBar;\n"
    "public:\n"
    "    void Draw(int nMode);\n"
    "    int m_nSize;\n"
    "private:\n"
    "    int Hidden();\n"
    "    int m_nSecret;\n"
    "};\n";

CModuleInfo Parse(const std::string& header, const std::string& name = "A") {
  CModuleInfo module;
  module.m_strName = name;
  TextList lines;
  std::string err;
  EXPECT_TRUE(ParseHeaderText(header, name + ".h", name + ".htm", TextList(),
                              TextList(), &lines, &module, &err))
      << err;
  return module;
}

int Count(const Coverage& c, CoverageKind kind) { return c.Of(kind).total; }

TEST(CoverageTest, CountsWhatThePageShowsUnderItsFilters) {
  CModuleInfo module = Parse(kHeader);
  Coverage all = CountCoverage(module, false);
  // Module text and both list introductions.
  EXPECT_EQ(3, Count(all, CoverageKind::kModule));
  EXPECT_EQ(2, Count(all, CoverageKind::kGlobalVariables));  // not class CDoc;
  EXPECT_EQ(4, Count(all, CoverageKind::kGlobalFunctions));
  EXPECT_EQ(1, Count(all, CoverageKind::kClasses));
  EXPECT_EQ(2, Count(all, CoverageKind::kDataMembers));  // not the friend
  EXPECT_EQ(4, Count(all, CoverageKind::kMethods));
  EXPECT_EQ(3, Count(all, CoverageKind::kParameters));  // no "void"
  EXPECT_EQ(0, all.Described());
  EXPECT_EQ(all.Total(), static_cast<int>(all.missing.size()));
  // The counts alone are the same counts.
  Coverage counted = CountCoverage(module, false, false);
  EXPECT_TRUE(counted.missing.empty());
  for (int kind = 0; kind < kCoverageKinds; ++kind) {
    EXPECT_EQ(all.kinds[kind].total, counted.kinds[kind].total);
    EXPECT_EQ(all.kinds[kind].described, counted.kinds[kind].described);
  }

  Coverage withTypes = CountCoverage(module, true);
  EXPECT_EQ(3, Count(withTypes, CoverageKind::kGlobalVariables));
  EXPECT_EQ(3, Count(withTypes, CoverageKind::kDataMembers));

  // Only public members and external globals: the private short entries
  // and the static globals go; the private method's detail stays.
  module.m_bShowPrivate = module.m_bShowProtected = module.m_bShowLocal = false;
  Coverage narrow = CountCoverage(module, false);
  EXPECT_EQ(1, Count(narrow, CoverageKind::kGlobalVariables));
  EXPECT_EQ(2, Count(narrow, CoverageKind::kGlobalFunctions));
  EXPECT_EQ(1, Count(narrow, CoverageKind::kDataMembers));
  EXPECT_EQ(3, Count(narrow, CoverageKind::kMethods));
}

TEST(CoverageTest, PlaceholdersCountAsMissingWhereverTheyCameFrom) {
  CModuleInfo module = Parse(kHeader);
  module.m_strDescription = "A module.";
  module.m_pVars[1].m_strShortDesc =
      "Here should be a short description of the variable.";
  CClassInfo& foo = module.m_pClasses[0];
  foo.m_pFuncs[0].m_strShortDesc = "Draws.";
  DescriptionSlot(&foo.m_pFuncs[0].m_arrParamDescs, 0) = "The mode.";
  DescriptionSlot(&foo.m_pFuncs[0].m_arrReturnDescs, 0) = " - none -";
  Coverage c = CountCoverage(module, false);
  EXPECT_EQ(3, c.Described());
  EXPECT_EQ(1, c.Of(CoverageKind::kModule).described);
  EXPECT_EQ(0, c.Of(CoverageKind::kGlobalVariables).described);
  EXPECT_EQ(1, c.Of(CoverageKind::kParameters).described);
  EXPECT_EQ(0, c.Of(CoverageKind::kReturnValues).described);
  EXPECT_NEAR(100.0 * 3 / c.Total(), c.Percent(), 1e-9);
  EXPECT_DOUBLE_EQ(100.0, Coverage().Percent());
}

TEST(CoverageTest, AClassOfARepeatedNameIsCountedAsOftenAsItIsWritten) {
  CModuleInfo module = Parse("class C { int a; };\nclass C { int b; int c; };\n");
  Coverage c = CountCoverage(module, false);
  EXPECT_EQ(2, Count(c, CoverageKind::kClasses));
  EXPECT_EQ(2, Count(c, CoverageKind::kDataMembers));  // the first, twice
}

TEST(CoverageTest, TypeNames) {
  for (const char* yes : {"class X;", "struct X;", "friend class X;",
                          "union U ;", "enum class E;", "class ns::X;"})
    EXPECT_TRUE(NamesOnlyAType(yes)) << yes;
  for (const char* no : {"class X", "int x;", "class X x;", "struct X* p;",
                         "enum E { A };", "class;", "friend X;"})
    EXPECT_FALSE(NamesOnlyAType(no)) << no;
}

// The sentences the check must count as missing: the lines that stand for
// descriptions, and the two list introductions the file writes inline.
const char* const kListPlaceholders[] = {
    "<Description>This is the list of variables, that are not assigned to "
    "any class.</Description>",
    "<Description>This is the list of global functions.</Description>",
};

int PlaceholderLines(CModuleInfo module) {
  TextList lines;
  BuildXmlDocument(&module, "x.h", "x.htm", &lines);
  int n = 0;
  for (const std::string& line : lines) {
    for (const char* p : kPlaceholderLines)
      n += line == p ? 1 : 0;
    for (const char* p : kListPlaceholders)
      n += line == p ? 1 : 0;
  }
  return n;
}

// What the check calls missing is exactly what the XML file shows as a
// placeholder, over every installed wx header and both narrow filters.
TEST(CoverageTest, MissingDescriptionsAreThePlaceholdersOfTheXml) {
  const char kWx[] = "/usr/include/wx-3.2/wx";
  if (!std::filesystem::is_directory(kWx))
    GTEST_SKIP() << kWx << " is not installed";
  int headers = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kWx)) {
    if (entry.path().extension() != ".h")
      continue;
    CModuleInfo module;
    module.m_strName = entry.path().stem().string();
    TextList lines;
    std::string err;
    if (!ParseHeader(entry.path().string(), "x.htm", {}, {}, &lines, &module,
                     &err))
      continue;
    ++headers;
    for (int filters = 0; filters < 2; ++filters) {
      module.m_bShowPrivate = module.m_bShowProtected = module.m_bShowLocal =
          filters == 0;
      const Coverage all = CountCoverage(module, true);
      ASSERT_EQ(PlaceholderLines(module), static_cast<int>(all.missing.size()))
          << entry.path() << " filters " << filters;
      ASSERT_LE(CountCoverage(module, false).Total(), all.Total());
    }
  }
  EXPECT_GT(headers, 100);
}

}  // namespace
