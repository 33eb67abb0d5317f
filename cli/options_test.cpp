#include "cli/options.h"

#include <gtest/gtest.h>

namespace {

CliOptions Parse(std::vector<std::string> args, bool ok = true) {
  CliOptions opts;
  std::string err;
  EXPECT_EQ(ok, ParseCliOptions(args, &opts, &err)) << err;
  return opts;
}

}  // namespace

TEST(CliOptionsTest, DefaultsAreThoseOfANewDocument) {
  CliOptions o = Parse({"a/Foo.h"});
  EXPECT_EQ("a/Foo.h", o.header);
  EXPECT_FALSE(o.html || o.xml);
  EXPECT_FALSE(o.options.bHelpKeywords || o.options.bSplitFiles ||
               o.options.bStylesheet);
  EXPECT_TRUE(o.options.bShowPrivate && o.options.bShowProtected &&
              o.options.bShowLocal);
}

TEST(CliOptionsTest, OutputPathsWithAndWithoutValues) {
  CliOptions o = Parse({"src/Foo.h", "--all"});
  EXPECT_EQ("src/Foo.htm", HtmlOutputPath(o));
  EXPECT_EQ("src/Foo.xml", XmlOutputPath(o));
  o = Parse({"src/Foo.h", "--html", "--xml", "--out", "doc/"});
  EXPECT_EQ("doc/Foo.htm", HtmlOutputPath(o));
  EXPECT_EQ("doc/Foo.xml", XmlOutputPath(o));
  o = Parse({"src/Foo.h", "--html", "page.htm", "--xml=-"});
  EXPECT_EQ("page.htm", HtmlOutputPath(o));
  EXPECT_EQ("-", XmlOutputPath(o));
  o = Parse({"--html", "x.htm", "Foo.h"});
  EXPECT_EQ("Foo.h", o.header);
  EXPECT_EQ("x.htm", HtmlOutputPath(o));
  o = Parse({"--html", "Foo.h"});
  EXPECT_EQ("Foo.h", o.header);
  EXPECT_EQ("Foo.htm", HtmlOutputPath(o));
  // A header in the root folder: an empty folder gives no separator.
  o = Parse({"/x.h", "--all"});
  EXPECT_EQ("x.htm", HtmlOutputPath(o));
  o = Parse({"C:\\src\\Geo.h", "--xml"});
  EXPECT_EQ("C:\\src/Geo.xml", XmlOutputPath(o));
}

TEST(CliOptionsTest, FiltersAndSwitches) {
  CliOptions o = Parse({"F.h", "--members", "protected", "--globals=extern",
                        "--keywords", "--split", "--stylesheet"});
  EXPECT_TRUE(o.options.bShowProtected);
  EXPECT_FALSE(o.options.bShowPrivate);
  EXPECT_FALSE(o.options.bShowLocal);
  EXPECT_TRUE(o.options.bShowExtern);
  EXPECT_TRUE(o.options.bHelpKeywords && o.options.bSplitFiles &&
              o.options.bStylesheet);
  o = Parse({"F.h", "--members=public"});
  EXPECT_FALSE(o.options.bShowProtected || o.options.bShowPrivate);
  EXPECT_TRUE(o.options.bShowPublic);
}

TEST(CliOptionsTest, MergesKeepTheirOrder) {
  CliOptions o = Parse({"F.h", "--merge", "a.xml", "--merge=b.xml"});
  EXPECT_EQ((std::vector<std::string>{"a.xml", "b.xml"}), o.merges);
}

TEST(CliOptionsTest, UsageErrors) {
  Parse({}, false);
  Parse({"F.h", "G.h"}, false);
  Parse({"F.h", "--members", "some"}, false);
  Parse({"F.h", "--globals"}, false);
  Parse({"F.h", "--frobnicate"}, false);
  Parse({"F.h", "--all=yes"}, false);
  EXPECT_TRUE(Parse({"--help"}).help);
  EXPECT_TRUE(Parse({"--version"}).version);
}
