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
#include <utility>
#include <vector>

#include "model/pointed_text.h"

// The one owner of a text or list, null while it is empty; a copy copies
// what it points to, so that records copy as if they held it themselves.
template <typename T>
class SparsePointer {
 public:
  SparsePointer() = default;
  SparsePointer(const SparsePointer& other) { *this = other; }
  SparsePointer(SparsePointer&&) noexcept = default;
  SparsePointer& operator=(const SparsePointer& other) {
    if (this != &other)
      Assign(other ? *other : T());
    return *this;
  }
  SparsePointer& operator=(SparsePointer&&) noexcept = default;

  // Holds `value`, or nothing when it is empty.
  void Assign(T value) {
    if (value.empty())
      value_.reset();
    else if (value_)
      *value_ = std::move(value);
    else
      value_ = std::make_unique<T>(std::move(value));
  }
  // The value to change, made when there is none.
  T& Make() {
    if (!value_)
      value_ = std::make_unique<T>();
    return *value_;
  }

  explicit operator bool() const { return value_ != nullptr; }
  const T& operator*() const { return *value_; }
  const T* operator->() const { return value_.get(); }
  void reset() { value_.reset(); }

 private:
  std::unique_ptr<T> value_;
};

class SparseText : public PointedText<SparsePointer<std::string>> {
 public:
  SparseText& operator=(std::string text) {
    text_.Assign(std::move(text));
    return *this;
  }
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

  SparseTextList& operator=(List texts) {
    texts_.Assign(std::move(texts));
    return *this;
  }

  const List& list() const { return texts_ ? *texts_ : Empty(); }
  operator const List&() const { return list(); }

  // The list to change, made when there is none.
  List& Mutable() { return texts_.Make(); }

  bool empty() const { return !texts_ || texts_->empty(); }
  size_t size() const { return texts_ ? texts_->size() : 0; }
  const std::string& operator[](size_t i) const { return (*texts_)[i]; }
  List::const_iterator begin() const { return list().begin(); }
  List::const_iterator end() const { return list().end(); }
  void clear() { texts_.reset(); }

 private:
  static const List& Empty();

  SparsePointer<List> texts_;
};

inline bool operator==(const SparseTextList& a,
                       const std::vector<std::string>& b) {
  return a.list() == b;
}

#endif  // VARNEL_MODEL_SPARSE_TEXT_H_
