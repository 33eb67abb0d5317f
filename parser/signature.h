// Splitting a declaration line into name, return type and parameters, and
// collecting the declarations of a function name into one record.
#ifndef VARNEL_PARSER_SIGNATURE_H_
#define VARNEL_PARSER_SIGNATURE_H_

#include <string>
#include <unordered_map>
#include <vector>

#include "model/module_info.h"
#include "model/text.h"
#include "model/text_table.h"

extern const char kDefaultReturn[];  // "int (DEFAULT)"

struct Signature {
  std::string name;
  std::string ret;
  std::string params;
};

// Splits at the last ")" and its matching "(": the name is the last word
// before the parameter list (or the text of a parenthesised declarator),
// the return type what precedes it. An empty list gives "void".
Signature SplitSignature(std::string_view line);

// The text of the first parameter of a parameter list: up to the first
// comma that is not inside parentheses or angle brackets.
std::string SplitFirstParameter(std::string_view text);

// The parameters of a list in order, each spacing-normalised.
TextList SplitParameters(std::string params);

// Removes every NotReturns text from every return text, then drops the
// return texts that became empty. The description list is left alone.
void RemoveNotReturns(CompactTextList* returns, const TextList& notReturns);

// Merges declarations into one record per name, in order of first
// appearance, as the global-function and method passes do.
class FunctionMerger {
 public:
  // Fills `records` from the start, adding records as needed, up to
  // `limit` of them (the count of declarations).
  FunctionMerger(std::vector<CDeclInfo>* records, int limit);

  // Adds one declaration line, split into `sig`; `scope` is its binding or
  // access level, `className` the same for every line. Returns false, and
  // leaves the line alone, when the records are used up; otherwise the
  // line and the parts of `sig` are moved into the records.
  bool Add(std::string&& line, Signature&& sig, const std::string& className,
           int scope);

  // Whether Add would take a declaration of function `name`.
  bool Accepts(const std::string& name) const;

  // Cuts the records to those filled and returns their number.
  int Finish();

 private:
  // The tables of the long lists of one kind, by record: a short list is
  // searched, and only a long one (a name overloaded many times) gets a
  // table, so that the many records of single declarations cost nothing.
  typedef std::unordered_map<int, TextTable> ListTables;

  // Appends `text` to `list`, the list of record `index`, unless the list
  // holds it already and `duplicate` is false. Returns whether it was
  // appended. `List` is a TextList or a CompactTextList.
  template <typename List>
  static bool Append(std::string&& text, List* list, bool duplicate,
                     ListTables* tables, int index);

  // The record named `name`, or -1.
  int RecordOf(const std::string& name) const;

  std::vector<CDeclInfo>& records_;
  const int limit_;
  int count_ = 0;
  // The record of each name.
  TextTable byName_;
  ListTables paramTables_, returnTables_;
  SharedText className_;
};

#endif  // VARNEL_PARSER_SIGNATURE_H_
