#include "bench/memory_phase.h"

#include <sys/mman.h>

namespace {

PhaseResult TouchOnce(int64_t bytes, const ChildLimits& limits) {
  return RunPhaseChild(limits, [bytes] {
    const size_t size = static_cast<size_t>(bytes);
    return MeasurePhase([size] {
      void* map = mmap(nullptr, size, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
      if (map == MAP_FAILED)
        return false;
      // As the heap of a large header's parse asks for them.
      madvise(map, size, MADV_HUGEPAGE);
      volatile char* p = static_cast<char*>(map);
      for (size_t i = 0; i < size; i += 4096)
        p[i] = 1;
      munmap(map, size);
      return true;
    });
  });
}

void PrintTouch(const char* when, int64_t bytes, const MemoryTouch& t,
                FILE* out) {
  if (!t.ok) {
    std::fprintf(out, "  %-10s a run failed\n", when);
    return;
  }
  const double mb = bytes / 1e6;
  std::fprintf(out,
               "  %-10s %8.1f ms (%6.0f MB/s)   again %8.1f ms (%6.0f MB/s)\n",
               when, t.firstSeconds * 1e3, mb / t.firstSeconds,
               t.againSeconds * 1e3, mb / t.againSeconds);
}

}  // namespace

MemoryTouch MeasureMemoryTouch(int64_t bytes, const ChildLimits& limits) {
  MemoryTouch t;
  const PhaseResult first = TouchOnce(bytes, limits);
  const PhaseResult again = TouchOnce(bytes, limits);
  t.ok = first.ok() && again.ok() && first.seconds > 0 && again.seconds > 0;
  t.firstSeconds = first.seconds;
  t.againSeconds = again.seconds;
  return t;
}

void PrintMemoryReport(const MemoryRun& run, FILE* out) {
  std::fprintf(out,
               "\nFresh memory: %.0f MB touched page by page in a new process,"
               " then at once\nagain in the next one (a phase pays the first"
               " rate on the pages of its peak\nthat no process freed"
               " just before)\n",
               run.bytes / 1e6);
  PrintTouch("at start", run.bytes, run.start, out);
  PrintTouch("at end", run.bytes, run.end, out);
}
