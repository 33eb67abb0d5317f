#include "model/text.h"

#include <algorithm>
#include <cstring>

int Find(std::string_view text, std::string_view what, int from) {
  if (from < 0)
    from = 0;
  size_t pos = text.find(what, static_cast<size_t>(from));
  return pos == std::string_view::npos ? -1 : static_cast<int>(pos);
}

int Find(std::string_view text, char what, int from) {
  if (from < 0)
    from = 0;
  size_t pos = text.find(what, static_cast<size_t>(from));
  return pos == std::string_view::npos ? -1 : static_cast<int>(pos);
}

int FindLast(std::string_view text, char c) {
  size_t pos = text.rfind(c);
  return pos == std::string_view::npos ? -1 : static_cast<int>(pos);
}

int FindOneOf(std::string_view text, std::string_view set, int from) {
  if (from < 0)
    from = 0;
  size_t pos = text.find_first_of(set, static_cast<size_t>(from));
  return pos == std::string_view::npos ? -1 : static_cast<int>(pos);
}

namespace {

// The first occurrence of `what` at or after `from`. The search runs on
// the first character of `what` that is no blank: patterns like " *" would
// otherwise stop at every blank of a text.
size_t FindFrom(std::string_view text, std::string_view what, size_t from) {
  size_t k = what.find_first_not_of(' ');
  if (k == std::string_view::npos || k == 0)
    return text.find(what, from);
  char key = what[k];
  for (size_t pos = from + k; pos < text.size();) {
    const void* hit = std::memchr(text.data() + pos, key, text.size() - pos);
    if (!hit)
      return std::string_view::npos;
    pos = static_cast<const char*>(hit) - text.data();
    size_t start = pos - k;
    if (text.compare(start, what.size(), what) == 0)
      return start;
    ++pos;
  }
  return std::string_view::npos;
}

}  // namespace

namespace {

// Replacing by a text no longer than the pattern never writes past what it
// has read, so it runs in place.
int ReplaceShrinking(std::string* text, std::string_view from,
                     std::string_view to, size_t pos) {
  std::string& s = *text;
  size_t out = pos, done = pos;
  int count = 0;
  while (pos != std::string::npos) {
    if (out != done)
      std::memmove(&s[out], &s[done], pos - done);
    out += pos - done;
    std::memcpy(&s[out], to.data(), to.size());
    out += to.size();
    done = pos + from.size();
    ++count;
    pos = FindFrom(s, from, done);
  }
  if (out != done)
    std::memmove(&s[out], &s[done], s.size() - done);
  s.resize(out + (s.size() - done));
  return count;
}

// A longer replacement runs in place too, once the text is moved to the
// end of its grown buffer: the output then never overtakes the input.
// Growing the one buffer instead of building a second one keeps a
// multi-megabyte text from being copied into fresh memory on every call.
int ReplaceGrowing(std::string* text, std::string_view from,
                   std::string_view to, size_t pos) {
  std::string& s = *text;
  size_t count = 0;
  for (size_t p = pos; p != std::string::npos;
       p = FindFrom(s, from, p + from.size()))
    ++count;
  const size_t size = s.size();
  const size_t shift = count * (to.size() - from.size());
  s.resize(size + shift);
  std::memmove(&s[shift], &s[0], size);
  size_t out = 0, done = shift;
  pos += shift;
  while (pos != std::string::npos) {
    std::memmove(&s[out], &s[done], pos - done);
    out += pos - done;
    std::memcpy(&s[out], to.data(), to.size());
    out += to.size();
    done = pos + from.size();
    pos = FindFrom(s, from, done);
  }
  // What is left after the last occurrence is already in its place.
  return static_cast<int>(count);
}

}  // namespace

int ReplaceAll(std::string* text, std::string_view from, std::string_view to) {
  if (from.empty())
    return 0;
  size_t pos = FindFrom(*text, from, 0);
  if (pos == std::string::npos)
    return 0;
  if (to.size() <= from.size())
    return ReplaceShrinking(text, from, to, pos);
  return ReplaceGrowing(text, from, to, pos);
}

void ReplaceAllRepeat(std::string* text, std::string_view from,
                      std::string_view to) {
  while (ReplaceAll(text, from, to) > 0) {
  }
}

std::string Left(std::string_view text, int n) {
  if (n < 1)
    return std::string();
  return std::string(text.substr(0, static_cast<size_t>(n)));
}

std::string Right(std::string_view text, int n) {
  if (n < 1)
    return std::string();
  size_t count = std::min(text.size(), static_cast<size_t>(n));
  return std::string(text.substr(text.size() - count));
}

std::string Mid(std::string_view text, int first, int count) {
  if (first < 0) {
    count += first;
    first = 0;
  }
  if (count < 1 || static_cast<size_t>(first) >= text.size())
    return std::string();
  return std::string(
      text.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

std::string Mid(std::string_view text, int first) {
  if (first < 0)
    first = 0;
  if (static_cast<size_t>(first) >= text.size())
    return std::string();
  return std::string(text.substr(static_cast<size_t>(first)));
}

void Trim(std::string* text) {
  size_t end = text->size();
  while (end > 0 && IsWhite((*text)[end - 1]))
    --end;
  size_t begin = 0;
  while (begin < end && IsWhite((*text)[begin]))
    ++begin;
  if (begin == 0 && end == text->size())
    return;
  text->erase(end);
  text->erase(0, begin);
}

std::string Trimmed(std::string_view text) {
  std::string copy(text);
  Trim(&copy);
  return copy;
}

std::string JoinedWithLineFeeds(const TextList& lines) {
  size_t size = 0;
  for (const std::string& line : lines)
    size += line.size() + 1;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += '\n';
  }
  return text;
}

namespace {

// Offset where the folder part of a path ends: after a leading drive
// ("C:") and up to the last separator; the file name starts here.
size_t FileNameStart(std::string_view path) {
  size_t sep = path.find_last_of("/\\");
  if (sep != std::string_view::npos)
    return sep + 1;
  if (path.size() >= 2 && path[1] == ':' &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')))
    return 2;
  return 0;
}

}  // namespace

std::string PathFolder(std::string_view path) {
  size_t sep = path.find_last_of("/\\");
  if (sep == std::string_view::npos)
    return std::string();
  return std::string(path.substr(0, sep));
}

std::string PathFileName(std::string_view path) {
  return std::string(path.substr(FileNameStart(path)));
}

std::string PathStem(std::string_view path) {
  std::string_view name = path.substr(FileNameStart(path));
  size_t dot = name.rfind('.');
  return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::string PathExtension(std::string_view path) {
  std::string_view name = path.substr(FileNameStart(path));
  size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string()
                                       : std::string(name.substr(dot));
}
