#include "xml/text_index.h"

#include <random>
#include <string>

#include "gtest/gtest.h"

namespace {

std::vector<int> AllByScan(const std::vector<std::string>& texts,
                           std::string_view key) {
  std::vector<int> found;
  for (size_t i = 0; i < texts.size(); ++i)
    if (texts[i] == key) found.push_back(static_cast<int>(i));
  return found;
}

std::vector<int> AllByIndex(const TextIndex& index, std::string_view key) {
  std::vector<int> found;
  for (int i = index.Find(key); i >= 0; i = index.NextEqual(i))
    found.push_back(i);
  return found;
}

}  // namespace

TEST(TextIndexTest, EmptyIndexFindsNothing) {
  TextIndex index({});
  EXPECT_EQ(-1, index.Find(""));
  EXPECT_EQ(-1, index.Find("a"));
}

// Lookups in list order (as an export names the records), in reverse, at
// random and for absent texts, over texts with many repeats: always the
// first position of the text, then every later one in order, never one
// reached by following on from the last lookup.
TEST(TextIndexTest, FindsTheFirstPositionThenEveryEqualOne) {
  std::mt19937 random(7);
  for (int round = 0; round < 50; ++round) {
    std::vector<std::string> texts;
    const int n = 1 + static_cast<int>(random() % 300);
    const int distinct = 1 + static_cast<int>(random() % n);
    for (int i = 0; i < n; ++i)
      texts.push_back(random() % 10 == 0
                          ? std::string()
                          : "A" + std::to_string(random() % distinct));
    TextIndex index(std::vector<std::string_view>(texts.begin(), texts.end()));
    for (const std::string& key : texts)
      ASSERT_EQ(AllByScan(texts, key), AllByIndex(index, key)) << key;
    for (auto it = texts.rbegin(); it != texts.rend(); ++it)
      ASSERT_EQ(AllByScan(texts, *it), AllByIndex(index, *it)) << *it;
    for (int k = 0; k < 200; ++k) {
      std::string key = "A" + std::to_string(random() % (distinct + 20));
      ASSERT_EQ(AllByScan(texts, key), AllByIndex(index, key)) << key;
    }
  }
}
