// Line formats that every section of the HTML page shares. The writers
// build each line from its parts (see LineOut); the functions taking a
// TextList append the same lines to a list.
#ifndef VARNEL_HTML_HTML_LINES_H_
#define VARNEL_HTML_HTML_LINES_H_

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/line_out.h"
#include "model/module_info.h"
#include "model/text.h"

// The records that the count of an array says exist; a count larger than
// the array is clamped rather than trusted.
std::span<const CDeclInfo> Records(const std::vector<CDeclInfo>& records,
                                   int count);
std::span<const CClassInfo> Records(const std::vector<CClassInfo>& records,
                                    int count);

// "<a id=... NAME=...></a>", the target of links to `anchor`.
struct HtmlAnchorPart {
  std::string_view anchor;
};
void AppendLinePart(LineBuffer* line, const HtmlAnchorPart& part);
std::string HtmlAnchorLine(const std::string& anchor);

// A link to `anchor`, naming `file` in front of it when the page carries
// split-file commands. The label is escaped.
struct HtmlLinkPart {
  const CModuleInfo& module;
  std::string_view file;
  std::string_view anchor;
  std::string_view label;
};
void AppendLinePart(LineBuffer* line, const HtmlLinkPart& link);

// The object that makes the help compiler start a new page; only with
// split-file commands on.
void WriteSplitFileObject(LineOut* out, const CModuleInfo& module,
                          std::string_view file, std::string_view title);
void WriteSplitFileObject(TextList* lines, const CModuleInfo& module,
                          const std::string& file, const std::string& title);

// A help index keyword given as the texts it joins, so that writing it (or
// not, with keywords off) builds no text of its own.
struct KeywordText {
  std::string_view head;
  std::string_view middle = {};
  std::string_view tail = {};
};

// The object that carries help index keywords; only with keywords on.
void WriteKeywordObject(LineOut* out, const CModuleInfo& module,
                        std::initializer_list<KeywordText> keywords);
void WriteKeywordObject(TextList* lines, const CModuleInfo& module,
                        std::initializer_list<std::string> keywords);

// `zero` for 0, `one` for 1, otherwise the count followed by `pluralTail`;
// escaped, as a part of a line.
struct CountedPart {
  int count;
  const char* zero;
  const char* one;
  const char* pluralTail;
};
void AppendLinePart(LineBuffer* line, const CountedPart& part);

// "&nbsp;" + the escaped counted text + "<br>"; nothing for a count of 0
// or less.
void WriteCountLine(LineOut* out, int count, const char* one,
                    const char* pluralTail);

// "<br>" behind every line of a list but the last, nothing behind that.
std::string_view BreakUnlessLast(size_t index, size_t count);

// `text` when it is not empty, otherwise `placeholder`.
std::string_view TextOr(std::string_view text, std::string_view placeholder);

// The <dt>/<dd> pair of a variable or data member, with its initialiser.
void WriteVariableEntry(LineOut* out, const CDeclInfo& var);

// The <dt>/<dd> pair of a function (`owner` null) or method in a list,
// linking to its detail block.
void WriteFunctionEntry(LineOut* out, const CModuleInfo& module,
                        const CClassInfo* owner, const CDeclInfo& func);

// The split-file object of a function's (`owner` null) or method's block.
void WriteFunctionPageObject(LineOut* out, const CModuleInfo& module,
                             const CClassInfo* owner, const CDeclInfo& func);

// The declaration lines in bold, each but the last followed by "<br>".
void WriteBoldDeclarations(LineOut* out, const CDeclInfo& func);

// Description, return values and parameters of a function's detail block.
void WriteFunctionDetails(LineOut* out, const CDeclInfo& func);

// Appends the lines of `block` (a navigation bar built once) to `lines`.
void AppendLines(TextList* lines, const TextList& block);

#endif  // VARNEL_HTML_HTML_LINES_H_
