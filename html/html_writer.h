// The HTML page: one file documenting the whole module.
#ifndef VARNEL_HTML_HTML_WRITER_H_
#define VARNEL_HTML_HTML_WRITER_H_

#include <string>

#include "model/module_info.h"
#include "model/text.h"

// Runs the naming for the given paths, then replaces `lines` with the page.
void BuildHtmlPage(CModuleInfo* module, const std::string& headerPath,
                   const std::string& htmlPath, TextList* lines);

// The pieces of the page, each appending its lines. They read the names
// that the naming stored in the model and never change the model.
void WriteHtmlHead(TextList* lines, const CModuleInfo& module);
void WriteHtmlModule(TextList* lines, const CModuleInfo& module);
// Both write nothing when the module has no such records.
void WriteHtmlGlobalVars(TextList* lines, const CModuleInfo& module);
void WriteHtmlGlobalFuncs(TextList* lines, const CModuleInfo& module);
// Documents the first class named `className`; nothing if there is none.
void WriteHtmlClass(TextList* lines, const std::string& className,
                    const CModuleInfo& module);
void WriteHtmlEnd(TextList* lines, const CModuleInfo& module);
// The module navigation bar that closes every block.
void WriteHtmlNavBar(TextList* lines, const CModuleInfo& module);

#endif  // VARNEL_HTML_HTML_WRITER_H_
