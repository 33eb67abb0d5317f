// The rules, applied one after the other to the whole text ("\n" is a line
// feed, "\t" a tab):
//   "{" -> "\n{\n", "}" -> "\n}\n", ";" -> ";\n", then "\n;" -> ";";
//   " class " -> "\tclass ", " struct " -> "\tstruct ";
//   for each of "private:", "protected:", "public:" in turn, with L for it:
//     " L" -> "\nL\n", ":L" -> ":\nL\n", "\nL" -> "\nL\n";
//   " inline " -> "\ninline ";
//   each tab becomes a line feed if a "{" follows it before any ";" (and a
//   ";" follows at all), else a space again;
// then the text is cut at every line feed, each piece spacing-normalised,
// and the empty ones and those that begin with "inline " are dropped.
//
// Since empty pieces are dropped, what matters of all the line feeds is
// where the text is cut and which characters a cut takes the place of.
// The splitter finds the cuts in one pass. The later rules look at what
// the earlier ones left, and that is where their order shows: a space
// before "class " that became a tab no longer ends " inline ", nor does
// one before a label; a match's last space cannot start the next match of
// the same rule; every label with a space, ":", "{", "}", ";" or a line
// feed before it is cut out, whichever of the three rules reaches it.

#include "parser/statement_lines.h"

#include <array>
#include <cstring>

#include "parser/line_prep.h"

namespace {

constexpr std::string_view kLabels[] = {"private:", "protected:", "public:"};

class Splitter {
 public:
  Splitter(std::string_view s, TextList* lines) : s_(s), lines_(*lines) {}

  void Run();

 private:
  bool At(size_t i, std::string_view word) const {
    return i <= s_.size() && s_.substr(i, word.size()) == word;
  }
  char CharAt(size_t i) const { return i < s_.size() ? s_[i] : '\0'; }

  size_t LabelLength(size_t i) const {
    if (CharAt(i) != 'p')
      return 0;
    for (std::string_view label : kLabels)
      if (At(i, label))
        return label.size();
    return 0;
  }

  // The space at i followed by "class " or "struct " becomes a tab, unless
  // the same rule's last match ended on it, or (for "struct ") its own last
  // space became a tab for "class ".
  bool ClassTab(size_t i) const {
    return At(i, " class ") && lastClassEnd_ != i;
  }
  bool StructTab(size_t i) const {
    return At(i, " struct ") && lastStructEnd_ != i && !At(i + 7, " class ");
  }
  // The space at j is still one when " inline " is replaced: no class or
  // struct tab and no label cut took it.
  bool SpaceSurvives(size_t j) const {
    return !At(j, " class ") && !(At(j, " struct ") && !At(j + 7, " class ")) &&
           LabelLength(j + 1) == 0;
  }

  // A class or struct tab: a cut where the keyword opens a definition.
  bool Opens(size_t i);

  void OnSpace(size_t i);
  void OnColon(size_t i);
  // Handles a label that starts at i, already cut from what stands before.
  void TakeLabel(size_t i);

  // The piece so far runs from start_ up to (not including) `end`.
  void Flush(size_t end) {
    piece_.append(s_, start_, end - start_);
  }
  // Ends the piece before `i`; the character at i starts the next one.
  void CutBefore(size_t i) {
    Flush(i);
    start_ = i;
    Emit();
  }
  // Ends the piece after `i`.
  void CutAfter(size_t i) { CutBefore(i + 1); }
  // The character at i gives way to a cut.
  void CutAt(size_t i) {
    Flush(i);
    start_ = i + 1;
    Emit();
  }
  void Emit() {
    cut_ = true;
    NormalizeSpacing(&piece_);
    // A copy takes just the room the statement needs, where the piece's
    // own buffer has grown by its appends and the spacing shrank it; the
    // buffer serves the next piece.
    if (!piece_.empty() && !StartsWith(piece_, "inline "))
      lines_.push_back(piece_);
    piece_.clear();
  }

  std::string_view s_;
  TextList& lines_;
  std::string piece_;
  size_t start_ = 0;
  bool cut_ = false;  // the rules made at least one line feed
  size_t labelColon_ = std::string_view::npos;
  size_t lastClassEnd_ = std::string_view::npos;
  size_t lastStructEnd_ = std::string_view::npos;
  size_t lastInlineEnd_ = std::string_view::npos;
  size_t nextBrace_ = 0, nextSemi_ = 0;  // at or after the last tab
};

bool Splitter::Opens(size_t i) {
  auto next = [this, i](char c, size_t* cached) {
    if (*cached != std::string_view::npos && *cached <= i) {
      const void* hit = std::memchr(s_.data() + i, c, s_.size() - i);
      *cached = hit ? static_cast<const char*>(hit) - s_.data()
                    : std::string_view::npos;
    }
    return *cached;
  };
  const size_t brace = next('{', &nextBrace_);
  const size_t semi = next(';', &nextSemi_);
  return brace != std::string_view::npos && semi != std::string_view::npos &&
         semi > brace;
}

void Splitter::OnSpace(size_t i) {
  switch (CharAt(i + 1)) {
    case 'c':
      if (ClassTab(i)) {
        lastClassEnd_ = i + 6;
        if (Opens(i))
          CutAt(i);
      }
      return;
    case 's':
      if (StructTab(i)) {
        lastStructEnd_ = i + 7;
        if (Opens(i))
          CutAt(i);
      }
      return;
    case 'i':
      if (At(i, " inline ") && lastInlineEnd_ != i && SpaceSurvives(i + 7)) {
        lastInlineEnd_ = i + 7;
        CutAt(i);
      }
      return;
    case 'p':
      if (LabelLength(i + 1) > 0) {
        CutAt(i);
        TakeLabel(i + 1);
      }
      return;
  }
}

void Splitter::OnColon(size_t i) {
  if (i == labelColon_)
    CutAfter(i);
  else if (LabelLength(i + 1) > 0)
    CutAfter(i);
  else
    return;
  TakeLabel(i + 1);
}

void Splitter::TakeLabel(size_t i) {
  const size_t length = LabelLength(i);
  if (length > 0)
    labelColon_ = i + length - 1;
}

constexpr std::array<bool, 256> MakeActive() {
  std::array<bool, 256> active{};
  for (unsigned char c : std::string_view("{};\n :"))
    active[c] = true;
  return active;
}
// The characters a cut can be next to, or take the place of.
constexpr std::array<bool, 256> kActive = MakeActive();

void Splitter::Run() {
  for (size_t i = 0; i < s_.size(); ++i) {
    if (!kActive[static_cast<unsigned char>(s_[i])])
      continue;
    switch (s_[i]) {
      case '{':
      case '}':
        CutBefore(i);
        [[fallthrough]];
      case ';':
        // A ";" right after takes the place of the line feed.
        cut_ = true;
        if (CharAt(i + 1) != ';') {
          CutAfter(i);
          TakeLabel(i + 1);
        }
        break;
      case '\n':
        cut_ = true;
        if (CharAt(i + 1) == ';') {
          Flush(i);
          start_ = i + 1;
        } else {
          CutAt(i);
          TakeLabel(i + 1);
        }
        break;
      case ' ':
        OnSpace(i);
        break;
      case ':':
        OnColon(i);
        break;
    }
  }
  if (!cut_) {
    piece_.clear();
    return;
  }
  Flush(s_.size());
  Emit();
}

}  // namespace

void SplitStatements(std::string_view text, TextList* lines) {
  Splitter(text, lines).Run();
  // The list lives through all the passes, beside the growing model; its
  // last doubling may have left room for as many statements again.
  ReleaseUnusedRoom(lines, lines->size() / 8);
}
