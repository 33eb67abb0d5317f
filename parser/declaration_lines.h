// Where entries are declared in the original header text: the line a
// message names, so that editors and build logs can jump there. Comments
// and literals do not count as places of a name.
#ifndef VARNEL_PARSER_DECLARATION_LINES_H_
#define VARNEL_PARSER_DECLARATION_LINES_H_

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class DeclarationLines {
 public:
  // `text` is the header's bytes; it need not outlive the object.
  explicit DeclarationLines(std::string_view text);

  // Lines are numbered from 1; every lookup gives 1 when the name is not
  // found. A class is found at its head (not at a declaration "class X;");
  // a member or method at the first line after its class's head that
  // holds it; a function where its name is followed by "(".
  int ClassLine(const std::string& name) const;
  int MethodLine(int classLine, const std::string& name) const;
  int MemberLine(int classLine, const std::string& identifier) const;
  int FunctionLine(const std::string& name) const;
  int VariableLine(const std::string& identifier) const;

 private:
  // The lines holding `word`, in order.
  const std::vector<int>* LinesOf(const std::string& word) const;
  // The text of a line with comments and literals blanked.
  std::string_view Line(int line) const;
  // The first line of `word` at or after `from` for which
  // `fits(line, text)` holds; 0 when there is none.
  template <typename Fits>
  int First(const std::string& word, int from, Fits fits) const;
  template <typename Best, typename Good>
  int Find(int classLine, const std::string& word, Best best, Good good) const;

  // The lines of the body of the class whose head is at `head`: from its
  // opening brace to its closing one, or {0, 0} when none follows.
  std::pair<int, int> BodyAfter(int head) const;
  // Whether `line` starts inside no class body.
  bool OutsideClasses(int line) const { return classDepth_[line - 1] == 0; }
  bool InCode(int line) const { return inCode_[line - 1]; }
  void FindClassBodies();

  std::string code_;                // the text, comments and literals blanked
  std::vector<size_t> lineStarts_;  // offset of each line in code_
  std::vector<int> classDepth_;     // class bodies open at each line start
  std::vector<bool> inCode_;        // a function body is open at line start
  // Opening and closing line of every class body, by opening line.
  std::vector<std::pair<int, int>> bodies_;
  std::unordered_map<std::string, std::vector<int>> words_;
};

#endif  // VARNEL_PARSER_DECLARATION_LINES_H_
