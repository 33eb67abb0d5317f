// The generated headers must parse into the shape the benchmark reports,
// or its figures would be about some other input.
#include "bench/header_generator.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/module_info.h"
#include "parser/parse_header.h"

void PrintTo(const ShapeInfo& info, std::ostream* os) { *os << info.name; }

namespace {

struct Parsed {
  CModuleInfo module;
  TextList rest;
};

void Parse(const GeneratedHeader& header, Parsed* parsed) {
  std::string err;
  parsed->module.m_strName = "generated";
  ASSERT_TRUE(ParseHeaderText(
      header.text, "/tmp/generated.h", "/tmp/generated.htm", header.macros,
      header.notReturns, &parsed->rest, &parsed->module, &err))
      << err;
}

HeaderCounts CountsOf(const CModuleInfo& m) {
  HeaderCounts c;
  c.classes = m.m_nClasses;
  c.globalVars = m.m_nVars;
  c.globalFuncRecords = m.m_nFuncs;
  c.globalFuncDecls = m.m_nFuncCount;
  for (const CDeclInfo& f : m.m_pFuncs)
    c.maxOverloads = std::max<int>(c.maxOverloads, f.m_arrDecls.size());
  for (const CClassInfo& cls : m.m_pClasses) {
    c.dataMembers += cls.m_nVars;
    c.methodRecords += cls.m_nFuncs;
    c.methodDecls += cls.m_nFuncCount;
    for (const CDeclInfo& f : cls.m_pFuncs)
      c.maxOverloads = std::max<int>(c.maxOverloads, f.m_arrDecls.size());
  }
  return c;
}

int MaxBraceDepth(const std::string& text) {
  int depth = 0, deepest = 0;
  for (char ch : text) {
    if (ch == '{')
      deepest = std::max(deepest, ++depth);
    else if (ch == '}')
      --depth;
  }
  return deepest;
}

class EveryShape : public testing::TestWithParam<ShapeInfo> {};

TEST_P(EveryShape, ParsesIntoTheCountsItClaims) {
  const GeneratedHeader header = GenerateHeader(GetParam().shape, 30000);
  Parsed parsed;
  Parse(header, &parsed);
  const HeaderCounts want = header.counts;
  const HeaderCounts got = CountsOf(parsed.module);
  EXPECT_EQ(got.classes, want.classes);
  EXPECT_EQ(got.globalVars, want.globalVars);
  EXPECT_EQ(got.globalFuncRecords, want.globalFuncRecords);
  EXPECT_EQ(got.globalFuncDecls, want.globalFuncDecls);
  EXPECT_EQ(got.dataMembers, want.dataMembers);
  EXPECT_EQ(got.methodRecords, want.methodRecords);
  EXPECT_EQ(got.methodDecls, want.methodDecls);
  EXPECT_EQ(got.maxOverloads, want.maxOverloads);
  // Every declaration became a record: nothing but braces is left over.
  for (const std::string& line : parsed.rest)
    EXPECT_TRUE(line == "{" || line == "};" || line == "}" ||
                line == "public:" || line == "protected:" ||
                line == "private:" || StartsWith(line, "class ") ||
                StartsWith(line, "struct "))
        << line;
}

TEST_P(EveryShape, SizeScalesAndIsReproducible) {
  const HeaderShape shape = GetParam().shape;
  const GeneratedHeader small = GenerateHeader(shape, 20000);
  const GeneratedHeader large = GenerateHeader(shape, 200000);
  EXPECT_GE(small.text.size(), 20000u);
  EXPECT_LT(small.text.size(), 21000u);
  EXPECT_GE(large.text.size(), 200000u);
  EXPECT_LT(large.text.size(), 201000u);
  EXPECT_EQ(GenerateHeader(shape, 20000).text, small.text);
  // The growing part grows with the size; fixed parts (four huge classes,
  // one overloaded name) stay.
  auto items = [](const HeaderCounts& c) {
    return c.classes + c.globalVars + c.globalFuncDecls + c.dataMembers +
           c.methodDecls;
  };
  EXPECT_GT(items(large.counts), 9 * items(small.counts));
  EXPECT_LT(items(large.counts), 11 * items(small.counts));
}

TEST_P(EveryShape, TinySizeStillGivesOneUnit) {
  const GeneratedHeader header = GenerateHeader(GetParam().shape, 0);
  Parsed parsed;
  Parse(header, &parsed);
  EXPECT_EQ(CountsOf(parsed.module).classes, header.counts.classes);
  EXPECT_GT(header.counts.globalFuncDecls + header.counts.methodDecls, 0);
}

INSTANTIATE_TEST_SUITE_P(Shapes, EveryShape, testing::ValuesIn(AllShapes()),
                         [](const testing::TestParamInfo<ShapeInfo>& info) {
                           return std::string(info.param.name);
                         });

TEST(ShapeDetails, ManySmallClassesAreManyAndSmall) {
  const GeneratedHeader header =
      GenerateHeader(HeaderShape::kManySmallClasses, 100000);
  EXPECT_GT(header.counts.classes, 400);
  Parsed parsed;
  Parse(header, &parsed);
  for (const CClassInfo& cls : parsed.module.m_pClasses)
    EXPECT_LE(cls.m_nVars + cls.m_nFuncs, 4) << cls.m_strName;
}

TEST(ShapeDetails, FewHugeClassesHoldEverything) {
  const GeneratedHeader header =
      GenerateHeader(HeaderShape::kFewHugeClasses, 100000);
  Parsed parsed;
  Parse(header, &parsed);
  ASSERT_EQ(parsed.module.m_nClasses, 4);
  for (const CClassInfo& cls : parsed.module.m_pClasses) {
    EXPECT_GT(cls.m_nFuncs, 300) << cls.m_strName;
    EXPECT_GT(cls.m_nVars, 100) << cls.m_strName;
    EXPECT_GT(cls.m_nFuncsPublic, 0);
    EXPECT_GT(cls.m_nFuncsProtected, 0);
    EXPECT_GT(cls.m_nFuncsPrivate, 0);
  }
}

TEST(ShapeDetails, OverloadsShareOneNameWithDistinctParameters) {
  const GeneratedHeader header =
      GenerateHeader(HeaderShape::kOverloads, 100000);
  EXPECT_GT(header.counts.maxOverloads, 1000);
  Parsed parsed;
  Parse(header, &parsed);
  ASSERT_EQ(parsed.module.m_nFuncs, 1);
  const CDeclInfo& global = parsed.module.m_pFuncs[0];
  EXPECT_EQ(global.m_strName, "Overloaded");
  EXPECT_EQ(global.m_arrParams.size(), global.m_arrDecls.size());
  ASSERT_EQ(parsed.module.m_nClasses, 1);
  ASSERT_EQ(parsed.module.m_pClasses[0].m_nFuncs, 1);
  const CDeclInfo& method = parsed.module.m_pClasses[0].m_pFuncs[0];
  EXPECT_EQ(method.m_strName, "Set");
  EXPECT_EQ(method.m_arrParams.size(), method.m_arrDecls.size());
}

TEST(ShapeDetails, MacrosAreRemovedButNearMissesStay) {
  const GeneratedHeader header =
      GenerateHeader(HeaderShape::kMacroLists, 100000);
  EXPECT_EQ(header.macros.size(), 1000u);
  EXPECT_GT(header.counts.macroUses, 1000);
  EXPECT_GT(header.counts.macroNearMisses, 100);
  Parsed parsed;
  Parse(header, &parsed);
  // A listed name may only be left inside a longer identifier (m_nVN_M...).
  auto clean = [](const std::string& text) {
    for (size_t p = text.find("VN_M"); p != std::string::npos;
         p = text.find("VN_M", p + 1))
      if (p < 3 || text.compare(p - 3, 3, "m_n") != 0)
        return false;
    return true;
  };
  int nearMisses = 0;
  for (const CDeclInfo& f : parsed.module.m_pFuncs)
    EXPECT_TRUE(clean(f.m_strName) && clean(f.m_arrDecls[0])) << f.m_strName;
  for (const CClassInfo& cls : parsed.module.m_pClasses) {
    EXPECT_TRUE(StartsWith(cls.m_strName, "CMacroUser")) << cls.m_strName;
    for (const CDeclInfo& v : cls.m_pVars) {
      EXPECT_TRUE(clean(v.m_strName)) << v.m_strName;
      EXPECT_TRUE(v.m_arrParams.empty()) << v.m_strName;
      nearMisses += v.m_strName.find("m_nVN_M") != std::string::npos;
    }
    for (const CDeclInfo& f : cls.m_pFuncs)
      EXPECT_TRUE(clean(f.m_arrDecls[0])) << f.m_arrDecls[0];
  }
  EXPECT_EQ(nearMisses, header.counts.macroNearMisses);
}

TEST(ShapeDetails, DeepNestingNestsEveryLevelInTheOneBefore) {
  const GeneratedHeader header =
      GenerateHeader(HeaderShape::kDeepNesting, 100000);
  EXPECT_GT(header.counts.nestingDepth, 200);
  // Each level opens its body and holds two brace pairs of its own before
  // the next level opens.
  EXPECT_GE(MaxBraceDepth(header.text), header.counts.nestingDepth);
  Parsed parsed;
  Parse(header, &parsed);
  ASSERT_EQ(parsed.module.m_nClasses, header.counts.nestingDepth);
  // A level that took its inner levels' members would hold more than its
  // own two fields and two methods.
  for (const CClassInfo& cls : parsed.module.m_pClasses) {
    EXPECT_EQ(cls.m_nVars, 2) << cls.m_strName;
    EXPECT_EQ(cls.m_nFuncs, 2) << cls.m_strName;
  }
}

TEST(ShapeDetails, OneLineHasNoLineBreakButTheLast) {
  const GeneratedHeader header = GenerateHeader(HeaderShape::kOneLine, 100000);
  EXPECT_EQ(header.text.find('\n'), header.text.size() - 1);
  EXPECT_NE(header.text.find("/*"), std::string::npos);
  EXPECT_NE(header.text.find('\t'), std::string::npos);
}

TEST(Settings, FileTextListsBothSections) {
  GeneratedHeader header;
  header.macros = {"A_API", "B_DECL"};
  header.notReturns = {"virtual"};
  EXPECT_EQ(SettingsFileText(header),
            "[Macroes]\nA_API\nB_DECL\n[NotReturns]\nvirtual\n");
}

}  // namespace
