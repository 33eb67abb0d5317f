#include "app/allocator_setup.h"

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kOwnAllocator = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
constexpr bool kOwnAllocator = true;
#else
constexpr bool kOwnAllocator = false;
#endif
#else
constexpr bool kOwnAllocator = false;
#endif

uintptr_t Break() { return reinterpret_cast<uintptr_t>(sbrk(0)); }

// The VmFlags of the mapping of this process that holds `address`.
std::string FlagsOfMappingAt(uintptr_t address) {
  std::ifstream smaps("/proc/self/smaps");
  std::string line;
  bool inside = false;
  while (std::getline(smaps, line)) {
    uintptr_t from = 0, to = 0;
    char dash = 0;
    std::istringstream head(line);
    if (head >> std::hex >> from >> dash >> to && dash == '-') {
      inside = from <= address && address < to;
      continue;
    }
    if (inside && line.rfind("VmFlags:", 0) == 0)
      return line;
  }
  return "";
}

TEST(AllocatorSetupTest, SmallHeadersLeaveTheHeapAsItIs) {
  const uintptr_t before = Break();
  EXPECT_FALSE(ReserveHeapForHeader(0));
  EXPECT_FALSE(ReserveHeapForHeader(200000));
  EXPECT_EQ(Break(), before);
}

// The room stays in the heap after the block that made it is freed, it is
// marked for huge pages, and the parse's blocks are then taken from it.
TEST(AllocatorSetupTest, ALargeHeaderGetsTheHeapRoomInHugePages) {
#if !defined(__GLIBC__)
  GTEST_SKIP() << "the setup is for the GNU C library";
#endif
  if (kOwnAllocator)
    GTEST_SKIP() << "the sanitizer's allocator has no heap break";
  if (!std::ifstream("/sys/kernel/mm/transparent_hugepage/enabled"))
    GTEST_SKIP() << "the kernel has no transparent huge pages";
  KeepLargeBuffersInTheHeap();
  const uint64_t header = 8 << 20;
  const uintptr_t before = Break();
  ASSERT_TRUE(ReserveHeapForHeader(header));
  const uintptr_t after = Break();
  EXPECT_GE(after - before, 16 * header);
  const uintptr_t middle = before + (after - before) / 2;
  EXPECT_NE(FlagsOfMappingAt(middle).find(" hg"), std::string::npos)
      << FlagsOfMappingAt(middle);

  void* within = std::malloc(size_t(32) << 20);
  ASSERT_NE(within, nullptr);
  EXPECT_LT(reinterpret_cast<uintptr_t>(within), after);
  EXPECT_EQ(Break(), after);
  std::free(within);
}

// A header of many gigabytes asks for no more than the cap, and a second
// call on an already grown heap does no harm.
TEST(AllocatorSetupTest, HugeSizesAndRepeatedCallsAreSafe) {
  if (kOwnAllocator)
    GTEST_SKIP() << "the sanitizer's allocator has no heap break";
  const uintptr_t before = Break();
  ReserveHeapForHeader(uint64_t(1) << 40);
  ReserveHeapForHeader(uint64_t(1) << 40);
  ReserveHeapForHeader(UINT64_MAX / 3);
  EXPECT_LE(Break() - before, uintptr_t(1) << 30);
  void* small = std::malloc(100);
  ASSERT_NE(small, nullptr);
  std::free(small);
}

}  // namespace
