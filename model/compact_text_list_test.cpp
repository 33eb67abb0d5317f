#include "model/compact_text_list.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "model/text.h"

namespace {

// Longer than a string keeps in itself, so that a lost or doubled heap
// block shows under the sanitizers.
const std::string kLong = "virtual const wxString& GetLabelText() const;";

TEST(CompactTextListTest, KeepsItsTextsInOrderSideBySide) {
  CompactTextList list;
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(list.begin(), list.end());
  list.push_back(kLong);
  EXPECT_EQ(TextList{kLong}, list);
  for (int i = 0; i < 40; ++i)
    list.push_back(std::to_string(i));
  ASSERT_EQ(41u, list.size());
  EXPECT_EQ(kLong, list[0]);
  EXPECT_EQ("39", list.back());
  // The texts lie side by side, as a span or a search expects.
  const TextSpan texts(list);
  EXPECT_EQ(41u, texts.size());
  EXPECT_EQ("17", texts[18]);
  EXPECT_EQ(list.begin() + 41, list.end());
  list.clear();
  EXPECT_TRUE(list.empty());
  list.push_back("int");
  EXPECT_EQ(TextList{"int"}, list);
}

TEST(CompactTextListTest, CopiesAndMovesOfOneTextOrOfMany) {
  for (const TextList& texts :
       {TextList{}, TextList{kLong}, TextList{kLong, "long", kLong}}) {
    CompactTextList a;
    a = texts;
    CompactTextList b = a;
    b.push_back("added");
    EXPECT_EQ(texts, a);
    EXPECT_EQ(texts.size() + 1, b.size());
    CompactTextList c = std::move(b);
    EXPECT_TRUE(b.empty());
    b.push_back("again");
    EXPECT_EQ(TextList{"again"}, b);
    EXPECT_EQ("added", c.back());
    a = c;
    EXPECT_EQ(c, a);
    c = std::move(a);
    EXPECT_EQ(texts.size() + 1, c.size());
    const CompactTextList& self = c;
    c = self;
    EXPECT_EQ(texts, TextList(c.begin(), c.end() - 1));
    EXPECT_EQ("added", c.ToList().back());
  }
}

TEST(CompactTextListTest, ResizesToFewerOrMore) {
  CompactTextList list = {"a", "b", "c"};
  list.resize(1);
  EXPECT_EQ(TextList{"a"}, list);
  list.push_back("d");
  EXPECT_EQ((TextList{"a", "d"}), list);
  list.resize(0);
  EXPECT_TRUE(list.empty());
  list.resize(2);
  EXPECT_EQ((TextList{"", ""}), list);
  list = {kLong};
  list.resize(1);
  EXPECT_EQ(TextList{kLong}, list);
}

}  // namespace
