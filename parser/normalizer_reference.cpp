#include "parser/normalizer_reference.h"

#include "parser/line_prep.h"
#include "parser/normalizer.h"

void NormalizeSpacingByPasses(std::string* text) {
  ReplaceAll(text, "\t", " ");
  Trim(text);
  ReplaceAllRepeat(text, "  ", " ");
  ReplaceAll(text, " ::", "::");
  ReplaceAll(text, ":: ", "::");
}

// For each name, each occurrence found by searching on from the last one,
// with fresh searches for the parentheses.
void RemoveMacrosPlainly(std::string* text, const TextList& macros) {
  std::string& s = *text;
  for (const auto& m : macros) {
    size_t b = s.find(m);
    while (b != std::string::npos) {
      size_t end = b + m.size();
      bool whole = (b == 0 || !IsIdentChar(s[b - 1])) &&
                   (end == s.size() || !IsIdentChar(s[end]));
      if (whole) {
        size_t j = s.find('(', b);
        bool identBetween = false;
        if (j != std::string::npos)
          for (size_t k = end; k < j; ++k)
            identBetween = identBetween || IsIdentChar(s[k]);
        if (j == std::string::npos || identBetween) {
          for (size_t k = b; k < end; ++k) s[k] = ' ';
        } else {
          size_t close = s.find(')', b);
          if (close != std::string::npos && close >= j) {
            int depth = 1;
            size_t k = j + 1;
            for (; k < s.size() && depth > 0; ++k)
              depth += s[k] == '(' ? 1 : s[k] == ')' ? -1 : 0;
            if (depth == 0)
              for (size_t q = b; q < k; ++q) s[q] = ' ';
          }
        }
      }
      b = s.find(m, b + 1);
    }
  }
}

namespace {

// Replaces each body after `opener` by ";"; false when one never closes.
bool RemoveBodiesPlainly(std::string* text, const std::string& opener) {
  std::string& s = *text;
  size_t p = s.find(opener);
  while (p != std::string::npos) {
    size_t brace = p + opener.size() - 1;
    int depth = 1;
    size_t k = brace + 1;
    for (; k < s.size() && depth > 0; ++k)
      depth += s[k] == '{' ? 1 : s[k] == '}' ? -1 : 0;
    if (depth > 0)
      return false;
    s.replace(brace, k - brace, 1, ';');
    p = s.find(opener, brace);
  }
  return true;
}

}  // namespace

void RemoveInlineBodiesPlainly(std::string* text) {
  if (text->empty() || !RemoveBodiesPlainly(text, "){"))
    return;
  ReplaceAllRepeat(text, ";;", ";");
  if (text->empty() || !RemoveBodiesPlainly(text, ") const {"))
    return;
  ReplaceAllRepeat(text, ";;", ";");
}

void SpaceOperatorsByPasses(std::string* text) {
  ReplaceAll(text, " *", "*");
  ReplaceAll(text, "*", "* ");
  ReplaceAllRepeat(text, "* *", "**");
  ReplaceAll(text, " &", "&");
  ReplaceAll(text, "&", "& ");
  ReplaceAllRepeat(text, "& &", "&&");
  ReplaceAll(text, " ,", ",");
  ReplaceAll(text, ",", ", ");
  ReplaceAll(text, " ;", ";");
  ReplaceAll(text, "; ", ";");
  ReplaceAll(text, " :", ":");
  ReplaceAll(text, ": ", ":");
  ReplaceAll(text, ") {", "){");
  ReplaceAll(text, ")const", ") const");
  ReplaceAll(text, "const{", "const {");
  ReplaceAll(text, " operator ", " operator");
}

void SplitStatementsByPasses(std::string text, TextList* lines) {
  ReplaceAll(&text, "{", "\n{\n");
  ReplaceAll(&text, "}", "\n}\n");
  ReplaceAll(&text, ";", ";\n");
  ReplaceAll(&text, "\n;", ";");
  ReplaceAll(&text, " class ", "\tclass ");
  ReplaceAll(&text, " struct ", "\tstruct ");
  for (const char* label : {"private", "protected", "public"}) {
    auto with = [label](const char* before, const char* after) {
      return std::string(before).append(label).append(":").append(after);
    };
    ReplaceAll(&text, with(" ", ""), with("\n", "\n"));
    ReplaceAll(&text, with(":", ""), with(":\n", "\n"));
    ReplaceAll(&text, with("\n", ""), with("\n", "\n"));
  }
  ReplaceAll(&text, " inline ", "\ninline ");
  for (size_t t = text.find('\t'); t != std::string::npos;
       t = text.find('\t', t + 1)) {
    size_t d = text.find('{', t), f = text.find(';', t);
    text[t] = d != std::string::npos && f != std::string::npos && f > d
                  ? '\n'
                  : ' ';
  }
  if (text.find('\n') == std::string::npos)
    return;
  TextList pieces;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos)
      end = text.size();
    std::string piece = text.substr(start, end - start);
    NormalizeSpacingByPasses(&piece);
    if (!piece.empty())
      pieces.push_back(piece);
    start = end + 1;
  }
  for (size_t i = pieces.size(); i-- > 0;)
    if (StartsWith(pieces[i], "inline "))
      pieces.erase(pieces.begin() + i);
  CompactLines(&pieces);
  lines->insert(lines->end(), pieces.begin(), pieces.end());
}

void NormalizeStatementsByPasses(TextList* lines, const TextList& macros) {
  if (lines->empty())
    return;
  std::string text;
  for (const auto& line : *lines)
    text.append(line).append(" ");
  lines->clear();
  NormalizeSpacingByPasses(&text);
  SpaceOperatorsByPasses(&text);
  RemoveMacrosPlainly(&text, macros);
  NormalizeSpacingByPasses(&text);
  RemoveInlineBodiesPlainly(&text);
  NormalizeSpacingByPasses(&text);
  SplitStatementsByPasses(text, lines);
}
