#include "html/help_names.h"

#include <unordered_map>

#include "html/help_pages.h"

const size_t kMaxPageFileBytes = 200;

namespace {

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A link "abc:def.htm" names the scheme "abc", not a file.
bool LooksLikeScheme(std::string_view name) {
  size_t colon = name.find(':');
  if (colon == std::string_view::npos || colon == 0 || !IsAsciiLetter(name[0]))
    return false;
  for (char c : name.substr(0, colon))
    if (!IsAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '+' &&
        c != '-' && c != '.')
      return false;
  return true;
}

std::string AsciiLowered(std::string_view name) {
  std::string lower(name);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

std::string ProblemWithCharacter(char c) {
  switch (c) {
    case '/':
    case '\\':
      return std::string("contains the folder separator \"") + c + "\"";
    case '#':
    case '?':
    case '%':
      return std::string("contains \"") + c +
             "\", which a link reads as more than a file name";
    case '&':
    case '<':
    case '>':
    case '"':
      // Links carry these escaped, and the help compiler looks for the
      // escaped text as the file.
      return std::string("contains \"") + c +
             "\", which a link of the help book cannot carry";
    default:
      return IsControl(static_cast<unsigned char>(c))
                 ? "contains a control character"
                 : "";
  }
}

}  // namespace

std::string PageFileNameProblem(std::string_view name) {
  if (name.empty())
    return "is empty";
  if (name.size() > kMaxPageFileBytes)
    return "is longer than " + std::to_string(kMaxPageFileBytes) + " bytes";
  if (name[0] == '.')
    return "begins with a dot";
  for (char c : name) {
    std::string problem = ProblemWithCharacter(c);
    if (!problem.empty())
      return problem;
  }
  if (LooksLikeScheme(name))
    return "begins like a link to another protocol (\"" +
           std::string(name.substr(0, name.find(':') + 1)) + "\")";
  return "";
}

std::string ShownName(std::string_view name) {
  static const char kHex[] = "0123456789abcdef";
  std::string shown;
  shown.reserve(name.size());
  for (char c : name) {
    unsigned char u = static_cast<unsigned char>(c);
    if (IsControl(u)) {
      shown += "\\x";
      shown += kHex[u >> 4];
      shown += kHex[u & 15];
    } else {
      shown += c;
    }
  }
  return shown;
}

bool CheckHelpPageNames(const std::vector<HelpPage>& pages, std::string* err) {
  std::unordered_map<std::string, size_t> byLowered;
  byLowered.reserve(pages.size());
  for (size_t i = 0; i < pages.size(); ++i) {
    const HelpPage& page = pages[i];
    std::string problem = PageFileNameProblem(page.file);
    if (!problem.empty()) {
      *err = "The page file name \"" + ShownName(page.file) + "\" of " +
             ShownName(page.entry) + " " + problem + ".";
      return false;
    }
    auto [it, added] = byLowered.try_emplace(AsciiLowered(page.file), i);
    if (added)
      continue;
    const HelpPage& other = pages[it->second];
    const std::string twice = "Two pages would be written to \"" +
                              ShownName(page.file) + "\": ";
    if (other.file == page.file && other.entry == page.entry)
      *err = twice + "the header documents " + ShownName(page.entry) +
             " twice.";
    else if (other.file == page.file)
      *err = twice + "those of " + ShownName(other.entry) + " and of " +
             ShownName(page.entry) + ".";
    else
      *err = "The page files \"" + ShownName(other.file) + "\" of " +
                     ShownName(other.entry) + " and \"" +
                     ShownName(page.file) + "\" of " + ShownName(page.entry) +
                     " differ only in case.";
    return false;
  }
  return true;
}
