// Splitting a declaration line into name, return type and parameters, and
// collecting the declarations of a function name into one record.
#ifndef VARNEL_PARSER_SIGNATURE_H_
#define VARNEL_PARSER_SIGNATURE_H_

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/module_info.h"
#include "model/text.h"

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
TextList SplitParameters(const std::string& params);

// Removes every NotReturns text from every return text, then drops the
// return texts that became empty. The description list is left alone.
void RemoveNotReturns(TextList* returns, const TextList& notReturns);

// Merges declarations into one record per name, in order of first
// appearance, as the global-function and method passes do.
class FunctionMerger {
 public:
  // Fills `records` from the start, adding records as needed, up to
  // `limit` of them (the count of declarations).
  FunctionMerger(std::vector<CDeclInfo>* records, int limit);

  // Adds one declaration line, split into `sig`; `scope` is its binding or
  // access level. Returns false when the records are used up.
  bool Add(const std::string& line, const Signature& sig,
           const std::string& className, int scope);

  // Cuts the records to those filled and returns their number.
  int Finish();

 private:
  // Texts already in one list of a record: a short list is searched, a
  // long one (a name overloaded many times) gets a set.
  class SeenTexts {
   public:
    // True when `text` was not seen yet; it is seen afterwards.
    bool Insert(const std::string& text, const TextList& list);

   private:
    std::unordered_set<std::string> set_;
  };

  std::vector<CDeclInfo>& records_;
  const int limit_;
  int count_ = 0;
  std::unordered_map<std::string, int> byName_;
  std::vector<SeenTexts> params_, returns_;
};

#endif  // VARNEL_PARSER_SIGNATURE_H_
