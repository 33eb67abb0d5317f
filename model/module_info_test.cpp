#include "model/module_info.h"

#include <gtest/gtest.h>

TEST(ModuleInfoTest, NewAndClearedModulesHaveSwitchesOffAndFiltersOn) {
  CModuleInfo module;
  for (int round = 0; round < 2; ++round) {
    EXPECT_FALSE(module.m_bHelpKeywords);
    EXPECT_FALSE(module.m_bSplitFiles);
    EXPECT_FALSE(module.m_bStylesheet);
    EXPECT_TRUE(module.m_bShowPublic);
    EXPECT_TRUE(module.m_bShowProtected);
    EXPECT_TRUE(module.m_bShowPrivate);
    EXPECT_TRUE(module.m_bShowExtern);
    EXPECT_TRUE(module.m_bShowLocal);
    EXPECT_EQ(0, module.m_nClasses);
    EXPECT_TRUE(module.m_pClasses.empty());
    EXPECT_TRUE(module.m_arrHIncludes.empty());
    EXPECT_TRUE(module.m_arrCppIncludes.empty());
    // Fill what a merge fills, then clear.
    module.m_strDescription = "d";
    module.m_strVarText = "v";
    module.m_strFuncText = "f";
    module.m_arrCppIncludes.push_back("x.cpp");
    module.m_bStylesheet = true;
    module.m_bShowLocal = false;
    module.m_pClasses.resize(2);
    module.m_nClasses = 2;
    module.Clear();
    EXPECT_TRUE(module.m_strDescription.empty());
    EXPECT_TRUE(module.m_strVarText.empty());
    EXPECT_TRUE(module.m_strFuncText.empty());
  }
}

TEST(ModuleInfoTest, OptionsSurviveAClearWhenKept) {
  CModuleInfo module;
  module.m_bSplitFiles = true;
  module.m_bShowPrivate = false;
  CModuleInfo::Options kept = module.GetOptions();
  module.Clear();
  module.SetOptions(kept);
  EXPECT_TRUE(module.m_bSplitFiles);
  EXPECT_FALSE(module.m_bShowPrivate);
  EXPECT_TRUE(module.m_bShowProtected);
}

// The classes beyond the count are not written, and a name met again is
// written as its first class.
TEST(ModuleInfoTest, FirstClassOfEachNameAmongTheCountedClasses) {
  CModuleInfo module;
  for (const char* name : {"A", "B", "A", "C", "B", "D"}) {
    module.m_pClasses.emplace_back();
    module.m_pClasses.back().m_strName = name;
  }
  module.m_nClasses = 5;
  EXPECT_EQ((std::vector<int>{0, 1, 0, 3, 1}), FirstClassIndexes(module));
  const auto byName = FirstClassesByName(module);
  for (size_t i = 0; i < 5; ++i)
    EXPECT_EQ(&module.m_pClasses[FirstClassIndexes(module)[i]],
              byName.at(module.m_pClasses[i].m_strName));
  module.m_nClasses = 0;
  EXPECT_TRUE(FirstClassIndexes(module).empty());
}
