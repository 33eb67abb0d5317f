// Process-wide allocator settings of the programs that parse and write
// large headers.
#ifndef VARNEL_APP_ALLOCATOR_SETUP_H_
#define VARNEL_APP_ALLOCATOR_SETUP_H_

// The parse passes hand a text of the header's size from one buffer to the
// next. By default each such buffer is a fresh mapping whose every page
// faults in on first touch; kept in the heap, the next buffer reuses the
// pages of the last (a parse of the joined wx headers takes a third fewer
// page faults). Only buffers beyond 64 MB are still mapped on their own.
void KeepLargeBuffersInTheHeap();

#endif  // VARNEL_APP_ALLOCATOR_SETUP_H_
