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
  EXPECT_EQ((std::vector<std::string>{"a/Foo.h"}), o.headers);
  EXPECT_FALSE(o.html || o.xml);
  EXPECT_FALSE(o.options.bHelpKeywords || o.options.bSplitFiles ||
               o.options.bStylesheet);
  EXPECT_TRUE(o.options.bShowPrivate && o.options.bShowProtected &&
              o.options.bShowLocal);
}

TEST(CliOptionsTest, OutputPathsWithAndWithoutValues) {
  CliOptions o = Parse({"src/Foo.h", "--all"});
  EXPECT_EQ("src/Foo.htm", HtmlOutputPath(o, o.headers[0]));
  EXPECT_EQ("src/Foo.xml", XmlOutputPath(o, o.headers[0]));
  o = Parse({"src/Foo.h", "--html", "--xml", "--out", "doc/"});
  EXPECT_EQ("doc/Foo.htm", HtmlOutputPath(o, o.headers[0]));
  EXPECT_EQ("doc/Foo.xml", XmlOutputPath(o, o.headers[0]));
  o = Parse({"src/Foo.h", "--html", "page.htm", "--xml=-"});
  EXPECT_EQ("page.htm", HtmlOutputPath(o, o.headers[0]));
  EXPECT_EQ("-", XmlOutputPath(o, o.headers[0]));
  o = Parse({"--html", "x.htm", "Foo.h"});
  EXPECT_EQ((std::vector<std::string>{"Foo.h"}), o.headers);
  EXPECT_EQ("x.htm", HtmlOutputPath(o, o.headers[0]));
  o = Parse({"--html", "Foo.h"});
  EXPECT_EQ((std::vector<std::string>{"Foo.h"}), o.headers);
  EXPECT_EQ("Foo.htm", HtmlOutputPath(o, o.headers[0]));
  // A header in the root folder: an empty folder gives no separator.
  o = Parse({"/x.h", "--all"});
  EXPECT_EQ("x.htm", HtmlOutputPath(o, o.headers[0]));
  o = Parse({"C:\\src\\Geo.h", "--xml"});
  EXPECT_EQ("C:\\src/Geo.xml", XmlOutputPath(o, o.headers[0]));
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
  Parse({"F.h", "-j", "0"}, false);
  Parse({"F.h", "--index", "doc/index.htm"}, false);
  Parse({"F.h", "--members", "some"}, false);
  Parse({"F.h", "--globals"}, false);
  Parse({"F.h", "--frobnicate"}, false);
  Parse({"F.h", "--all=yes"}, false);
  EXPECT_TRUE(Parse({"--help"}).help);
  EXPECT_TRUE(Parse({"--version"}).version);
}

TEST(CliOptionsTest, SeveralHeadersAndTheLibraryOptions) {
  CliOptions o = Parse({"a.h", "inc/", "-j4", "--recursive", "--update",
                        "--index", "all.htm", "b.h"});
  EXPECT_EQ((std::vector<std::string>{"a.h", "inc/", "b.h"}), o.headers);
  EXPECT_EQ(4, o.jobs);
  EXPECT_TRUE(o.recursive && o.update);
  EXPECT_EQ("all.htm", o.index);
  EXPECT_EQ(2, Parse({"a.h", "-j", "2"}).jobs);
  EXPECT_EQ(3, Parse({"a.h", "--jobs=3"}).jobs);
  EXPECT_EQ("doc/b.htm", HtmlOutputPath(Parse({"x/a.h", "y/b.h", "--out",
                                               "doc"}),
                                        "y/b.h"));
}
