// A text that many records of a model hold alike: the name of the class
// a member or method belongs to. Copies share one string, so that the
// thousands of records of a class take one allocation between them. It
// reads as a const std::string.
#ifndef VARNEL_MODEL_SHARED_TEXT_H_
#define VARNEL_MODEL_SHARED_TEXT_H_

#include <atomic>
#include <string>
#include <utility>

#include "model/pointed_text.h"

// A counted reference to one string, a single pointer wide: every member
// and method record holds one, where a std::shared_ptr takes two.
class SharedTextPointer {
 public:
  SharedTextPointer() = default;
  explicit SharedTextPointer(std::string text)
      : node_(new Node{{1}, std::move(text)}) {}
  SharedTextPointer(const SharedTextPointer& other) noexcept
      : node_(other.node_) {
    if (node_)
      node_->refs.fetch_add(1, std::memory_order_relaxed);
  }
  SharedTextPointer(SharedTextPointer&& other) noexcept
      : node_(std::exchange(other.node_, nullptr)) {}
  SharedTextPointer& operator=(SharedTextPointer other) noexcept {
    std::swap(node_, other.node_);
    return *this;
  }
  ~SharedTextPointer() { reset(); }

  void reset() noexcept {
    // Copies may live in other threads' models.
    if (node_ && node_->refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
      delete node_;
    node_ = nullptr;
  }
  explicit operator bool() const { return node_ != nullptr; }
  const std::string& operator*() const { return node_->text; }
  const std::string* operator->() const { return &node_->text; }

 private:
  struct Node {
    std::atomic<long> refs;
    const std::string text;
  };
  Node* node_ = nullptr;
};

class SharedText : public PointedText<SharedTextPointer> {
 public:
  SharedText() = default;
  explicit SharedText(std::string text);
  SharedText& operator=(std::string text) {
    return *this = SharedText(std::move(text));
  }
  SharedText& operator=(const char* text) { return *this = std::string(text); }
};

#endif  // VARNEL_MODEL_SHARED_TEXT_H_
