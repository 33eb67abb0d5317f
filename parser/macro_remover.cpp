// RemoveMacros, built to cost one pass over the text however many names
// the settings list and however often they occur.
//
// The rule, for each name in list order and each occurrence in text order:
// a whole-word occurrence is blanked; if the first "(" after it follows with
// no identifier character in between, no ")" stands before that "(", and
// the parenthesis closes, the argument list is blanked with it.
//
// Two observations keep it linear while giving exactly that result:
// - Blanking only turns characters into spaces, so it never creates a new
//   whole-word occurrence of an identifier name. The occurrences of every
//   identifier-only name are therefore collected once up front; a position
//   whose characters were blanked since is skipped.
// - A blanked argument list is balanced, so removing it does not change
//   which ")" closes any other "(". Parenthesis matches are computed once
//   and stay valid; only blanking a name that itself holds a parenthesis
//   invalidates them.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "model/text_table.h"
#include "model/byte_scan.h"
#include "parser/normalizer.h"

namespace {

bool IsIdentifier(std::string_view name) {
  if (name.empty())
    return false;
  for (char c : name)
    if (!IsIdentChar(c))
      return false;
  return true;
}

class MacroRemover {
 public:
  MacroRemover(std::string* text, const TextList& macros)
      : s_(*text), macros_(macros) {
    IndexIdentifierOccurrences();
  }

  void Remove(const std::string& name) {
    if (IsIdentifier(name)) {
      const int first = names_.Find(name, nameAt_);
      if (first < 0)
        return;
      for (size_t b : occurrences_[first])
        if (s_.compare(b, name.size(), name) == 0)
          RemoveOccurrence(b, name);
      return;
    }
    size_t b = s_.find(name);
    while (b != std::string::npos) {
      RemoveOccurrence(b, name);
      b = s_.find(name, b + 1);
    }
  }

 private:
  // Indexes the identifier-only names by their first position in the list,
  // then collects their occurrences in one pass over the text. Most words
  // of a header are no macro name: only words that start with the first
  // byte of a name are looked at, and of those a word of a length no name
  // has is not looked up.
  void IndexIdentifierOccurrences() {
    uint64_t lengths = 0;
    bool longNames = false;
    for (size_t i = 0; i < macros_.size(); ++i) {
      const std::string& name = macros_[i];
      if (!IsIdentifier(name) ||
          names_.FindOrAdd(name, static_cast<int>(i), nameAt_) >= 0)
        continue;
      if (name.size() < 64)
        lengths |= uint64_t{1} << name.size();
      else
        longNames = true;
      AddFirstByte(name[0]);
    }
    if (names_.empty())
      return;
    occurrences_.resize(macros_.size());
    const char* const text = s_.data();
    const size_t size = s_.size();
    for (size_t i = NextFirstByte(0); i < size; i = NextFirstByte(i)) {
      const size_t start = i;
      while (i < size && IsIdentChar(text[i]))
        ++i;
      // Inside a longer word: no name starts before its end.
      if (start > 0 && IsIdentChar(text[start - 1]))
        continue;
      const size_t length = i - start;
      if (length < 64 ? !(lengths >> length & 1) : !longNames)
        continue;
      const int first =
          names_.Find(std::string_view(text + start, length), nameAt_);
      if (first >= 0)
        occurrences_[first].push_back(start);
    }
  }

  void AddFirstByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (isFirstByte_[byte])
      return;
    isFirstByte_[byte] = true;
    firstBytes_.push_back(byte);
  }

  // The first byte at or after `i` that starts a name, or the size of the
  // text. Names mostly share a few first bytes, and a text with few of
  // them is looked at eight bytes at a time.
  size_t NextFirstByte(size_t i) const {
    const char* const text = s_.data();
    const size_t size = s_.size();
    if (firstBytes_.size() <= kWordScannedFirstBytes) {
      for (; i + 8 <= size; i += 8) {
        const uint64_t w = WordAt(text + i);
        uint64_t hits = 0;
        for (unsigned char byte : firstBytes_)
          hits |= BytesEqual(w, EveryByte(byte));
        if (hits != 0)
          return i + FirstMarkedByte(hits);
      }
    }
    while (i < size && !isFirstByte_[static_cast<unsigned char>(text[i])])
      ++i;
    return i;
  }

  void Blank(size_t from, size_t to) {  // inclusive range
    std::fill(s_.begin() + from, s_.begin() + to + 1, ' ');
  }

  void RemoveOccurrence(size_t b, const std::string& name) {
    size_t end = b + name.size();
    bool wholeWord = (b == 0 || !IsIdentChar(s_[b - 1])) &&
                     (end == s_.size() || !IsIdentChar(s_[end]));
    if (!wholeWord)
      return;
    // j: the first "(" at or after b, unless an identifier character comes
    // between the name and it; closeBefore: a ")" between b and j.
    size_t j = name.find('(');
    bool closeBefore = false;
    if (j != std::string::npos) {
      j += b;
      closeBefore = name.find(')') < j - b;
    } else {
      closeBefore = name.find(')') != std::string::npos;
      size_t k = end;
      while (k < s_.size() && s_[k] != '(' && !IsIdentChar(s_[k])) {
        if (s_[k] == ')')
          closeBefore = true;
        ++k;
      }
      if (k == s_.size() || s_[k] != '(') {
        BlankName(b, name);
        return;
      }
      j = k;
    }
    if (closeBefore)
      return;
    long close = MatchingClose(j);
    if (close < 0)
      return;
    Blank(b, static_cast<size_t>(close));
  }

  void BlankName(size_t b, const std::string& name) {
    Blank(b, b + name.size() - 1);
    if (name.find_first_of("()") != std::string::npos)
      parensValid_ = false;
  }

  // The ")" that closes the "(" at `open`, or -1 when the text ends first.
  long MatchingClose(size_t open) {
    if (!parensValid_)
      IndexParentheses();
    auto it = std::lower_bound(opens_.begin(), opens_.end(), open);
    if (it == opens_.end() || *it != open) {
      IndexParentheses();
      it = std::lower_bound(opens_.begin(), opens_.end(), open);
    }
    return closes_[it - opens_.begin()];
  }

  void IndexParentheses() {
    opens_.clear();
    closes_.clear();
    std::vector<size_t> stack;
    const char* const text = s_.data();
    const size_t size = s_.size();
    for (size_t i = NextParenthesis(0); i < size;
         i = NextParenthesis(i + 1)) {
      if (text[i] == '(') {
        stack.push_back(opens_.size());
        opens_.push_back(i);
        closes_.push_back(-1);
      } else if (!stack.empty()) {
        closes_[stack.back()] = static_cast<long>(i);
        stack.pop_back();
      }
    }
    parensValid_ = true;
  }

  // The first "(" or ")" at or after `i`, or the size of the text. Most of
  // the text holds neither, so it is looked at eight bytes at a time: "("
  // and ")" differ only in the lowest bit.
  size_t NextParenthesis(size_t i) const {
    const char* const text = s_.data();
    const size_t size = s_.size();
    for (; i + 8 <= size; i += 8) {
      uint64_t w;
      std::memcpy(&w, text + i, 8);
      if (BytesEqual(w | EveryByte(1), EveryByte(')')) != 0)
        break;
    }
    while (i < size && (text[i] | 1) != ')')
      ++i;
    return i;
  }

  std::string& s_;
  const TextList& macros_;
  // The first position in the list of each identifier-only name, and the
  // places where the name occurs, at that position.
  TextTable names_;
  TextAt<TextList> nameAt_{macros_};
  std::vector<std::vector<size_t>> occurrences_;
  static constexpr size_t kWordScannedFirstBytes = 6;
  bool isFirstByte_[256] = {};
  std::vector<unsigned char> firstBytes_;
  bool parensValid_ = false;
  std::vector<size_t> opens_;
  std::vector<long> closes_;
};

}  // namespace

void RemoveMacros(std::string* text, const TextList& macros) {
  if (macros.empty() || text->empty())
    return;
  MacroRemover remover(text, macros);
  for (const auto& name : macros)
    remover.Remove(name);
}
