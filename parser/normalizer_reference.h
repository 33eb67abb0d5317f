// The statement normaliser written as its plain sequence of replace-all
// passes over the joined text, each pass a full scan. Slow, but each line
// reads as one rule; the tests hold the fused passes of the real one to
// it. Not part of the library.
#ifndef VARNEL_PARSER_NORMALIZER_REFERENCE_H_
#define VARNEL_PARSER_NORMALIZER_REFERENCE_H_

#include <string>

#include "model/text.h"

void NormalizeStatementsByPasses(TextList* lines, const TextList& macros);

// The single steps, in the same plain form.
void NormalizeSpacingByPasses(std::string* text);
void RemoveMacrosPlainly(std::string* text, const TextList& macros);
void RemoveInlineBodiesPlainly(std::string* text);
void SpaceOperatorsByPasses(std::string* text);
// Appends the lines, like SplitStatements.
void SplitStatementsByPasses(std::string text, TextList* lines);

#endif  // VARNEL_PARSER_NORMALIZER_REFERENCE_H_
