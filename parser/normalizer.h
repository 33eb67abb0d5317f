// The statement normaliser: brings the prepared lines into the canonical
// shape the declaration passes rely on (one statement per line, braces and
// access labels on lines of their own, inline bodies gone, macros removed).
#ifndef VARNEL_PARSER_NORMALIZER_H_
#define VARNEL_PARSER_NORMALIZER_H_

#include <array>
#include <string>

#include "model/text.h"

// Letters, digits, underscore and dollar sign.
extern const char IDENT_CHARS[];

// A table, since every pass over the text asks this of most characters.
constexpr std::array<bool, 256> IdentCharTable() {
  std::array<bool, 256> table{};
  for (int c = 0; c < 256; ++c)
    table[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
               (c >= '0' && c <= '9') || c == '_' || c == '$';
  return table;
}
inline constexpr std::array<bool, 256> kIdentChar = IdentCharTable();

inline bool IsIdentChar(char c) {
  return kIdentChar[static_cast<unsigned char>(c)];
}

void NormalizeStatements(TextList* lines, const TextList& macros);
// The same for the lines already joined, each followed by a space; the
// statements replace `lines`.
void NormalizeStatementText(std::string text, const TextList& macros,
                            TextList* lines);

// Blanks every whole-word occurrence of each macro name, together with a
// directly following parenthesised argument list.
void RemoveMacros(std::string* text, const TextList& macros);

// Replaces the bodies after "){" and ") const {" by ";".
void RemoveInlineBodies(std::string* text);

#endif  // VARNEL_PARSER_NORMALIZER_H_
