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

SparseTextList& SparseTextList::operator=(List texts) {
  if (texts.empty())
    texts_.reset();
  else if (texts_)
    *texts_ = std::move(texts);
  else
    texts_ = std::make_unique<List>(std::move(texts));
  return *this;
}

SparseTextList::List& SparseTextList::Mutable() {
  if (!texts_)
    texts_ = std::make_unique<List>();
  return *texts_;
}

const SparseTextList::List& SparseTextList::Empty() {
  static const List kEmpty;
  return kEmpty;
}
