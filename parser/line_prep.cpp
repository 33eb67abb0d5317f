#include "parser/line_prep.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "model/byte_scan.h"
#include "parser/normalizer.h"

namespace {

bool IsBlankByte(char c) { return c == ' ' || c == '\t'; }

// The first tab or the first space followed by a space in [i, end), or
// end. Most text has neither for many bytes, so it is looked at eight
// bytes at a time.
size_t NextToCollapse(const char* s, size_t i, size_t end) {
  const uint64_t spaces = EveryByte(' '), tabs = EveryByte('\t');
  for (; i + 9 <= end; i += 8) {
    uint64_t w, next;
    std::memcpy(&w, s + i, 8);
    std::memcpy(&next, s + i + 1, 8);
    const uint64_t hits =
        BytesEqual(w, tabs) | (BytesEqual(w, spaces) & BytesEqual(next, spaces));
    if (hits != 0)
      return i + FirstMarkedByte(hits);
  }
  for (; i < end; ++i)
    if (s[i] == '\t' || (s[i] == ' ' && i + 1 < end && s[i + 1] == ' '))
      return i;
  return end;
}

}  // namespace

bool MayHoldCommentOrLiteral(std::string_view line) {
  // Asked of every line of the header: eight bytes at a time.
  const uint64_t quotes = EveryByte('"');
  const uint64_t apostrophes = EveryByte('\'');
  const uint64_t slashes = EveryByte('/');
  const char* s = line.data();
  size_t i = 0;
  for (; i + 8 <= line.size(); i += 8) {
    uint64_t w;
    std::memcpy(&w, s + i, 8);
    if (BytesEqual(w, quotes) | BytesEqual(w, apostrophes) |
        BytesEqual(w, slashes))
      return true;
  }
  for (; i < line.size(); ++i)
    if (s[i] == '"' || s[i] == '\'' || s[i] == '/')
      return true;
  return false;
}

void NormalizeSpacing(std::string* text) {
  // Tabs become spaces, the ends are trimmed and every run of spaces
  // shrinks to one, all in one pass that moves the stretches between
  // changes in one piece each.
  std::string& s = *text;
  size_t end = s.size();
  while (end > 0 && IsWhite(s[end - 1]))
    --end;
  size_t begin = 0;
  while (begin < end && IsWhite(s[begin]))
    ++begin;
  char* d = s.data();
  size_t out = 0;
  for (size_t i = begin;;) {
    const size_t change = NextToCollapse(d, i, end);
    if (out != i)
      std::memmove(d + out, d + i, change - i);
    out += change - i;
    if (change == end)
      break;
    if (out == 0 || d[out - 1] != ' ')
      d[out++] = ' ';
    for (i = change; i < end && IsBlankByte(d[i]);)
      ++i;
  }
  s.resize(out);
  if (s.find("::") != std::string::npos) {
    ReplaceAll(text, " ::", "::");
    ReplaceAll(text, ":: ", "::");
  }
}

bool NormalizingAgainChanges(std::string_view normalized) {
  // Searched by the "::": a text has far fewer colons than spaces.
  const std::string_view s = normalized;
  for (size_t p = s.find("::"); p != std::string_view::npos;
       p = s.find("::", p + 1)) {
    if ((p > 0 && s[p - 1] == ' ') || (p + 2 < s.size() && s[p + 2] == ' '))
      return true;
  }
  return false;
}

std::string NormalizedSpacing(std::string_view text) {
  std::string copy(text);
  NormalizeSpacing(&copy);
  return copy;
}

namespace {

template <typename List>
void CompactTexts(List* lines) {
  auto out = lines->begin();
  for (auto& line : *lines) {
    // Most lines need no trimming; only those are handed to Trim.
    if (!line.empty() &&
        (IsWhite(line.front()) || IsWhite(line.back())))
      Trim(&line);
    if (line.empty())
      continue;
    if (&*out != &line)
      *out = std::move(line);
    ++out;
  }
  lines->resize(out - lines->begin());
}

}  // namespace

void CompactLines(TextList* lines) { CompactTexts(lines); }

void CompactLines(CompactTextList* lines) { CompactTexts(lines); }

namespace {

// Copies a string or character literal that starts at `pos` (the quote)
// into `out`, up to and including its closing quote or the end of the line.
// Returns the position after it.
size_t CopyLiteral(const std::string& line, size_t pos, std::string* out) {
  char quote = line[pos];
  out->push_back(quote);
  ++pos;
  while (pos < line.size()) {
    char c = line[pos++];
    out->push_back(c);
    if (c == '\\' && pos < line.size()) {
      out->push_back(line[pos++]);
    } else if (c == quote) {
      break;
    }
  }
  return pos;
}

}  // namespace

void StripLineCommentsInto(const std::string& line, bool* inComment,
                           std::string* out) {
  out->clear();
  size_t pos = 0;
  if (*inComment) {
    size_t end = line.find("*/");
    if (end == std::string::npos)
      return;
    *inComment = false;
    pos = end + 2;
  }
  out->reserve(line.size() - pos);
  while (pos < line.size()) {
    char c = line[pos];
    if (c == '"' || (c == '\'' && (pos == 0 || !IsIdentChar(line[pos - 1])))) {
      pos = CopyLiteral(line, pos, out);
    } else if (c == '/' && pos + 1 < line.size() && line[pos + 1] == '/') {
      break;
    } else if (c == '/' && pos + 1 < line.size() && line[pos + 1] == '*') {
      size_t end = line.find("*/", pos + 2);
      if (end == std::string::npos) {
        *inComment = true;
        break;
      }
      out->push_back(' ');
      pos = end + 2;
    } else {
      out->push_back(c);
      ++pos;
    }
  }
}

namespace {

std::string StripLineComments(const std::string& line, bool* inComment) {
  std::string out;
  StripLineCommentsInto(line, inComment, &out);
  return out;
}

// Joins line i into line i + 1 for every line i that `joins` accepts,
// dropping `dropLast` characters from the end of line i and `dropFirst`
// from the start of line i + 1. The joined line is examined again, so
// chains collapse into their last line.
template <typename Joins>
void JoinLines(TextList* lines, size_t dropLast, size_t dropFirst,
               Joins joins) {
  TextList& l = *lines;
  for (size_t i = 0; i + 1 < l.size(); ++i) {
    if (!joins(l[i], l[i + 1]))
      continue;
    // Grow line i and move it down, so a long chain costs linear time.
    std::string joined = std::move(l[i]);
    joined.resize(joined.size() - dropLast);
    joined.append(l[i + 1], dropFirst, std::string::npos);
    l[i + 1] = std::move(joined);
    l[i].clear();
  }
  CompactLines(lines);
}

}  // namespace

void StripComments(TextList* lines) {
  bool inComment = false;
  for (auto& line : *lines) {
    // Most lines hold no quote and no slash: nothing to strip there.
    if (!inComment && !MayHoldCommentOrLiteral(line))
      continue;
    line = StripLineComments(line, &inComment);
    Trim(&line);
  }
  CompactLines(lines);
}

void JoinStringLiterals(TextList* lines) {
  JoinLines(lines, 1, 1, [](const std::string& a, const std::string& b) {
    return !a.empty() && a.back() == '"' && !b.empty() && b.front() == '"';
  });
}

void JoinContinuationLines(TextList* lines) {
  JoinLines(lines, 1, 0, [](const std::string& a, const std::string&) {
    return !a.empty() && a.back() == '\\';
  });
}

bool TakeIncludeOrDirective(std::string* line, TextList* includes) {
  if (line->find("#include ") != std::string::npos) {
    std::string& entry = includes->emplace_back(std::move(*line));
    ReplaceAll(&entry, "#include ", " ");
    Trim(&entry);
  } else if (line->empty() || (*line)[0] != '#') {
    return false;
  }
  line->clear();
  return true;
}

void ExtractIncludes(TextList* lines, TextList* includes) {
  includes->clear();
  for (auto& line : *lines)
    TakeIncludeOrDirective(&line, includes);
  CompactLines(lines);
}
