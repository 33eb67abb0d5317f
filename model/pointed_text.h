// What the model's texts held through a pointer share: the pointer is null
// while the text is empty, and the text reads as a const std::string.
#ifndef VARNEL_MODEL_POINTED_TEXT_H_
#define VARNEL_MODEL_POINTED_TEXT_H_

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

const std::string& EmptyText();

template <typename Pointer>
class PointedText {
 public:
  const std::string& str() const { return text_ ? *text_ : EmptyText(); }
  operator const std::string&() const { return str(); }
  operator std::string_view() const { return str(); }

  bool empty() const { return !text_; }
  size_t size() const { return text_ ? text_->size() : 0; }
  void clear() { text_.reset(); }

 protected:
  // Never holds an empty text.
  Pointer text_;
};

template <typename Pointer>
bool operator==(const PointedText<Pointer>& a, std::string_view b) {
  return std::string_view(a) == b;
}
template <typename Pointer>
bool operator==(const PointedText<Pointer>& a, const PointedText<Pointer>& b) {
  return a.str() == b.str();
}

template <typename Pointer>
std::ostream& operator<<(std::ostream& out, const PointedText<Pointer>& text) {
  return out << text.str();
}

#endif  // VARNEL_MODEL_POINTED_TEXT_H_
