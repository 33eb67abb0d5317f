// The section writers as the page build runs them: the module navigation
// bar, which repeats after every block and lists every class, is built once
// per page and handed in, so a page costs no more than the lines it holds.
#ifndef VARNEL_HTML_HTML_SECTIONS_H_
#define VARNEL_HTML_HTML_SECTIONS_H_

#include "model/line_sink.h"
#include "model/module_info.h"
#include "model/text.h"

// The lines of the module navigation bar.
TextList HtmlNavBarLines(const CModuleInfo& module);

void WriteHtmlModuleSection(TextList* lines, const CModuleInfo& module,
                            const TextList& navBar);
// `flush`, when given, gets the lines while a long list is written, after
// the list and after every detail block (see BuildHtmlPageInPieces); false
// from it stops the writer, which then returns false.
bool WriteHtmlGlobalVarsSection(TextList* lines, const CModuleInfo& module,
                                const TextList& navBar,
                                const LineSink* flush = nullptr);
bool WriteHtmlGlobalFuncsSection(TextList* lines, const CModuleInfo& module,
                                 const TextList& navBar,
                                 const LineSink* flush = nullptr);
// The blocks of the given class record.
bool WriteHtmlClassSections(TextList* lines, const CClassInfo& cls,
                            const CModuleInfo& module, const TextList& navBar,
                            const LineSink* flush = nullptr);

#endif  // VARNEL_HTML_HTML_SECTIONS_H_
