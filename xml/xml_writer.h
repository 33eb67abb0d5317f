// The XML export in Varnel's own document format.
#ifndef VARNEL_XML_XML_WRITER_H_
#define VARNEL_XML_XML_WRITER_H_

#include <cstdint>
#include <string>

#include "model/line_out.h"
#include "model/line_sink.h"
#include "model/module_info.h"
#include "model/text.h"

// Runs the naming for the given paths, then replaces `lines` with the
// document.
void BuildXmlDocument(CModuleInfo* module, const std::string& headerPath,
                      const std::string& htmlPath, TextList* lines);

// The same document in pieces, for writing it to a file without holding
// all of it: after the module and global sections and after every class,
// `flush` gets the lines built since the last call and must take them out
// of the list. Stops and returns false as soon as `flush` returns false.
bool BuildXmlDocumentInPieces(CModuleInfo* module,
                              const std::string& headerPath,
                              const std::string& htmlPath,
                              const LineSink& flush);

// The same document as bytes for a file: every line followed by CR LF,
// handed to `sink` in large blocks. Stops and returns false as soon as
// `sink` returns false.
bool WriteXmlDocumentBytes(CModuleInfo* module, const std::string& headerPath,
                           const std::string& htmlPath, const ByteSink& sink);

// The same for a model that the naming has named for these paths, with
// nothing changed since.
bool WriteNamedXmlDocumentBytes(const CModuleInfo& module,
                                const ByteSink& sink);

// At least as many bytes as WriteNamedXmlDocumentBytes gives for `module`,
// from its texts and the sizes of its lists, without building anything.
uint64_t XmlDocumentBytesAtMost(const CModuleInfo& module);

// Whether that document may be larger than `limit`. Cheap enough to ask
// of every header: only a true answer needs the document counted.
bool XmlDocumentMayExceed(const CModuleInfo& module, uint64_t limit);

// Empty when the XML document of the named `module` stays within `limit`;
// otherwise its size and what to do, with `allowHow` the way to allow more
// ("Use --max-output to allow it, or").
std::string XmlTooLargeReason(const CModuleInfo& module, uint64_t limit,
                              const std::string& allowHow);

void WriteXmlHead(TextList* lines, const CModuleInfo& module);
void WriteXmlModule(TextList* lines, const CModuleInfo& module);
void WriteXmlGlobalVars(TextList* lines, const CModuleInfo& module);
void WriteXmlGlobalFuncs(TextList* lines, const CModuleInfo& module);
void WriteXmlClass(TextList* lines, const std::string& className,
                   const CModuleInfo& module);
void WriteXmlEnd(TextList* lines, const CModuleInfo& module);

#endif  // VARNEL_XML_XML_WRITER_H_
