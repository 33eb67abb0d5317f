#include "html/help_names.h"

#include <gtest/gtest.h>

#include "html/help_pages.h"

namespace {

TEST(HelpNamesTest, NamesThatStayAFileOfTheFolder) {
  for (const char* name :
       {"Geo.htm", "Geo_Class_CPoint.htm", "a b.htm", "x*(y),z-1.htm",
        "Geo_Class_ns::X.htm", "9a:b.htm", "\xE4\xF6.htm"})
    EXPECT_EQ("", PageFileNameProblem(name)) << name;
  EXPECT_EQ("", PageFileNameProblem(std::string(200, 'a')));
}

TEST(HelpNamesTest, NamesThatEscapeTheFolderOrBreakALink) {
  const std::pair<std::string, const char*> cases[] = {
      {"", "is empty"},
      {std::string(201, 'a'), "is longer than 200 bytes"},
      {".htaccess", "begins with a dot"},
      {"..htm", "begins with a dot"},
      {"../x.htm", "begins with a dot"},
      {"a/../../x.htm", "folder separator \"/\""},
      {"a\\x.htm", "folder separator \"\\\""},
      {std::string("a\0b.htm", 7), "control character"},
      {"a\nb.htm", "control character"},
      {"a\x7f.htm", "control character"},
      {"a#b.htm", "\"#\", which a link reads"},
      {"a?b.htm", "\"?\""},
      {"a%41.htm", "\"%\""},
      {"T<int>.htm", "\"<\", which a link of the help book cannot carry"},
      {"a&b.htm", "\"&\""},
      {"a\"b.htm", "\"\"\""},
      {"GeoCFns::X.htm", "another protocol (\"GeoCFns:\")"},
      {"javascript:x.htm", "another protocol"},
  };
  for (const auto& [name, problem] : cases)
    EXPECT_NE(std::string::npos, PageFileNameProblem(name).find(problem))
        << ShownName(name) << ": " << PageFileNameProblem(name);
}

TEST(HelpNamesTest, MessagesShowControlBytes) {
  EXPECT_EQ("a\\x0ab\\x00", ShownName(std::string("a\nb\0", 4)));
  std::vector<HelpPage> pages(1);
  pages[0].file = "x\ty.htm";
  pages[0].entry = "the class x\ty";
  std::string err;
  EXPECT_FALSE(CheckHelpPageNames(pages, &err));
  EXPECT_EQ("The page file name \"x\\x09y.htm\" of the class x\\x09y contains "
            "a control character.",
            err);
}

TEST(HelpNamesTest, SharedFilesAreFoundInLinearTime) {
  std::vector<HelpPage> pages(200000);
  for (size_t i = 0; i < pages.size(); ++i) {
    pages[i].file = "P" + std::to_string(i) + ".htm";
    pages[i].entry = "page " + std::to_string(i);
  }
  std::string err;
  EXPECT_TRUE(CheckHelpPageNames(pages, &err)) << err;
  pages.back().file = "p17.htm";
  EXPECT_FALSE(CheckHelpPageNames(pages, &err));
  EXPECT_EQ("The page files \"P17.htm\" of page 17 and \"p17.htm\" of page "
            "199999 differ only in case.",
            err);
}

}  // namespace
