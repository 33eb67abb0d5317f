#include "parser/declaration_lines.h"

#include <algorithm>

namespace {

bool IsWordChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9') || c == '_';
}

// The text with comments, string and character literals replaced by
// blanks; line feeds stay, so lines keep their numbers.
std::string Blanked(std::string_view text) {
  std::string out(text);
  enum { kCode, kLineComment, kBlockComment, kString, kChar } state = kCode;
  for (size_t i = 0; i < out.size(); ++i) {
    const char c = out[i];
    const char next = i + 1 < out.size() ? out[i + 1] : '\0';
    switch (state) {
      case kCode:
        if (c == '/' && next == '/')
          state = kLineComment;
        else if (c == '/' && next == '*')
          state = kBlockComment;
        else if (c == '"')
          state = kString;
        else if (c == '\'')
          state = kChar;
        else
          continue;
        out[i] = ' ';
        continue;
      case kLineComment:
        if (c == '\n')
          state = kCode;
        break;
      case kBlockComment:
        if (c == '*' && next == '/') {
          out[i + 1] = ' ';
          ++i;
          state = kCode;
        }
        break;
      case kString:
      case kChar:
        if (c == '\\' && next != '\n' && next != '\0') {
          out[i + 1] = ' ';
          ++i;
        } else if (c == (state == kString ? '"' : '\'') || c == '\n') {
          state = kCode;
        }
        break;
    }
    if (out[i] != '\n')
      out[i] = ' ';
  }
  return out;
}

// The word a name is looked up by: its last identifier before any
// template arguments ("operator" for "operator+=", "CPoint" for
// "~CPoint").
std::string KeyWord(const std::string& name) {
  std::string_view text = name;
  text = text.substr(0, text.find('<'));
  size_t end = text.size();
  while (end > 0 && !IsWordChar(text[end - 1]))
    --end;
  size_t begin = end;
  while (begin > 0 && IsWordChar(text[begin - 1]))
    --begin;
  return std::string(text.substr(begin, end - begin));
}

// Every place of `word` as a whole word in `line`.
std::vector<size_t> Places(std::string_view line, const std::string& word) {
  std::vector<size_t> at;
  for (size_t p = line.find(word); p != std::string_view::npos;
       p = line.find(word, p + 1)) {
    const bool before = p > 0 && IsWordChar(line[p - 1]);
    const size_t after = p + word.size();
    if (!before && !(after < line.size() && IsWordChar(line[after])))
      at.push_back(p);
  }
  return at;
}

char NextNonBlank(std::string_view line, size_t from) {
  while (from < line.size() && (line[from] == ' ' || line[from] == '\t'))
    ++from;
  return from < line.size() ? line[from] : '\0';
}

std::string WithoutBlanks(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\r')
      out += c;
  return out;
}

}  // namespace

DeclarationLines::DeclarationLines(std::string_view text)
    : code_(Blanked(text)) {
  lineStarts_.push_back(0);
  for (size_t i = 0; i < code_.size(); ++i)
    if (code_[i] == '\n')
      lineStarts_.push_back(i + 1);
  FindClassBodies();
  for (size_t l = 0; l < lineStarts_.size(); ++l) {
    const std::string_view line = Line(static_cast<int>(l) + 1);
    for (size_t i = 0; i < line.size();) {
      if (!IsWordChar(line[i])) {
        ++i;
        continue;
      }
      size_t end = i;
      while (end < line.size() && IsWordChar(line[end]))
        ++end;
      std::vector<int>& lines = words_[std::string(line.substr(i, end - i))];
      if (lines.empty() || lines.back() != static_cast<int>(l) + 1)
        lines.push_back(static_cast<int>(l) + 1);
      i = end;
    }
  }
}

// A brace opens a class body when the statement before it, since the last
// ";", "{" or "}", names class, struct or union.
void DeclarationLines::FindClassBodies() {
  std::vector<std::pair<bool, int>> open;  // class or not, opening line
  size_t statement = 0;
  int line = 1, depth = 0;
  classDepth_.assign(lineStarts_.size(), 0);
  inCode_.assign(lineStarts_.size(), false);
  for (size_t i = 0; i < code_.size(); ++i) {
    const char c = code_[i];
    if (c == '\n') {
      classDepth_[line] = depth;
      inCode_[line++] = !open.empty() && !open.back().first;
      continue;
    }
    if (c == '{') {
      const std::string_view before =
          std::string_view(code_).substr(statement, i - statement);
      const bool isClass = !Places(before, "class").empty() ||
                           !Places(before, "struct").empty() ||
                           !Places(before, "union").empty();
      open.push_back({isClass, line});
      depth += isClass ? 1 : 0;
    } else if (c == '}' && !open.empty()) {
      if (open.back().first) {
        --depth;
        bodies_.push_back({open.back().second, line});
      }
      open.pop_back();
    }
    if (c == ';' || c == '{' || c == '}')
      statement = i + 1;
  }
  std::sort(bodies_.begin(), bodies_.end());
}

std::pair<int, int> DeclarationLines::BodyAfter(int head) const {
  auto it = std::lower_bound(bodies_.begin(), bodies_.end(),
                             std::make_pair(head, 0));
  return it == bodies_.end() ? std::make_pair(0, 0) : *it;
}

std::string_view DeclarationLines::Line(int line) const {
  const size_t start = lineStarts_[line - 1];
  const size_t end = static_cast<size_t>(line) < lineStarts_.size()
                         ? lineStarts_[line] - 1
                         : code_.size();
  return std::string_view(code_).substr(start, end - start);
}

const std::vector<int>* DeclarationLines::LinesOf(
    const std::string& word) const {
  auto it = words_.find(word);
  return it == words_.end() ? nullptr : &it->second;
}

template <typename Fits>
int DeclarationLines::First(const std::string& word, int from,
                            Fits fits) const {
  const std::vector<int>* lines = LinesOf(word);
  if (!lines)
    return 0;
  for (auto it = std::lower_bound(lines->begin(), lines->end(), from);
       it != lines->end(); ++it)
    if (fits(*it, Line(*it)))
      return *it;
  return 0;
}

int DeclarationLines::ClassLine(const std::string& name) const {
  const std::string word = KeyWord(name);
  if (word.empty())
    return 1;
  auto head = [&](int, std::string_view line) {
    for (size_t at : Places(line, word)) {
      const std::string_view before = line.substr(0, at);
      const bool keyword = !Places(before, "class").empty() ||
                           !Places(before, "struct").empty() ||
                           !Places(before, "union").empty();
      if (keyword && NextNonBlank(line, at + word.size()) != ';')
        return true;
    }
    return false;
  };
  if (int line = First(word, 1, head))
    return line;
  int line = First(word, 1, [](int, std::string_view) { return true; });
  return line ? line : 1;
}

int DeclarationLines::MethodLine(int classLine, const std::string& name) const {
  const std::string word = KeyWord(name);
  if (word.empty())
    return std::max(classLine, 1);
  const std::string spelled = WithoutBlanks(name);
  // An operator or destructor must be spelled whole on its line; a name
  // followed by "(" is a method's declaration rather than a use.
  auto spelledWhole = [&](int, std::string_view line) {
    return WithoutBlanks(line).find(spelled) != std::string::npos;
  };
  auto called = [&](int number, std::string_view line) {
    for (size_t at : Places(line, word))
      if (NextNonBlank(line, at + word.size()) == '(')
        return !InCode(number) && spelledWhole(number, line);
    return false;
  };
  return Find(classLine, word, called, spelledWhole);
}

int DeclarationLines::MemberLine(int classLine,
                                 const std::string& identifier) const {
  const std::string word = KeyWord(identifier);
  // A declaration is followed by what ends or extends it, not by an
  // operator as a use is, and stands outside every function body.
  auto declared = [&](int number, std::string_view line) {
    if (InCode(number))
      return false;
    for (size_t at : Places(line, word)) {
      const std::string_view before = line.substr(0, at);
      const auto opens = std::count(before.begin(), before.end(), '{');
      const auto closes = std::count(before.begin(), before.end(), '}');
      size_t after = at + word.size();
      const char next = NextNonBlank(line, after);
      while (after < line.size() && line[after] != next)
        ++after;
      const bool comparison =
          next == '=' && after + 1 < line.size() && line[after + 1] == '=';
      if (opens <= closes && !comparison &&
          (next == '\0' || std::string_view(";=[:,{)").find(next) !=
                                std::string_view::npos))
        return true;
    }
    return false;
  };
  auto any = [](int, std::string_view) { return true; };
  return Find(classLine, word, declared, any);
}

// Within the class body after `classLine` (or outside every class body
// when there is no class), then anywhere after it, then anywhere: the
// first line that `best` accepts, else the first that `good` accepts.
template <typename Best, typename Good>
int DeclarationLines::Find(int classLine, const std::string& word, Best best,
                           Good good) const {
  if (word.empty())
    return std::max(classLine, 1);
  const std::pair<int, int> body =
      classLine > 0 ? BodyAfter(classLine) : std::make_pair(0, 0);
  auto inScope = [&](int line) {
    if (classLine <= 0)
      return OutsideClasses(line);
    return line >= body.first && line <= body.second;
  };
  for (int pass = 0; pass < 3; ++pass) {
    const int from = pass == 2 ? 1 : std::max(classLine, 1);
    auto fits = [&](auto accepts) {
      return [&, accepts](int line, std::string_view text) {
        return (pass > 0 || inScope(line)) && accepts(line, text);
      };
    };
    if (int line = First(word, from, fits(best)))
      return line;
    if (int line = First(word, from, fits(good)))
      return line;
  }
  return std::max(classLine, 1);
}

int DeclarationLines::FunctionLine(const std::string& name) const {
  return MethodLine(0, name);
}

int DeclarationLines::VariableLine(const std::string& identifier) const {
  return MemberLine(0, identifier);
}
