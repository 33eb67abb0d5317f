#include "parser/line_store.h"

#include <gtest/gtest.h>

namespace {

TextList Live(const LineStore& store) {
  TextList out;
  for (int i = store.First(); i >= 0; i = store.Next(i))
    out.push_back(store[i]);
  return out;
}

// What is left after some lines were taken, some compacted away and some
// taken without a compaction since: the rest in their order, nothing else.
TEST(LineStoreTest, ReleaseKeepsTheLiveLinesInOrder) {
  LineStore store({"a;", "class B", "{", "int x;", "}", ";", "c;", "d;"});
  EXPECT_EQ(store.Take(1), "class B");
  EXPECT_EQ(store.Take(3), "int x;");
  store.Compact();
  EXPECT_EQ(Live(store), (TextList{"a;", "{", "}", ";", "c;", "d;"}));
  EXPECT_EQ(store.Take(0), "a;");
  EXPECT_EQ(store.Take(6), "c;");
  EXPECT_EQ(store.Release(), (TextList{"{", "}", ";", "d;"}));
  EXPECT_EQ(store.First(), -1);
}

TEST(LineStoreTest, ReleaseOfAStoreWithNothingOrEverythingTaken) {
  LineStore none({});
  EXPECT_TRUE(none.Release().empty());
  LineStore all({"x;", "y;"});
  all.Take(1);
  all.Compact();
  all.Take(0);
  EXPECT_TRUE(all.Release().empty());
  LineStore kept({"x;", "y;"});
  EXPECT_EQ(kept.Release(), (TextList{"x;", "y;"}));
}

// A big list that keeps a few lines gives its room back.
TEST(LineStoreTest, ReleaseGivesBackTheRoomOfALargelyTakenList) {
  TextList lines(10000, "int member_of_some_length;");
  LineStore store(std::move(lines));
  for (int i = 0; i < 10000; ++i)
    if (i % 1000 != 0)
      store.Take(i);
  store.Compact();
  TextList left = store.Release();
  EXPECT_EQ(left.size(), 10u);
  EXPECT_LT(left.capacity(), 100u);
}

}  // namespace
