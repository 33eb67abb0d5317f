#include "app/allocator_setup.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void KeepLargeBuffersInTheHeap() {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
#endif
}
