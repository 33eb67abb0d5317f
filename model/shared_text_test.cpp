#include "model/shared_text.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(SharedTextTest, CopiesShareTheTextAndAssignmentsReplaceIt) {
  SharedText none;
  EXPECT_TRUE(none.empty());
  EXPECT_EQ("", none.str());
  SharedText name("CPoint");
  SharedText copy = name;
  EXPECT_EQ(&name.str(), &copy.str());
  copy = "CShape";
  EXPECT_EQ("CPoint", name);
  EXPECT_EQ("CShape", copy);
  EXPECT_EQ(6u, copy.size());
  copy = std::string();
  EXPECT_TRUE(copy.empty());
  name.clear();
  EXPECT_EQ(0u, name.size());
  std::ostringstream out;
  out << SharedText("a") << SharedText() << "|";
  EXPECT_EQ("a|", out.str());
}

// The last copy to go frees the text, also when the copies are moved and
// assigned into each other.
TEST(SharedTextTest, TheTextLivesAsLongAsItsLastCopy) {
  SharedText kept;
  {
    SharedText name("CPoint");
    SharedText moved = std::move(name);
    EXPECT_TRUE(name.empty());
    SharedText copy = moved;
    const SharedText& same = copy;
    copy = same;
    kept = copy;
    moved = SharedText("CSize");
    EXPECT_EQ("CPoint", copy);
  }
  EXPECT_EQ("CPoint", kept);
  const SharedText& same = kept;
  kept = same;
  EXPECT_EQ("CPoint", kept.str());
}
