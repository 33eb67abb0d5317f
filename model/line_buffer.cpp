#include "model/line_buffer.h"

#include <algorithm>

void LineBuffer::Grow(size_t more) {
  const size_t used = size();
  const size_t room = static_cast<size_t>(cap_ - data_.get());
  if (room - used >= more)
    return;
  const size_t grown = std::max(used + more, 2 * room);
  std::unique_ptr<char[]> data(new char[grown]);
  if (used > 0)
    std::memcpy(data.get(), data_.get(), used);
  data_ = std::move(data);
  end_ = data_.get() + used;
  cap_ = data_.get() + grown;
}
