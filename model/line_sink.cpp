#include "model/line_sink.h"

#include <algorithm>
#include <iterator>

void AppendPiece(TextList* whole, TextList* piece) {
  if (whole->empty()) {
    whole->swap(*piece);
    piece->clear();
    return;
  }
  // The list of a large output takes hundreds of megabytes, and every
  // regrowth writes it again into memory the system must provide.
  // Growing fourfold instead of twofold about halves that; room reserved
  // but never reached is never touched.
  const size_t needed = whole->size() + piece->size();
  if (needed > whole->capacity())
    whole->reserve(std::max(needed, whole->capacity() * 4));
  whole->insert(whole->end(), std::make_move_iterator(piece->begin()),
                std::make_move_iterator(piece->end()));
  piece->clear();
}

LineSink AppendingTo(TextList* whole) {
  return [whole](TextList* piece) {
    AppendPiece(whole, piece);
    return true;
  };
}
