// A list of texts that keeps a single text in place. Most functions have
// one return type and one declaration, and a large header has hundreds of
// thousands of functions: a TextList of one text takes its 24 bytes and a
// heap block of 32, this list 40 bytes and no block. Longer lists live in a
// TextList of their own. Like a TextList, its texts lie side by side.
#ifndef VARNEL_MODEL_COMPACT_TEXT_LIST_H_
#define VARNEL_MODEL_COMPACT_TEXT_LIST_H_

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "model/text.h"

class CompactTextList {
 public:
  typedef std::string value_type;
  typedef std::string* iterator;
  typedef const std::string* const_iterator;
  typedef size_t size_type;

  CompactTextList() = default;
  CompactTextList(std::initializer_list<std::string> texts);
  CompactTextList(const CompactTextList& other);
  CompactTextList(CompactTextList&& other) noexcept;
  ~CompactTextList();
  CompactTextList& operator=(const CompactTextList& other);
  CompactTextList& operator=(CompactTextList&& other) noexcept;
  CompactTextList& operator=(const TextList& texts);
  CompactTextList& operator=(std::initializer_list<std::string> texts);

  bool empty() const { return size() == 0; }
  size_t size() const {
    return state_ <= kOne ? state_ : Spilled()->size();
  }
  std::string* data() {
    return state_ <= kOne ? &one_ : Spilled()->data();
  }
  const std::string* data() const {
    return state_ <= kOne ? &one_ : Spilled()->data();
  }
  iterator begin() { return data(); }
  iterator end() { return data() + size(); }
  const_iterator begin() const { return data(); }
  const_iterator end() const { return data() + size(); }
  std::string& operator[](size_t i) { return data()[i]; }
  const std::string& operator[](size_t i) const { return data()[i]; }
  std::string& back() { return data()[size() - 1]; }
  const std::string& back() const { return data()[size() - 1]; }

  void push_back(std::string text);
  void clear();
  // Drops texts from the end, or adds empty ones.
  void resize(size_t count);

  TextList ToList() const;

 private:
  // state_: no text, one text in one_, or the address of the TextList that
  // holds them all (one_ then stays empty).
  static constexpr uintptr_t kEmpty = 0;
  static constexpr uintptr_t kOne = 1;

  TextList* Spilled() const { return reinterpret_cast<TextList*>(state_); }
  // Holds copies of [first, last), which lie outside this list; a long
  // list gets its room at once.
  void Assign(const std::string* first, const std::string* last);
  void Release();

  std::string one_;
  uintptr_t state_ = kEmpty;
};

bool operator==(const CompactTextList& a, const CompactTextList& b);
bool operator==(const CompactTextList& a, const TextList& b);

#endif  // VARNEL_MODEL_COMPACT_TEXT_LIST_H_
