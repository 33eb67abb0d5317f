// A text that many records of a model hold alike: the name of the class
// a member or method belongs to. Copies share one string, so that the
// thousands of records of a class take one allocation between them. It
// reads as a const std::string.
#ifndef VARNEL_MODEL_SHARED_TEXT_H_
#define VARNEL_MODEL_SHARED_TEXT_H_

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

class SharedText {
 public:
  SharedText() = default;
  explicit SharedText(std::string text);
  SharedText& operator=(std::string text) {
    return *this = SharedText(std::move(text));
  }
  SharedText& operator=(const char* text) { return *this = std::string(text); }

  const std::string& str() const { return text_ ? *text_ : Empty(); }
  operator const std::string&() const { return str(); }
  operator std::string_view() const { return str(); }

  bool empty() const { return !text_; }
  size_t size() const { return text_ ? text_->size() : 0; }
  void clear() { text_.reset(); }

 private:
  static const std::string& Empty();

  // Null while the text is empty; never changed once shared.
  std::shared_ptr<const std::string> text_;
};

inline bool operator==(const SharedText& a, std::string_view b) {
  return std::string_view(a) == b;
}

inline std::ostream& operator<<(std::ostream& out, const SharedText& text) {
  return out << text.str();
}

#endif  // VARNEL_MODEL_SHARED_TEXT_H_
