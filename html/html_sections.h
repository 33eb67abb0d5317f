// The section writers as the page build runs them: the module navigation
// bar, which repeats after every block and lists every class, is built once
// per page and handed in, so a page costs no more than the lines it holds.
#ifndef VARNEL_HTML_HTML_SECTIONS_H_
#define VARNEL_HTML_HTML_SECTIONS_H_

#include <cstdint>
#include <string_view>

#include "model/line_out.h"
#include "model/module_info.h"
#include "model/text.h"

// The lines of the module navigation bar.
TextList HtmlNavBarLines(const CModuleInfo& module);
// The bytes of one module bar in a file, line ends included.
uint64_t HtmlNavBarBytes(const CModuleInfo& module);

void WriteHtmlHeadTitled(LineOut* out, const CModuleInfo& module,
                         std::string_view title);
void WriteHtmlEnd(LineOut* out);

// The writers hand the lines on at `out`'s flush points while a long list
// is written, after the list and after every detail block (see
// BuildHtmlPageInPieces); a failed hand-over stops the writer, which then
// returns false.
void WriteHtmlModuleSection(LineOut* out, const CModuleInfo& module,
                            const TextList& navBar);
bool WriteHtmlGlobalVarsSection(LineOut* out, const CModuleInfo& module,
                                const TextList& navBar);
bool WriteHtmlGlobalFuncsSection(LineOut* out, const CModuleInfo& module,
                                 const TextList& navBar);
// The blocks of the given class record.
bool WriteHtmlClassSections(LineOut* out, const CClassInfo& cls,
                            const CModuleInfo& module, const TextList& navBar);

#endif  // VARNEL_HTML_HTML_SECTIONS_H_
