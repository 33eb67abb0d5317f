// Line preparation: the steps that turn the raw header lines into clean
// code lines before statements are normalised.
#ifndef VARNEL_PARSER_LINE_PREP_H_
#define VARNEL_PARSER_LINE_PREP_H_

#include <string>

#include "model/text.h"

// Tabs to spaces, trimmed, runs of spaces collapsed to one, and no space
// before or after "::".
void NormalizeSpacing(std::string* text);
std::string NormalizedSpacing(std::string_view text);

// Trims every line and removes the lines that are then empty.
void CompactLines(TextList* lines);

// Removes // and /* */ comments, leaving string and character literals
// alone, then compacts the list.
void StripComments(TextList* lines);

// Joins a line ending in a string literal with a next line starting with
// one ("ab" "cd" becomes "abcd"); chains join into one line.
void JoinStringLiterals(TextList* lines);

// Joins lines ending in a backslash with the line after them.
void JoinContinuationLines(TextList* lines);

// Moves the operands of "#include " lines into `includes` and drops every
// preprocessor line.
void ExtractIncludes(TextList* lines, TextList* includes);

#endif  // VARNEL_PARSER_LINE_PREP_H_
