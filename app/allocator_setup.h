// Process-wide allocator settings of the programs that parse and write
// large headers.
#ifndef VARNEL_APP_ALLOCATOR_SETUP_H_
#define VARNEL_APP_ALLOCATOR_SETUP_H_

#include <cstdint>

// The parse passes hand a text of the header's size from one buffer to the
// next. By default each such buffer is a fresh mapping whose every page
// faults in on first touch; kept in the heap, the next buffer reuses the
// pages of the last (a parse of the joined wx headers takes a third fewer
// page faults). Only buffers beyond 64 MB are still mapped on their own.
void KeepLargeBuffersInTheHeap();

// Before the parse of a header of `headerBytes` in the main thread: a
// large header's parse takes fresh heap for every byte of the header many
// times over, and page by page half of its time went to the faults. The
// heap is grown at once by about what the parse takes, and that stretch
// asks the kernel for huge pages, so that a fault brings in 2 MB instead of
// 4 KB. Small headers, other threads and other C libraries are left as
// they are; the stretch is only address space until it is touched.
// Returns whether the stretch was set up.
bool ReserveHeapForHeader(uint64_t headerBytes);

#endif  // VARNEL_APP_ALLOCATOR_SETUP_H_
