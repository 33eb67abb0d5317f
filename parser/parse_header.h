// The parse driver: one header file in, a filled document model out.
#ifndef VARNEL_PARSER_PARSE_HEADER_H_
#define VARNEL_PARSER_PARSE_HEADER_H_

#include <string>

#include "model/module_info.h"
#include "model/text.h"

// The messages of the driver, also used by the document's commands.
extern const char kNoFileNameMessage[];
extern const char kCannotOpenMessage[];
extern const char kCannotReadMessage[];
extern const char kEmptyFileMessage[];

// Reads the header at `headerPath` into `lines` and parses it into
// `module`, whose name and options the caller has set. The HTML path feeds
// the naming of the output pages. On failure `err` gets the message and
// the module is left untouched; `lines` is then empty or holds what was
// read.
bool ParseHeader(const std::string& headerPath, const std::string& htmlPath,
                 const TextList& macros, const TextList& notReturns,
                 TextList* lines, CModuleInfo* module, std::string* err);

// The same for a header already in memory; `text` is the file's bytes.
bool ParseHeaderText(const std::string& text, const std::string& headerPath,
                     const std::string& htmlPath, const TextList& macros,
                     const TextList& notReturns, TextList* lines,
                     CModuleInfo* module, std::string* err);

// Everything after reading: line preparation, normalising, the module and
// class passes and the naming. `lines` holds the file's lines, already
// spacing-normalised and compacted, and is left with what no pass consumed.
void ParseLines(const std::string& headerPath, const std::string& htmlPath,
                const TextList& macros, const TextList& notReturns,
                TextList* lines, CModuleInfo* module);

// The passes after normalising: `lines` holds one statement per line.
void ParseStatements(const std::string& headerPath,
                     const std::string& htmlPath, const TextList& notReturns,
                     TextList* lines, CModuleInfo* module);

#endif  // VARNEL_PARSER_PARSE_HEADER_H_
