// Anchors, page file names and page titles of every documented item.
#ifndef VARNEL_HTML_NAMING_H_
#define VARNEL_HTML_NAMING_H_

#include <string>

class CClassInfo;
class CDeclInfo;
class CModuleInfo;

// Converts `text` in place into a name made only of letters, digits and
// underscores (operators spelled out, everything else "_"), and returns it.
const std::string& MakeAnchorName(std::string* text);

// The page file and the title of the split-file page of a global function
// (`owner` null) or of a method of `owner`, as of the last MakeFileNames.
// The methods of a class counted without methods have none.
std::string FunctionPageFile(const CModuleInfo& module,
                             const CClassInfo* owner, const CDeclInfo& func);
std::string FunctionPageTitle(const CClassInfo* owner, const CDeclInfo& func);
// The same, appended to `out`.
void AppendFunctionPageFile(const CModuleInfo& module, const CClassInfo* owner,
                            const CDeclInfo& func, std::string* out);
void AppendFunctionPageTitle(const CClassInfo* owner, const CDeclInfo& func,
                             std::string* out);

// CModuleInfo::MakeAnchors and CModuleInfo::MakeFileNames are declared in
// model/module_info.h and defined in html/naming.cpp.

#endif  // VARNEL_HTML_NAMING_H_
