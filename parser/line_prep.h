// Line preparation: the steps that turn the raw header lines into clean
// code lines before statements are normalised.
#ifndef VARNEL_PARSER_LINE_PREP_H_
#define VARNEL_PARSER_LINE_PREP_H_

#include <string>

#include "model/compact_text_list.h"
#include "model/text.h"

// Tabs to spaces, trimmed, runs of spaces collapsed to one, and no space
// before or after "::".
void NormalizeSpacing(std::string* text);
std::string NormalizedSpacing(std::string_view text);

// Whether normalising again can change a text NormalizeSpacing gave, or a
// trimmed piece of it. The normalising leaves no tab, no run of spaces and
// no space at either end, but a space beside a "::" can be left where
// taking out another one joined colons: ": ::" became " :::" and ":: :"
// became "::: ".
bool NormalizingAgainChanges(std::string_view normalized);

// Trims every line and removes the lines that are then empty.
void CompactLines(TextList* lines);
void CompactLines(CompactTextList* lines);

// Whether the line holds a quote or a slash: where a comment or a literal
// may begin. A line without one keeps its text through StripComments.
bool MayHoldCommentOrLiteral(std::string_view line);

// Strips the comments of one line into `out`. `inComment` carries an open
// block comment from the previous line and is updated for the next one.
void StripLineCommentsInto(const std::string& line, bool* inComment,
                           std::string* out);

// Removes // and /* */ comments, leaving string and character literals
// alone, then compacts the list.
void StripComments(TextList* lines);

// Joins a line ending in a string literal with a next line starting with
// one ("ab" "cd" becomes "abcd"); chains join into one line.
void JoinStringLiterals(TextList* lines);

// Joins lines ending in a backslash with the line after them.
void JoinContinuationLines(TextList* lines);

// An "#include " line's operand goes to `includes`; it and any other
// preprocessor line are emptied, and true is returned. Other lines stay.
bool TakeIncludeOrDirective(std::string* line, TextList* includes);

// Moves the operands of "#include " lines into `includes` and drops every
// preprocessor line.
void ExtractIncludes(TextList* lines, TextList* includes);

#endif  // VARNEL_PARSER_LINE_PREP_H_
