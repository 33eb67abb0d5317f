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

// Left to right, non-overlapping, into a new string: the plain reading
// that the in-place replacement must match.
std::string ReplacedPlainly(const std::string& s, const std::string& from,
                            const std::string& to) {
  std::string out;
  size_t i = 0;
  while (i < s.size()) {
    if (s.compare(i, from.size(), from) == 0) {
      out += to;
      i += from.size();
    } else {
      out += s[i++];
    }
  }
  return out;
}

TEST(TextTest, ReplaceAllInPlaceMatchesThePlainReading) {
  const char* patterns[][2] = {
      {"a", "ab"},   {"ab", "a"},   {"aba", "x"},  {"aba", "xyzw"},
      {" a", "a"},   {"a ", "\na\n"}, {"b", ""},  {":a:", ":\na:\n"},
      {"  b", " "},  {"aa", "aaa"}};
  unsigned seed = 7;
  for (int round = 0; round < 300; ++round) {
    std::string s;
    const int len = round % 40;
    for (int i = 0; i < len; ++i) {
      seed = seed * 1103515245 + 12345;
      s += " ab:"[(seed >> 16) % 4];
    }
    for (const auto& p : patterns) {
      std::string replaced = s;
      const std::string expected = ReplacedPlainly(s, p[0], p[1]);
      ReplaceAll(&replaced, p[0], p[1]);
      ASSERT_EQ(expected, replaced) << "'" << s << "' " << p[0] << " -> " << p[1];
    }
  }
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
