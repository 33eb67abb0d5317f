// Anchors, page file names and page titles of every documented item.
#ifndef VARNEL_HTML_NAMING_H_
#define VARNEL_HTML_NAMING_H_

#include <string>

// Converts `text` in place into a name made only of letters, digits and
// underscores (operators spelled out, everything else "_"), and returns it.
const std::string& MakeAnchorName(std::string* text);

// CModuleInfo::MakeAnchors and CModuleInfo::MakeFileNames are declared in
// model/module_info.h and defined in html/naming.cpp.

#endif  // VARNEL_HTML_NAMING_H_
