#include "model/text_table.h"

#include <random>
#include <string>

#include "gtest/gtest.h"

namespace {

// A list that grows while it is indexed, as a record's parameter list
// does: short texts live inside the string objects, so every regrowth of
// the list moves them, and only positions may be kept.
struct GrowingList {
  std::vector<std::string> texts;
  TextTable table;

  int Find(std::string_view key) const {
    return table.Find(key, [this](int i) -> const std::string& {
      return texts[i];
    });
  }
  void Add(std::string text) {
    texts.push_back(std::move(text));
    table.Add(texts.back(), static_cast<int>(texts.size() - 1));
  }
};

}  // namespace

TEST(TextTableTest, EmptyTableFindsNothing) {
  GrowingList list;
  EXPECT_TRUE(list.table.empty());
  EXPECT_EQ(-1, list.Find(""));
  EXPECT_EQ(-1, list.Find("a"));
}

// Texts from a small alphabet, so many are equal and many are empty or a
// single letter, added one at a time through several regrowths of both
// the table and the list; every lookup agrees with a scan.
TEST(TextTableTest, FindsWhatAScanFindsWhileBothGrow) {
  std::mt19937 random(11);
  for (int round = 0; round < 20; ++round) {
    GrowingList list;
    if (round % 2)
      list.table.Reserve(50);
    const int length = 1 + round * 3;
    const int count = 10 + round * 150;
    auto randomText = [&] {
      std::string text(random() % length, 'a');
      for (char& ch : text)
        ch = static_cast<char>('a' + random() % 3);
      return text;
    };
    for (int i = 0; i < count; ++i) {
      std::string key = randomText();
      int found = list.Find(key);
      auto scan = std::find(list.texts.begin(), list.texts.end(), key);
      ASSERT_EQ(scan == list.texts.end(), found < 0) << key;
      if (found >= 0)
        EXPECT_EQ(key, list.texts[found]);
      else
        list.Add(key);
    }
    for (size_t i = 0; i < list.texts.size(); ++i)
      EXPECT_EQ(static_cast<int>(i), list.Find(list.texts[i]));
    EXPECT_EQ(-1, list.Find(std::string(length + 1, 'a')));
  }
}

// Equal texts may be added more than once; lookups still find one of them
// and nothing else.
TEST(TextTableTest, KeepsFindingTextsAddedTwice) {
  GrowingList list;
  for (int i = 0; i < 100; ++i)
    list.Add(std::to_string(i % 7));
  for (int i = 0; i < 7; ++i) {
    int found = list.Find(std::to_string(i));
    ASSERT_GE(found, 0);
    EXPECT_EQ(std::to_string(i), list.texts[found]);
  }
  EXPECT_EQ(-1, list.Find("7"));
}
