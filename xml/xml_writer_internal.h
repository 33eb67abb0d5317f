// Pieces shared by the XML section writers: line forms, the statistics
// sentences, the entries of variables and functions, and the class writer
// that works on a record already looked up.
#ifndef VARNEL_XML_XML_WRITER_INTERNAL_H_
#define VARNEL_XML_XML_WRITER_INTERNAL_H_

#include <initializer_list>
#include <string>
#include <string_view>

#include "model/line_out.h"
#include "model/module_info.h"
#include "model/text.h"

namespace xml_writer {

// Placeholders for descriptions that nobody has written yet.
extern const char kModuleDescPlaceholder[];
extern const char kClassDescPlaceholder[];
extern const char kVarShortDescPlaceholder[];
extern const char kFuncShortDescPlaceholder[];
extern const char kReturnDescPlaceholder[];
extern const char kParamDescPlaceholder[];
extern const char kFuncDescPlaceholder[];
extern const char kVarListPlaceholder[];
extern const char kFuncListPlaceholder[];
extern const char kNone[];
extern const char kUnknown[];

// The four markup characters as entities, nothing else, appended to a
// line: a text that must read back exactly as it is (the module name, a
// Target anchor).
struct MarkupEscapedPart {
  std::string_view text;
};
void AppendLinePart(LineBuffer* line, const MarkupEscapedPart& part);

// "<tag>text</tag>", `text` being any line part.
template <typename Text>
void AppendInlineElement(LineOut* out, std::string_view tag,
                         const Text& text) {
  out->Line('<', tag, '>', text, "</", tag, '>');
}
// "<tag anchor="A" NAME="A">" with the anchor escaped.
void AppendAnchoredStartTag(LineOut* out, std::string_view tag,
                            std::string_view anchor);
// "<tag>" and "</tag>".
void AppendStartTag(LineOut* out, std::string_view tag);
void AppendEndTag(LineOut* out, std::string_view tag);

// The stored text, or the placeholder when the stored text is empty.
std::string_view OrPlaceholder(std::string_view stored,
                               std::string_view placeholder);

// A "<Description>" block around one line.
void AppendDescriptionBlock(LineOut* out, std::string_view text);

// "<br/>Initialization:<br/>" and the initialiser lines, escaped, each
// comma followed by "<br/>" and each line ending in "<br/>".
void AppendInitializerBlock(LineOut* out, const TextList& initializers);

// A "<Statistics>" block: the count sentence about `owner` and `name`
// ("The class " and the class's name), then one Line2 per counter above 0.
struct CountWording {
  int count;
  const char* none;  // whole ending for 0
  const char* one;   // whole ending for 1
  const char* many;  // follows the decimal count
};
struct ShareWording {
  int count;
  const char* one;   // whole sentence for 1
  const char* many;  // follows the decimal count
};
void AppendStatistics(LineOut* out, std::string_view owner,
                      std::string_view name, const CountWording& total,
                      std::initializer_list<ShareWording> shares);

// Declarations, return values, parameters and the detailed description:
// the content of a ModuleFunction or Method.
void AppendFunctionBody(LineOut* out, const CDeclInfo& func);

// The global sections; long lists are handed on at out->FlushIfLong().
// False when a hand-over failed.
bool AppendGlobalVars(LineOut* out, const CModuleInfo& module);
bool AppendGlobalFuncs(LineOut* out, const CModuleInfo& module);

// The whole Class element for one record, handed on as above.
bool AppendClass(LineOut* out, const CClassInfo& cls,
                 const CModuleInfo& module);

// Whether the lists of the XML (and of the page) carry an entry under the
// module's filters. Private members only with the private option;
// protected ones with either option, since showing private members implies
// showing protected ones. Local globals only with the local option.
bool IsListedMember(const CDeclInfo& member, const CModuleInfo& module);
bool IsListedGlobal(const CDeclInfo& global, const CModuleInfo& module);

// The records that counts and arrays agree on: a hand-made model may hold a
// count larger than its array.
size_t UsableCount(int count, size_t size);

}  // namespace xml_writer

#endif  // VARNEL_XML_XML_WRITER_INTERNAL_H_
