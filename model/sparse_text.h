// Texts and lists of texts that most records of a model never get: the
// descriptions a merge fills in. While empty each takes the room of a
// pointer instead of a whole string or list, which in a header of hundreds
// of thousands of declarations is megabytes. They read as a const
// std::string and a const TextList.
#ifndef VARNEL_MODEL_SPARSE_TEXT_H_
#define VARNEL_MODEL_SPARSE_TEXT_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/pointed_text.h"

class SparseText : public PointedText<std::unique_ptr<std::string>> {
 public:
  SparseText() = default;
  SparseText(const SparseText& other) { *this = other.str(); }
  SparseText(SparseText&&) noexcept = default;
  SparseText& operator=(const SparseText& other) {
    if (this != &other)
      *this = other.str();
    return *this;
  }
  SparseText& operator=(SparseText&&) noexcept = default;

  SparseText& operator=(std::string text);
  SparseText& operator=(std::string_view text) {
    return *this = std::string(text);
  }
  SparseText& operator=(const char* text) {
    return *this = std::string(text);
  }
};

class SparseTextList {
 public:
  typedef std::vector<std::string> List;

  SparseTextList() = default;
  SparseTextList(const SparseTextList& other) { *this = other.list(); }
  SparseTextList(SparseTextList&&) noexcept = default;
  SparseTextList& operator=(const SparseTextList& other) {
    if (this != &other)
      *this = other.list();
    return *this;
  }
  SparseTextList& operator=(SparseTextList&&) noexcept = default;
  SparseTextList& operator=(List texts);

  const List& list() const { return texts_ ? *texts_ : Empty(); }
  operator const List&() const { return list(); }

  // The list to change, made when there is none.
  List& Mutable();

  bool empty() const { return !texts_ || texts_->empty(); }
  size_t size() const { return texts_ ? texts_->size() : 0; }
  const std::string& operator[](size_t i) const { return (*texts_)[i]; }
  List::const_iterator begin() const { return list().begin(); }
  List::const_iterator end() const { return list().end(); }
  void clear() { texts_.reset(); }

 private:
  static const List& Empty();

  std::unique_ptr<List> texts_;
};

inline bool operator==(const SparseTextList& a,
                       const std::vector<std::string>& b) {
  return a.list() == b;
}

#endif  // VARNEL_MODEL_SPARSE_TEXT_H_
