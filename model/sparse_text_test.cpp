#include "model/sparse_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <utility>

#include "model/text.h"

TEST(SparseTextTest, ReadsAsTheTextLastGiven) {
  SparseText text;
  EXPECT_TRUE(text.empty());
  EXPECT_EQ("", text.str());
  text = "Draws.";
  EXPECT_EQ("Draws.", text);
  EXPECT_EQ(6u, text.size());
  text = std::string("Moves \xE4.");
  EXPECT_EQ("Moves \xE4.", text.str());
  text = std::string_view();
  EXPECT_TRUE(text.empty());
  text = "x";
  text.clear();
  EXPECT_EQ(0u, text.size());
  std::ostringstream out;
  out << SparseText() << "|";
  SparseText shown;
  shown = "a";
  out << shown;
  EXPECT_EQ("|a", out.str());
}

TEST(SparseTextTest, CopiesAreOfTheirOwn) {
  SparseText a;
  a = "first";
  SparseText b = a;
  b = "second";
  EXPECT_EQ("first", a);
  EXPECT_EQ("second", b);
  a = b;
  b.clear();
  EXPECT_EQ("second", a);
  a = a;
  EXPECT_EQ("second", a);
  SparseText c = std::move(a);
  EXPECT_EQ("second", c);
  EXPECT_TRUE(SparseText() == SparseText());
  EXPECT_FALSE(c == SparseText());
}

TEST(SparseTextListTest, ReadsAsAListAndCopiesAreOfTheirOwn) {
  SparseTextList list;
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(0u, list.size());
  EXPECT_EQ(list.begin(), list.end());
  const TextList& none = list;
  EXPECT_TRUE(none.empty());
  list.Mutable().push_back("a");
  list.Mutable().push_back("b");
  SparseTextList copy = list;
  copy.Mutable()[0] = "changed";
  EXPECT_EQ((TextList{"a", "b"}), list);
  EXPECT_EQ("changed", copy[0]);
  std::string joined;
  for (const std::string& text : list)
    joined += text;
  EXPECT_EQ("ab", joined);
  list = TextList();
  EXPECT_TRUE(list.empty());
  list = copy;
  EXPECT_EQ(2u, list.size());
  list.clear();
  EXPECT_EQ(2u, copy.size());
}
