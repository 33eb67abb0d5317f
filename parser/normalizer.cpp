#include "parser/normalizer.h"

#include "parser/line_prep.h"

const char IDENT_CHARS[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_$";

bool IsIdentChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9') || c == '_' || c == '$';
}

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

// Step 18: a tab before "class " or "struct " becomes a line break when
// the keyword opens a definition (a "{" comes before the next ";"),
// otherwise a space.
void ResolveClassTabs(std::string* text) {
  std::string& s = *text;
  size_t nextBrace = std::string::npos, nextSemi = std::string::npos;
  for (size_t i = s.size(); i-- > 0;) {
    char c = s[i];
    if (c == '{') {
      nextBrace = i;
    } else if (c == ';') {
      nextSemi = i;
    } else if (c == '\t') {
      bool opens = nextBrace != std::string::npos &&
                   nextSemi != std::string::npos && nextSemi > nextBrace;
      s[i] = opens ? '\n' : ' ';
    }
  }
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

void RemoveInlineLines(TextList* lines) {
  TextList& l = *lines;
  size_t out = 0;
  for (size_t i = 0; i < l.size(); ++i) {
    if (StartsWith(l[i], "inline "))
      continue;
    if (out != i)
      l[out] = std::move(l[i]);
    ++out;
  }
  l.resize(out);
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

  NormalizeSpacing(&text);
  ReplaceAll(&text, " *", "*");
  ReplaceAll(&text, "*", "* ");
  ReplaceAllRepeat(&text, "* *", "**");
  ReplaceAll(&text, " &", "&");
  ReplaceAll(&text, "&", "& ");
  ReplaceAllRepeat(&text, "& &", "&&");
  ReplaceAll(&text, " ,", ",");
  ReplaceAll(&text, ",", ", ");
  ReplaceAll(&text, " ;", ";");
  ReplaceAll(&text, "; ", ";");
  ReplaceAll(&text, " :", ":");
  ReplaceAll(&text, ": ", ":");
  ReplaceAll(&text, ") {", "){");
  ReplaceAll(&text, ")const", ") const");
  ReplaceAll(&text, "const{", "const {");
  ReplaceAll(&text, " operator ", " operator");
  RemoveMacros(&text, macros);
  NormalizeSpacing(&text);
  RemoveInlineBodies(&text);
  NormalizeSpacing(&text);
  ReplaceAll(&text, "{", "\n{\n");
  ReplaceAll(&text, "}", "\n}\n");
  ReplaceAll(&text, ";", ";\n");
  ReplaceAll(&text, "\n;", ";");
  ReplaceAll(&text, " class ", "\tclass ");
  ReplaceAll(&text, " struct ", "\tstruct ");
  ReplaceAll(&text, " private:", "\nprivate:\n");
  ReplaceAll(&text, ":private:", ":\nprivate:\n");
  ReplaceAll(&text, "\nprivate:", "\nprivate:\n");
  ReplaceAll(&text, " protected:", "\nprotected:\n");
  ReplaceAll(&text, ":protected:", ":\nprotected:\n");
  ReplaceAll(&text, "\nprotected:", "\nprotected:\n");
  ReplaceAll(&text, " public:", "\npublic:\n");
  ReplaceAll(&text, ":public:", ":\npublic:\n");
  ReplaceAll(&text, "\npublic:", "\npublic:\n");
  ReplaceAll(&text, " inline ", "\ninline ");
  ResolveClassTabs(&text);

  if (text.find('\n') == std::string::npos)
    return;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos)
      end = text.size();
    std::string piece = text.substr(start, end - start);
    NormalizeSpacing(&piece);
    if (!piece.empty())
      lines->push_back(std::move(piece));
    start = end + 1;
  }
  RemoveInlineLines(lines);
  CompactLines(lines);
}
