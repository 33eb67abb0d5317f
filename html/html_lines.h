// Line formats that every section of the HTML page shares.
#ifndef VARNEL_HTML_HTML_LINES_H_
#define VARNEL_HTML_HTML_LINES_H_

#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "model/module_info.h"
#include "model/text.h"

// The records that the count of an array says exist; a count larger than
// the array is clamped rather than trusted.
std::span<const CDeclInfo> Records(const std::vector<CDeclInfo>& records,
                                   int count);
std::span<const CClassInfo> Records(const std::vector<CClassInfo>& records,
                                    int count);

// "<a id=... NAME=...></a>", the target of links to `anchor`.
std::string HtmlAnchorLine(const std::string& anchor);

// A link to `anchor`, naming `file` in front of it when the page carries
// split-file commands. The label is written as given.
std::string HtmlLink(const CModuleInfo& module, const std::string& file,
                     const std::string& anchor, const std::string& label);

// The object that makes the help compiler start a new page; only with
// split-file commands on.
void WriteSplitFileObject(TextList* lines, const CModuleInfo& module,
                          const std::string& file, const std::string& title);

// The object that carries help index keywords; only with keywords on.
void WriteKeywordObject(TextList* lines, const CModuleInfo& module,
                        std::initializer_list<std::string> keywords);

// `zero` for 0, `one` for 1, otherwise the count followed by `pluralTail`.
std::string CountedText(int count, const char* zero, const char* one,
                        const char* pluralTail);

// "&nbsp;" + the escaped counted text + "<br>"; nothing for a count of 0
// or less.
void WriteCountLine(TextList* lines, int count, const char* one,
                    const char* pluralTail);

// `text` when it is not empty, otherwise `placeholder`.
std::string TextOr(const std::string& text, const std::string& placeholder);

// Entry `index` of a description list, empty when the list is shorter.
const std::string& DescAt(const TextList& descs, size_t index);

// The <dt>/<dd> pair of a variable or data member, with its initialiser.
void WriteVariableEntry(TextList* lines, const CDeclInfo& var);

// The <dt>/<dd> pair of a function or method in a list, linking to its
// detail block.
void WriteFunctionEntry(TextList* lines, const CModuleInfo& module,
                        const CDeclInfo& func);

// The declaration lines in bold, each but the last followed by "<br>".
void WriteBoldDeclarations(TextList* lines, const CDeclInfo& func);

// Description, return values and parameters of a function's detail block.
void WriteFunctionDetails(TextList* lines, const CDeclInfo& func);

// Appends the lines of `block` (a navigation bar built once) to `lines`.
void AppendLines(TextList* lines, const TextList& block);

#endif  // VARNEL_HTML_HTML_LINES_H_
