#include "model/text.h"

#include <gtest/gtest.h>

TEST(TextTest, ReplaceAllCountsAndDoesNotRescan) {
  std::string s = "aaaa";
  EXPECT_EQ(2, ReplaceAll(&s, "aa", "a"));
  EXPECT_EQ("aa", s);
  ReplaceAllRepeat(&s, "aa", "a");
  EXPECT_EQ("a", s);
  std::string t = "x-y-z";
  EXPECT_EQ(2, ReplaceAll(&t, "-", ""));
  EXPECT_EQ("xyz", t);
  EXPECT_EQ(0, ReplaceAll(&t, "q", "r"));
}

TEST(TextTest, PartsClampAndGiveEmptyForSmallCounts) {
  EXPECT_EQ("", Left("abc", 0));
  EXPECT_EQ("", Left("abc", -3));
  EXPECT_EQ("abc", Left("abc", 10));
  EXPECT_EQ("bc", Right("abc", 2));
  EXPECT_EQ("abc", Right("abc", 7));
  EXPECT_EQ("", Right("abc", 0));
  EXPECT_EQ("b", Mid("abc", 1, 1));
  EXPECT_EQ("", Mid("abc", 5, 1));
  EXPECT_EQ("bc", Mid("abc", 1));
}

TEST(TextTest, TrimRemovesTheSixWhiteSpaceCharacters) {
  EXPECT_EQ("a b", Trimmed(" \t\r\n\v\fa b\f\v\n\r\t "));
  EXPECT_EQ("", Trimmed(" \t "));
}

TEST(TextTest, PathPartsAcceptBothSeparators) {
  EXPECT_EQ("Foo", PathStem("D:\\src\\Foo.h"));
  EXPECT_EQ("Foo", PathStem("/src/Foo.h"));
  EXPECT_EQ(".htm", PathExtension("/a.b/Foo.htm"));
  EXPECT_EQ("", PathExtension("/a.b/Foo"));
  EXPECT_EQ("Foo.htm", PathFileName("C:Foo.htm"));
  EXPECT_EQ("D:\\src", PathFolder("D:\\src\\Foo.h"));
  EXPECT_EQ("", PathFolder("Foo.h"));
}
