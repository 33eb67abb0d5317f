// Memory of large runs in 2 MB pages.
//
// A header of several megabytes makes the parse and the writers build
// hundreds of megabytes of small records. In 4 KB pages that memory costs
// a page fault per page and many address-translation misses; backed by
// 2 MB pages the same run takes a half to a third of the time. The C
// library asks the system for such pages only when its
// glibc.malloc.hugetlb tunable is set, and it reads its tunables once, at
// start-up; so the program sets the tunable and starts itself again.
#ifndef VARNEL_CLI_HUGE_PAGES_H_
#define VARNEL_CLI_HUGE_PAGES_H_

#include <string>
#include <string_view>

// Inputs from this size on are worth starting again for.
extern const long long kHugePagesInputBytes;

// True when the system hands out huge pages on request ("[madvise]" is
// the mode selected in `thpMode`, the text of
// /sys/kernel/mm/transparent_hugepage/enabled) and the user has not set
// the tunable either way (`tunables` is GLIBC_TUNABLES, or null).
bool HugePagesWanted(std::string_view thpMode, const char* tunables);

// True when `tunables` asks for huge pages for the heap.
bool TunablesAskForHugePages(const char* tunables);

// The value of GLIBC_TUNABLES that adds huge pages to `tunables`.
std::string TunablesWithHugePages(const char* tunables);

// Starts the running program again with the same arguments and huge
// pages for its heap, when HugePagesWanted says so. Returns when it did
// not (not wanted, or the start failed: the program then goes on as it
// is).
void RestartWithHugePages(char** argv);

// The same for a run on the file `inputPath`, if it is large enough to
// gain from it.
void RestartWithHugePagesForInput(const std::string& inputPath, char** argv);

#endif  // VARNEL_CLI_HUGE_PAGES_H_
