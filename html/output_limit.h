// A page that cannot be wanted: the module navigation bar lists every
// class and ends every block, so a header of tens of thousands of small
// classes gives a page of tens of gigabytes. Such a page is refused before
// anything of it is built or written.
#ifndef VARNEL_HTML_OUTPUT_LIMIT_H_
#define VARNEL_HTML_OUTPUT_LIMIT_H_

#include <cstdint>
#include <string>

#include "model/module_info.h"

// 2 GiB: the largest page written unless asked for more.
extern const uint64_t kDefaultMaxOutputBytes;

// "2G", "512M", "100K", "1000": bytes, with 1024 to a K. False for
// anything else, or 0.
bool ParseByteSize(const std::string& text, uint64_t* bytes);

// "36.1 GB", "512.0 MB", "800 bytes" (1000 to a kB, as file managers show).
std::string FormatBytes(uint64_t bytes);

// Empty when the page of the named `module` stays within `limit`;
// otherwise why it is refused and what to do, with `allowHow` the way to
// allow more ("Use --max-output to allow it, or"). A page whose repeated
// bars alone are over the limit is refused at once; one that may be over
// it for its other parts is counted first.
std::string HtmlTooLargeReason(const CModuleInfo& module, uint64_t limit,
                               const std::string& allowHow);

#endif  // VARNEL_HTML_OUTPUT_LIMIT_H_
