// The HTML page: one file documenting the whole module.
#ifndef VARNEL_HTML_HTML_WRITER_H_
#define VARNEL_HTML_HTML_WRITER_H_

#include <string>

#include "model/line_out.h"
#include "model/line_sink.h"
#include "model/module_info.h"
#include "model/text.h"

#include <cstdint>

// Runs the naming for the given paths, then replaces `lines` with the page.
void BuildHtmlPage(CModuleInfo* module, const std::string& headerPath,
                   const std::string& htmlPath, TextList* lines);

// The same page in pieces, for writing it to a file: after every block
// (at most), `flush` gets the lines built since the last call and must
// take them out of the list. An element may hold
// several lines joined by CR LF, so the bytes written (each element
// followed by CR LF) are those of the page. A page can be many times larger
// than its header; this way it never has to be held whole. Stops and
// returns false as soon as `flush` returns false.
bool BuildHtmlPageInPieces(CModuleInfo* module, const std::string& headerPath,
                           const std::string& htmlPath,
                           const LineSink& flush);

// The same page as the bytes of its file (each line followed by CR LF),
// handed to `sink` in blocks of a few hundred kilobytes: the lines are
// built straight into the block, with no list between. Stops and returns
// false as soon as `sink` fails.
bool WriteHtmlPageBytes(CModuleInfo* module, const std::string& headerPath,
                        const std::string& htmlPath, const ByteSink& sink);

// The same for a model that the naming (MakeAnchors, MakeFileNames) has
// named for the page's paths, with nothing changed since. On a large
// header each naming costs as much as a twentieth of the whole job.
bool WriteNamedHtmlPageBytes(const CModuleInfo& module, const ByteSink& sink);

// The bytes that the module navigation bars alone take in the page of a
// named model (each ends every block and lists every class, so they
// dominate a page with many classes). A lower bound of the page's size.
uint64_t EstimateHtmlPageBytes(const CModuleInfo& module);

// At least as many bytes as WriteNamedHtmlPageBytes gives for `module`,
// from its texts and the sizes of its lists, without building anything.
uint64_t HtmlPageBytesAtMost(const CModuleInfo& module);

// Whether that page may be larger than `limit`. Cheap enough to ask of
// every header: only a true answer needs the page counted.
bool HtmlPageMayExceed(const CModuleInfo& module, uint64_t limit);

// The pieces of the page, each appending its lines. They read the names
// that the naming stored in the model and never change the model.
void WriteHtmlHead(TextList* lines, const CModuleInfo& module);
// The same head with another title: that of a page cut from the page.
void WriteHtmlHeadTitled(TextList* lines, const CModuleInfo& module,
                         const std::string& title);
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
