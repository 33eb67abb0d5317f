#include "model/sparse_text.h"

const SparseTextList::List& SparseTextList::Empty() {
  static const List kEmpty;
  return kEmpty;
}
