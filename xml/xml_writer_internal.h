// Pieces shared by the XML section writers: line forms, the statistics
// sentences, the entries of variables and functions, and the class writer
// that works on a record already looked up.
#ifndef VARNEL_XML_XML_WRITER_INTERNAL_H_
#define VARNEL_XML_XML_WRITER_INTERNAL_H_

#include <initializer_list>
#include <string>
#include <string_view>

#include "model/line_sink.h"
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

// The four markup characters as entities, nothing else: a text that must
// read back exactly as it is (the module name, a Target anchor).
std::string MarkupEscaped(std::string_view text);

// "<tag>text</tag>", text inserted unchanged.
std::string InlineElement(std::string_view tag, std::string_view text);
// "<tag anchor="A" NAME="A">" with the anchor escaped.
std::string AnchoredStartTag(std::string_view tag, std::string_view anchor);
// "</tag>".
std::string EndTag(std::string_view tag);

// The stored text, or the placeholder when the stored text is empty.
std::string_view OrPlaceholder(std::string_view stored,
                               std::string_view placeholder);

// Entry `i` of a description list; empty past its end, so a list shorter
// than its parallel list reads as undescribed.
std::string_view DescriptionAt(const TextList& descs, size_t i);

// A "<Description>" block around one line.
void AppendDescriptionBlock(TextList* lines, std::string_view text);

// "<br/>Initialization:<br/>" and the initialiser lines, escaped, each
// comma followed by "<br/>" and each line ending in "<br/>".
void AppendInitializerBlock(TextList* lines, const TextList& initializers);

// A "<Statistics>" block: the count sentence, then one Line2 per counter
// above 0.
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
void AppendStatistics(TextList* lines, const std::string& subject,
                      const CountWording& total,
                      std::initializer_list<ShareWording> shares);

// Declarations, return values, parameters and the detailed description:
// the content of a ModuleFunction or Method.
void AppendFunctionBody(TextList* lines, const CDeclInfo& func);


// The global sections, with `flush` as above; false when a flush failed.
bool AppendGlobalVars(TextList* lines, const CModuleInfo& module,
                      const LineSink* flush);
bool AppendGlobalFuncs(TextList* lines, const CModuleInfo& module,
                       const LineSink* flush);

// The whole Class element for one record, with `flush` as above.
bool AppendClass(TextList* lines, const CClassInfo& cls,
                 const CModuleInfo& module, const LineSink* flush = nullptr);

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
