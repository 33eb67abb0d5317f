#include "parser/line_prep.h"

#include <gtest/gtest.h>

namespace {

TextList Stripped(TextList lines) {
  StripComments(&lines);
  return lines;
}

}  // namespace

TEST(LinePrepTest, NormalizeSpacing) {
  EXPECT_EQ("a b c", NormalizedSpacing("\t a \t  b   c \r"));
  EXPECT_EQ("CFoo::Bar", NormalizedSpacing("CFoo :: Bar"));
  EXPECT_EQ("", NormalizedSpacing(" \t "));
}

TEST(LinePrepTest, CompactLinesTrimsAndDropsBlankLines) {
  TextList lines = {" a ", "", "  ", "b"};
  CompactLines(&lines);
  EXPECT_EQ((TextList{"a", "b"}), lines);
  CompactTextList one = {" int "};
  CompactLines(&one);
  EXPECT_EQ(TextList{"int"}, one);
  CompactTextList many = {" ", "long ", "", " char*"};
  CompactLines(&many);
  EXPECT_EQ((TextList{"long", "char*"}), many);
  CompactTextList blank = {"  ", ""};
  CompactLines(&blank);
  EXPECT_TRUE(blank.empty());
}

TEST(LinePrepTest, LineAndBlockComments) {
  EXPECT_EQ(TextList{"int a;"}, Stripped({"int a; // count"}));
  EXPECT_EQ((TextList{"int a;", "int b;"}),
            Stripped({"int a; /* starts", "middle", "ends */ int b;"}));
  EXPECT_EQ(TextList{"a b c"}, Stripped({"a/* 1 */b/* 2 */c"}));
  EXPECT_EQ(TextList{}, Stripped({"/**", " * doc", " */"}));
}

TEST(LinePrepTest, CommentMarkersInsideLiteralsAreText) {
  EXPECT_EQ(TextList{"const char* url = \"http://x.org/*\";"},
            Stripped({"const char* url = \"http://x.org/*\"; // home"}));
  EXPECT_EQ(TextList{"char c = '/', d = '\"';"},
            Stripped({"char c = '/', d = '\"'; /* x */"}));
  EXPECT_EQ(TextList{"s = \"a\\\"//b\";"}, Stripped({"s = \"a\\\"//b\";"}));
  // A digit separator is no character literal.
  EXPECT_EQ(TextList{"int n = 1'000;"}, Stripped({"int n = 1'000; // big"}));
}

TEST(LinePrepTest, LineCommentMarkerInsideBlockCommentDoesNotHideItsEnd) {
  EXPECT_EQ((TextList{"int a;", "int b;"}),
            Stripped({"int a; /* see", "http://x // y */ int b;"}));
}

TEST(LinePrepTest, StringLiteralChainsJoin) {
  TextList lines = {"const char* s = \"ab\"", "\"cd\"", "\"ef\";", "int x;"};
  JoinStringLiterals(&lines);
  EXPECT_EQ((TextList{"const char* s = \"abcdef\";", "int x;"}), lines);
}

TEST(LinePrepTest, ContinuationLinesJoinWithoutASpace) {
  TextList lines = {"#define SQ(x) \\", "((x) * \\", "(x))", "int y;"};
  JoinContinuationLines(&lines);
  EXPECT_EQ((TextList{"#define SQ(x) ((x) * (x))", "int y;"}), lines);
}

TEST(LinePrepTest, IncludesAreCollectedAndPreprocessorLinesDropped) {
  TextList lines = {"#include <afxwin.h>", "#include \"x.h\"", "#include<y.h>",
                    "#ifdef A", "int a;", "#endif"};
  TextList includes = {"stale"};
  ExtractIncludes(&lines, &includes);
  EXPECT_EQ((TextList{"<afxwin.h>", "\"x.h\""}), includes);
  EXPECT_EQ(TextList{"int a;"}, lines);
}

TEST(LinePrepTest, LongChainsJoinInLinearTime) {
  TextList lines(200000, "\"x\"");
  JoinStringLiterals(&lines);
  ASSERT_EQ(1u, lines.size());
  EXPECT_EQ(200002u, lines[0].size());
}

// The marker is found at every position of lines of every length, and a
// byte that differs from it only in the top bit is no marker.
TEST(LinePrepTest, CommentOrLiteralMarkersAreFoundAnywhere) {
  for (size_t length = 0; length < 20; ++length) {
    const std::string plain(length, 'a');
    EXPECT_FALSE(MayHoldCommentOrLiteral(plain));
    EXPECT_FALSE(MayHoldCommentOrLiteral(std::string(length, '\xa2')));
    EXPECT_FALSE(MayHoldCommentOrLiteral(std::string(length, '\xaf')));
    for (size_t at = 0; at < length; ++at) {
      for (char marker : {'"', '\'', '/'}) {
        std::string line = plain;
        line[at] = marker;
        EXPECT_TRUE(MayHoldCommentOrLiteral(line)) << length << " " << at;
      }
    }
  }
}
