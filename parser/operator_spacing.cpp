// The rules, applied one after the other to the whole text:
//   " *" -> "*", "*" -> "* ", then "* *" -> "**" until none is left;
//   the same three for "&"; " ," -> ",", "," -> ", ";
//   " ;" -> ";", "; " -> ";"; " :" -> ":", ": " -> ":";
//   ") {" -> "){", ")const" -> ") const", "const{" -> "const {",
//   " operator " -> " operator".
//
// None of them changes, adds or removes anything but spaces. So the result
// is the input's other characters in their order, each gap between two of
// them holding a number of spaces that depends on the gap's own spaces
// (0 or 1 in a normalised text) and the characters around it. GapWidth
// runs every rule on one gap; only " operator " spans two gaps, and the
// main loop carries it over.

#include "parser/operator_spacing.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace {

constexpr std::string_view kOperator = "operator";
// A gap holds one space at most before, and gains one at most.
constexpr size_t kWidestGap = 2;

bool At(std::string_view s, size_t i, std::string_view word) {
  return i <= s.size() && s.substr(i, word.size()) == word;
}

// Spaces the rules leave between s[a] and s[b] (b == s.size(): the end of
// the text), which have `gap` spaces between them before.
int GapWidth(std::string_view s, size_t a, int gap, size_t b) {
  const char ca = s[a];
  const char cb = b < s.size() ? s[b] : '\0';
  int n = gap;
  if (cb == '*')  // no run of spaces before a "*" yet, so it was one
    n = 0;
  if (ca == '*')
    n = cb == '*' ? 0 : n + 1;
  if (cb == '&' && n > 0)
    --n;
  if (ca == '&')
    n = cb == '&' && n == 0 ? 0 : n + 1;
  if (cb == ',' && n > 0)
    --n;
  if (ca == ',')
    ++n;
  if (cb == ';' && n > 0)
    --n;
  if (ca == ';' && n > 0)
    --n;
  if (cb == ':' && n > 0)
    --n;
  if (ca == ':' && n > 0)
    --n;
  if (ca == ')' && cb == '{' && n == 1)
    n = 0;
  if (ca == ')' && n == 0 && At(s, b, "const"))
    n = 1;
  if (cb == '{' && n == 0 && a >= 4 && s.substr(a - 4, 5) == "const")
    n = 1;
  return n;
}

constexpr std::array<bool, 256> Table(std::string_view chars) {
  std::array<bool, 256> table{};
  for (unsigned char c : chars)
    table[c] = true;
  return table;
}
// Where a run of plain characters ends: a space, or a character a gap
// before or after it may differ from its spaces beside. The text's
// terminating NUL ends the last run.
constexpr std::array<bool, 256> kEndsRun = Table(std::string_view(" *&,;:){\0", 10));
// The characters GapWidth looks at before and after a gap. The "t" of a
// "const" before a "{" needs no entry: the "{" after the gap calls for it.
constexpr std::array<bool, 256> kBefore = Table("*&,;:)");
constexpr std::array<bool, 256> kAfter = Table("*&,;:{");

bool In(const std::array<bool, 256>& table, char c) {
  return table[static_cast<unsigned char>(c)];
}

}  // namespace

void SpaceOperators(std::string* text) {
  const std::string in = std::move(*text);
  const std::string_view s = in;
  std::string& out = *text;
  // Few characters gain a space (each gains one at most), so the buffer
  // starts a little larger than the text and grows when a run and the
  // widest gap after it would not fit. Filled at twice the text's size,
  // it raised the parse's high-water mark by a text's size again.
  out.assign(s.size() + s.size() / 8 + 16, ' ');
  char* o = out.data();
  const char* const p = in.c_str();
  // The "r" of a matched " operator ", whose gap after it loses a space.
  size_t trimAfter = std::string_view::npos;
  size_t i = 0;
  while (i < s.size()) {
    // s[i] is no space here: the text starts with none, and a space is
    // taken below together with the character after it.
    size_t run = i + 1;
    if (!In(kEndsRun, p[i]))
      while (!In(kEndsRun, p[run]))
        ++run;
    const size_t used = o - out.data();
    const size_t needed = used + (run - i) + kWidestGap;
    if (needed > out.size()) {
      out.resize(std::max(2 * out.size(), needed), ' ');
      o = out.data() + used;
    }
    std::memcpy(o, p + i, run - i);
    o += run - i;
    const size_t a = run - 1;
    const int gap = p[run] == ' ' ? 1 : 0;
    const size_t b = run + gap;
    int width = gap;
    if (In(kBefore, p[a]) || In(kAfter, p[b]) || a == trimAfter) {
      width = GapWidth(s, a, gap, b);
      if (a == trimAfter && width > 0)
        --width;
    }
    o += width;  // the buffer is all spaces ahead of o
    if (b >= s.size())
      break;
    if (width > 0 && p[b] == 'o' && At(s, b, kOperator)) {
      const size_t r = b + kOperator.size() - 1;
      const int after = p[r + 1] == ' ' ? 1 : 0;
      if (GapWidth(s, r, after, r + 1 + after) > 0)
        trimAfter = r;
    }
    i = b;
  }
  out.resize(o - out.data());
}
