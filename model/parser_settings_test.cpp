#include "model/parser_settings.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::string WriteFile(const std::string& name, const std::string& text) {
  std::ofstream(name, std::ios::binary) << text;
  return name;
}

}  // namespace

TEST(ParserSettingsTest, ReadsSectionsInAnyCaseAndKeepsEntriesWhole) {
  std::string path = WriteFile(
      "settings.ini",
      "ignored\r\n[Other]\r\nalso ignored\r\n  [macroes]  \r\nEXPORT_API\r\n"
      "\r\n  DECLARE_THING \r\n[NotReturns]\nvirtual\nunsigned int\n"
      "[Macros]\nNOT_A_MACRO\n[MACROES]\nEXPORT_API\n");
  TextList macros, notReturns;
  std::string err;
  ASSERT_TRUE(ReadParserSettingsInto(path, &macros, &notReturns, &err));
  EXPECT_EQ((TextList{"EXPORT_API", "DECLARE_THING", "EXPORT_API"}), macros);
  EXPECT_EQ((TextList{"virtual", "unsigned int"}), notReturns);
}

TEST(ParserSettingsTest, MissingFileKeepsTheListsAndNamesThePath) {
  TextList macros{"KEEP"}, notReturns{"void"};
  std::string err;
  EXPECT_FALSE(
      ReadParserSettingsInto("no-such.INI", &macros, &notReturns, &err));
  EXPECT_EQ(
      "no-such.INI\nCannot find this file.\nPlease verify that the correct "
      "path and file name are given.",
      err);
  EXPECT_EQ(TextList{"KEEP"}, macros);
  EXPECT_EQ(TextList{"void"}, notReturns);
}

TEST(ParserSettingsTest, FileNameFollowsTheExecutable) {
  EXPECT_EQ("Varnel.INI", SettingsFileNameFor("D:\\tools\\Varnel.exe"));
  EXPECT_EQ("varnel.INI", SettingsFileNameFor("/usr/bin/varnel"));
}
