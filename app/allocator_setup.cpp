#include "app/allocator_setup.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#endif

namespace {

constexpr size_t kHeapBufferLimit = size_t(64) << 20;
// Headers below this size parse in a few milliseconds whatever the pages.
constexpr uint64_t kLargeHeader = uint64_t(1) << 20;
// The model and the lists of a parse take 5 to 20 bytes per header byte,
// and the heap spreads them over up to half as much again. Room that is
// never touched is only address space.
constexpr uint64_t kHeapPerHeaderByte = 32;
// mallopt takes an int.
constexpr uint64_t kMostRoom = uint64_t(1) << 30;
constexpr uintptr_t kHugePage = uintptr_t(2) << 20;

}  // namespace

void KeepLargeBuffersInTheHeap() {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, kHeapBufferLimit);
  // Setting the threshold also fixes the trim threshold at 128 KB: every
  // header of a folder run would hand its heap back to the system when its
  // model is freed, and the next header would fault it in again.
  mallopt(M_TRIM_THRESHOLD, kHeapBufferLimit);
#endif
}

bool ReserveHeapForHeader(uint64_t headerBytes) {
#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)
  if (headerBytes < kLargeHeader)
    return false;
  // Capped before the multiplication: a sparse file may claim any size.
  const size_t room = static_cast<size_t>(
      std::min(headerBytes, kMostRoom / kHeapPerHeaderByte) *
      kHeapPerHeaderByte);
  // The block must come from the heap itself, and its room must stay there
  // when it is freed: a mapping of its own would go back to the system.
  // The threshold is compared with the block's size with its header.
  if (mallopt(M_MMAP_THRESHOLD, static_cast<int>(room + kHugePage)) != 1)
    return false;
  void* block = mallopt(M_TRIM_THRESHOLD,
                        static_cast<int>(room + kHeapBufferLimit)) == 1
                    ? std::malloc(room)
                    : nullptr;
  mallopt(M_MMAP_THRESHOLD, kHeapBufferLimit);
  if (block == nullptr)
    return false;
  const uintptr_t start = reinterpret_cast<uintptr_t>(block);
  const uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
  const uintptr_t last = (start + room) & ~(kHugePage - 1);
  const bool advised =
      last > first && madvise(reinterpret_cast<void*>(first), last - first,
                              MADV_HUGEPAGE) == 0;
  std::free(block);
  return advised;
#else
  (void)headerBytes;
  return false;
#endif
}
