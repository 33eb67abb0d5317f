#include "model/sparse_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <utility>

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
