// The text the writers build their lines in. A large page is millions of
// lines of a few short parts each: an append here checks the room once and
// copies inline, where a string's append costs a call and a terminator.
#ifndef VARNEL_MODEL_LINE_BUFFER_H_
#define VARNEL_MODEL_LINE_BUFFER_H_

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

class LineBuffer {
 public:
  LineBuffer() { Grow(kFirstRoom); }
  LineBuffer(const LineBuffer&) = delete;
  LineBuffer& operator=(const LineBuffer&) = delete;

  void append(const char* text, size_t n) {
    if (static_cast<size_t>(cap_ - end_) < n)
      Grow(n);
    if (n > 0)  // an empty view may have no data
      std::memcpy(end_, text, n);
    end_ += n;
  }
  void append(std::string_view text) { append(text.data(), text.size()); }
  void push_back(char c) {
    if (end_ == cap_)
      Grow(1);
    *end_++ = c;
  }

  size_t size() const { return static_cast<size_t>(end_ - data_.get()); }
  bool empty() const { return end_ == data_.get(); }
  std::string_view view() const { return {data_.get(), size()}; }
  std::string str() const { return std::string(view()); }
  void clear() { end_ = data_.get(); }
  // Room for `n` bytes in all without growing.
  void reserve(size_t n) {
    if (n > size())
      Grow(n - size());
  }

 private:
  static constexpr size_t kFirstRoom = 256;

  // Room for `more` bytes after the text, at least doubling.
  void Grow(size_t more);

  std::unique_ptr<char[]> data_;
  char* end_ = nullptr;
  char* cap_ = nullptr;
};

#endif  // VARNEL_MODEL_LINE_BUFFER_H_
