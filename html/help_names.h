// Which page file names a help book may write: a name must stay a file in
// the book's folder and must survive a link unchanged.
#ifndef VARNEL_HTML_HELP_NAMES_H_
#define VARNEL_HTML_HELP_NAMES_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct HelpPage;

extern const size_t kMaxPageFileBytes;

// Why `name` cannot be a page file, or "" when it can.
std::string PageFileNameProblem(std::string_view name);

// The name as a message shows it: control bytes as \xNN.
std::string ShownName(std::string_view name);

// Checks every page's file name, and that no two pages share a file, also
// when ASCII case is ignored (help viewers and some file systems ignore
// it). The message names the entry or both entries.
bool CheckHelpPageNames(const std::vector<HelpPage>& pages, std::string* err);

#endif  // VARNEL_HTML_HELP_NAMES_H_
