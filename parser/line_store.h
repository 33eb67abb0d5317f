// The line list as the class passes see it. Each class pass empties the
// lines it turns into records and then compacts the list; compacting a
// multi-megabyte list once per class would cost (classes x lines), so the
// store unlinks the emptied lines instead, and indexes what the passes
// search for: the head line of a class and the end of a nested body.
#ifndef VARNEL_PARSER_LINE_STORE_H_
#define VARNEL_PARSER_LINE_STORE_H_

#include <string>
#include <vector>

#include "model/text.h"
#include "model/text_table.h"

class LineStore {
 public:
  explicit LineStore(TextList lines);

  // Live lines in order; -1 stands for "none".
  int First() const { return first_; }
  int Next(int i) const { return next_[i]; }
  int Prev(int i) const { return prev_[i]; }
  const std::string& operator[](int i) const { return lines_[i]; }

  // Empties line i and hands back its text; the empty line stays in the
  // list until Compact.
  std::string Take(int i);
  // Removes the lines emptied since the last Compact.
  void Compact();

  // The remaining lines, in order; the store is empty afterwards.
  TextList Release();

  // Prepares FindHead for these class names.
  void IndexHeads(const std::vector<std::string>& names);
  // The first line that heads the body of class `name`: the name occurs in
  // it first after a space and before a non-identifier character, and the
  // next line holds "{". -1 if there is none.
  int FindHead(const std::string& name) const;
  bool IsHeadOf(int i, const std::string& name) const;

  // The line that closes the nested body starting at `open`: lines
  // beginning with "{" count down, lines beginning with "}" count up, and
  // the body closes where the count is back at 0. -1 if the lines end first.
  int SkipNested(int open) const;

 private:
  // Adds a class name, and its key, to those IndexHeads looks for.
  void AddHeadName(const std::string& name);

  int BraceStep(int i) const;
  void IndexBraces();
  void MarkBraceTaken(int i);
  void AddHalfTaken(int i, int delta);
  int HalfTakenBetween(int from, int to) const;

  TextList lines_;
  std::vector<int> next_, prev_;
  int first_ = -1;
  std::vector<int> taken_;  // emptied since the last Compact

  // Head candidates: for each class name, the lines where it follows a
  // space, in line order. Names are found through their key (the leading
  // identifier, or the first character when that is no identifier
  // character) and the lengths of the names with that key, so many names
  // sharing a key (Foo<1>, Foo<2>, ...) cost no more than one.
  TextList headNames_;
  TextTable headNameTable_;
  std::vector<std::vector<int>> headLines_;  // by position in headNames_
  TextList headKeys_;
  TextTable headKeyTable_;
  std::vector<std::vector<size_t>> keyLengths_;  // by position in headKeys_

  // For each line beginning with "{" or "}", its partner in the original
  // list (-1: none). Emptying both lines of a pair, or a line without a
  // partner, changes no other pair; so a stored match is trusted unless a
  // line inside it was emptied while its partner is still there. A Fenwick
  // tree counts such lines.
  std::vector<int> bracePartner_;
  std::vector<bool> takenEver_;
  std::vector<int> halfTaken_;
};

#endif  // VARNEL_PARSER_LINE_STORE_H_
