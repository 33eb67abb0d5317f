#include "model/sparse_text.h"

#include <utility>

SparseText& SparseText::operator=(std::string text) {
  if (text.empty())
    text_.reset();
  else if (text_)
    *text_ = std::move(text);
  else
    text_ = std::make_unique<std::string>(std::move(text));
  return *this;
}

const std::string& SparseText::Empty() {
  static const std::string kEmpty;
  return kEmpty;
}
