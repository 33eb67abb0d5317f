// A text that most records of a model never get: the descriptions a merge
// or a writer fills in. While empty it takes the room of a pointer instead
// of a whole string, which in a header of hundreds of thousands of
// declarations is megabytes. It reads as a const std::string.
#ifndef VARNEL_MODEL_SPARSE_TEXT_H_
#define VARNEL_MODEL_SPARSE_TEXT_H_

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

class SparseText {
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

  const std::string& str() const { return text_ ? *text_ : Empty(); }
  operator const std::string&() const { return str(); }
  operator std::string_view() const { return str(); }

  bool empty() const { return !text_; }
  size_t size() const { return text_ ? text_->size() : 0; }
  void clear() { text_.reset(); }

 private:
  static const std::string& Empty();

  // Null while the text is empty: an empty text is never held.
  std::unique_ptr<std::string> text_;
};

inline bool operator==(const SparseText& a, std::string_view b) {
  return std::string_view(a) == b;
}
inline bool operator==(const SparseText& a, const SparseText& b) {
  return a.str() == b.str();
}

inline std::ostream& operator<<(std::ostream& out, const SparseText& text) {
  return out << text.str();
}

#endif  // VARNEL_MODEL_SPARSE_TEXT_H_
