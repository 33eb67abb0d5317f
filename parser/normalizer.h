// The statement normaliser: brings the prepared lines into the canonical
// shape the declaration passes rely on (one statement per line, braces and
// access labels on lines of their own, inline bodies gone, macros removed).
#ifndef VARNEL_PARSER_NORMALIZER_H_
#define VARNEL_PARSER_NORMALIZER_H_

#include <string>

#include "model/text.h"

// Letters, digits, underscore and dollar sign.
extern const char IDENT_CHARS[];
bool IsIdentChar(char c);

void NormalizeStatements(TextList* lines, const TextList& macros);

// Blanks every whole-word occurrence of each macro name, together with a
// directly following parenthesised argument list.
void RemoveMacros(std::string* text, const TextList& macros);

// Replaces the bodies after "){" and ") const {" by ";".
void RemoveInlineBodies(std::string* text);

// Removes the lines that begin with "inline ".
void RemoveInlineLines(TextList* lines);

#endif  // VARNEL_PARSER_NORMALIZER_H_
