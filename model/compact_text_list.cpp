#include "model/compact_text_list.h"

#include <algorithm>
#include <utility>

CompactTextList::CompactTextList(std::initializer_list<std::string> texts) {
  Assign(texts.begin(), texts.end());
}

CompactTextList::CompactTextList(const CompactTextList& other) {
  *this = other;
}

CompactTextList::CompactTextList(CompactTextList&& other) noexcept
    : one_(std::move(other.one_)), state_(other.state_) {
  other.one_.clear();
  other.state_ = kEmpty;
}

CompactTextList::~CompactTextList() { Release(); }

CompactTextList& CompactTextList::operator=(const CompactTextList& other) {
  if (this != &other)
    Assign(other.begin(), other.end());
  return *this;
}

CompactTextList& CompactTextList::operator=(CompactTextList&& other) noexcept {
  if (this == &other)
    return *this;
  Release();
  one_ = std::move(other.one_);
  state_ = other.state_;
  other.one_.clear();
  other.state_ = kEmpty;
  return *this;
}

CompactTextList& CompactTextList::operator=(const TextList& texts) {
  Assign(texts.data(), texts.data() + texts.size());
  return *this;
}

CompactTextList& CompactTextList::operator=(
    std::initializer_list<std::string> texts) {
  Assign(texts.begin(), texts.end());
  return *this;
}

void CompactTextList::push_back(std::string text) {
  if (state_ == kEmpty) {
    one_ = std::move(text);
    state_ = kOne;
    return;
  }
  if (state_ == kOne) {
    TextList* texts = new TextList;
    texts->reserve(2);
    texts->push_back(std::move(one_));
    one_ = std::string();
    state_ = reinterpret_cast<uintptr_t>(texts);
  }
  Spilled()->push_back(std::move(text));
}

void CompactTextList::clear() {
  Release();
  one_ = std::string();
  state_ = kEmpty;
}

void CompactTextList::resize(size_t count) {
  if (count == 0) {
    clear();
    return;
  }
  while (size() < count)
    push_back(std::string());
  if (state_ > kOne)
    Spilled()->resize(count);
}

TextList CompactTextList::ToList() const { return TextList(begin(), end()); }

void CompactTextList::Assign(const std::string* first,
                             const std::string* last) {
  clear();
  if (last - first == 1) {
    one_ = *first;
    state_ = kOne;
  } else if (last - first > 1) {
    state_ = reinterpret_cast<uintptr_t>(new TextList(first, last));
  }
}

void CompactTextList::Release() {
  if (state_ > kOne)
    delete Spilled();
  state_ = kEmpty;
}

bool operator==(const CompactTextList& a, const CompactTextList& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

bool operator==(const CompactTextList& a, const TextList& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}
