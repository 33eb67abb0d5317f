// Finds the records that bear a text (an anchor, a parameter), for the
// merge of an XML file into a model with hundreds of thousands of records
// or one function with as many parameters.
#ifndef VARNEL_XML_TEXT_INDEX_H_
#define VARNEL_XML_TEXT_INDEX_H_

#include <cstdint>
#include <string_view>
#include <vector>

#include "model/text_table.h"

class TextIndex {
 public:
  // The views must outlive the index.
  explicit TextIndex(std::vector<std::string_view> texts);

  // The position of the first text equal to `key`, or -1 when there is
  // none. A file written from the records names them in their order;
  // such a lookup just checks the successor of the last one found.
  int Find(std::string_view key) const;

  // The next position after `i` whose text equals that of `i`, or -1.
  int NextEqual(int i) const { return nextEqual_[i]; }

 private:
  std::vector<std::string_view> texts_;
  std::vector<int32_t> nextEqual_;
  // Whether texts_[i] is the first of its kind.
  std::vector<bool> first_;
  // The first position of each text.
  TextTable firsts_;
  mutable size_t next_ = 0;
};

#endif  // VARNEL_XML_TEXT_INDEX_H_
