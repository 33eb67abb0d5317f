// Cutting the normalised text into statement lines: braces, statements,
// access labels, class heads that open a body and "inline" each start or
// end a line; lines that begin with "inline " are dropped.
#ifndef VARNEL_PARSER_STATEMENT_LINES_H_
#define VARNEL_PARSER_STATEMENT_LINES_H_

#include <string_view>

#include "model/text.h"

// `text` must be spacing-normalised (see NormalizeSpacing). Appends the
// lines to `lines`; a text in which nothing starts or ends a line gives
// none.
void SplitStatements(std::string_view text, TextList* lines);

#endif  // VARNEL_PARSER_STATEMENT_LINES_H_
