#include "parser/normalizer.h"

#include "parser/line_prep.h"
#include "parser/operator_spacing.h"
#include "parser/statement_lines.h"

const char IDENT_CHARS[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_$";

namespace {

// Replaces the bodies that follow `opener` (which ends in "{") by ";".
// Returns false when a body does not close before the end of the text;
// the text is then left as far as it got.
bool RemoveBodiesAfter(std::string* text, std::string_view opener) {
  const std::string& s = *text;
  size_t p = s.find(opener);
  if (p == std::string::npos)
    return true;
  std::string out;
  out.reserve(s.size());
  size_t done = 0;
  bool balanced = true;
  while (p != std::string::npos) {
    size_t brace = p + opener.size() - 1;
    int depth = 1;
    size_t k = brace + 1;
    for (; k < s.size() && depth > 0; ++k) {
      if (s[k] == '{')
        ++depth;
      else if (s[k] == '}')
        --depth;
    }
    if (depth > 0) {
      balanced = false;
      break;
    }
    out.append(s, done, brace - done);
    out.push_back(';');
    done = k;
    // The ";" just written cannot start another opener, so the search
    // goes on right after the removed body.
    p = s.find(opener, k);
  }
  out.append(s, done, std::string::npos);
  text->swap(out);
  return balanced;
}

}  // namespace

void RemoveInlineBodies(std::string* text) {
  if (text->empty())
    return;
  if (!RemoveBodiesAfter(text, "){"))
    return;
  ReplaceAllRepeat(text, ";;", ";");
  if (text->empty())
    return;
  if (!RemoveBodiesAfter(text, ") const {"))
    return;
  ReplaceAllRepeat(text, ";;", ";");
}

void NormalizeStatements(TextList* lines, const TextList& macros) {
  if (lines->empty())
    return;
  size_t total = 0;
  for (const auto& line : *lines)
    total += line.size() + 1;
  std::string text;
  text.reserve(total);
  for (const auto& line : *lines) {
    text += line;
    text += ' ';
  }
  lines->clear();
  NormalizeStatementText(std::move(text), macros, lines);
}

void NormalizeStatementText(std::string text, const TextList& macros,
                            TextList* lines) {
  lines->clear();
  if (text.empty())
    return;
  NormalizeSpacing(&text);
  SpaceOperators(&text);
  RemoveMacros(&text, macros);
  NormalizeSpacing(&text);
  RemoveInlineBodies(&text);
  // Putting ";" in place of a body or of ";;" makes no tab, no run of
  // spaces and no edge space, so normalising again matters only where a
  // space is left beside a "::".
  if (NormalizingAgainChanges(text))
    NormalizeSpacing(&text);
  SplitStatements(text, lines);
}
