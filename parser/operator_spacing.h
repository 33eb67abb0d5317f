// Canonical spacing around "*", "&", ",", ";", ":" and the keywords the
// declaration passes look for ("const", "operator"), in one pass.
#ifndef VARNEL_PARSER_OPERATOR_SPACING_H_
#define VARNEL_PARSER_OPERATOR_SPACING_H_

#include <string>

// `text` must be spacing-normalised (see NormalizeSpacing): no tab, no
// two spaces in a row, no white space at either end.
void SpaceOperators(std::string* text);

#endif  // VARNEL_PARSER_OPERATOR_SPACING_H_
