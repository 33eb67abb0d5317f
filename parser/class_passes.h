// The class passes run by the parse driver for every class.
#ifndef VARNEL_PARSER_CLASS_PASSES_H_
#define VARNEL_PARSER_CLASS_PASSES_H_

#include "model/module_info.h"
#include "model/text.h"

// Fills the members and methods of every class record, in array order, on
// the shrinking line list. A class name that occurs twice is parsed once,
// for its first record.
void ParseAllClassBodies(CModuleInfo* module, TextList* lines,
                         const TextList& notReturns);

#endif  // VARNEL_PARSER_CLASS_PASSES_H_
