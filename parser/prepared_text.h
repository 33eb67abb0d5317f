// The line preparation of a whole header as one pass over its bytes: the
// same result as splitting it into lines and running NormalizeSpacing,
// CompactLines, StripComments, JoinStringLiterals, JoinContinuationLines and
// ExtractIncludes over the list, then joining what is left for the
// statement normaliser, but without a heap string for every line.
#ifndef VARNEL_PARSER_PREPARED_TEXT_H_
#define VARNEL_PARSER_PREPARED_TEXT_H_

#include <string>

#include "model/text.h"

// Appends every line the preparation keeps, each followed by a space, to
// `text`, and puts the include operands into `includes`. Returns false
// when no line of `header` holds anything but white space.
bool PrepareHeaderText(const std::string& header, std::string* text,
                       TextList* includes);

#endif  // VARNEL_PARSER_PREPARED_TEXT_H_
