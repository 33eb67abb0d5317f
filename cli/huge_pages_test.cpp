#include "cli/huge_pages.h"

#include <gtest/gtest.h>

TEST(HugePagesTest, WantedOnlyOnRequestModeAndWhenTheUserLeftItOpen) {
  const char onRequest[] = "always [madvise] never\n";
  EXPECT_TRUE(HugePagesWanted(onRequest, nullptr));
  EXPECT_TRUE(HugePagesWanted(onRequest, ""));
  EXPECT_TRUE(HugePagesWanted(onRequest, "glibc.malloc.arena_max=2"));
  // The user's own choice stands, either way; it also stops a second
  // restart.
  EXPECT_FALSE(HugePagesWanted(onRequest, "glibc.malloc.hugetlb=0"));
  EXPECT_FALSE(HugePagesWanted(onRequest, "a=1:glibc.malloc.hugetlb=1"));
  EXPECT_FALSE(HugePagesWanted("[always] madvise never\n", nullptr));
  EXPECT_FALSE(HugePagesWanted("always madvise [never]\n", nullptr));
  // No such file: the system has no huge pages.
  EXPECT_FALSE(HugePagesWanted("", nullptr));
}

TEST(HugePagesTest, TunableIsAddedToTheUsersOwn) {
  EXPECT_EQ("glibc.malloc.hugetlb=1", TunablesWithHugePages(nullptr));
  EXPECT_EQ("glibc.malloc.hugetlb=1", TunablesWithHugePages(""));
  EXPECT_EQ("glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1",
            TunablesWithHugePages("glibc.malloc.arena_max=2"));
  EXPECT_TRUE(TunablesAskForHugePages(TunablesWithHugePages("a=1").c_str()));
  EXPECT_FALSE(TunablesAskForHugePages("glibc.malloc.hugetlb=0"));
  EXPECT_FALSE(TunablesAskForHugePages(nullptr));
}
