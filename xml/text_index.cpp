#include "xml/text_index.h"

TextIndex::TextIndex(std::vector<std::string_view> texts)
    : texts_(std::move(texts)),
      nextEqual_(texts_.size(), -1),
      first_(texts_.size(), false) {
  firsts_.Reserve(texts_.size());
  // The last position of each text so far, kept at its first position.
  std::vector<int32_t> last(texts_.size(), -1);
  for (size_t i = 0; i < texts_.size(); ++i) {
    const int32_t position = static_cast<int32_t>(i);
    const int first = firsts_.FindOrAdd(texts_[i], position, TextAt{texts_});
    if (first >= 0) {
      nextEqual_[last[first]] = position;
      last[first] = position;
      continue;
    }
    first_[i] = true;
    last[i] = position;
  }
}

int TextIndex::Find(std::string_view key) const {
  if (next_ < texts_.size() && first_[next_] && texts_[next_] == key)
    return static_cast<int>(next_++);
  const int found = firsts_.Find(key, TextAt{texts_});
  if (found >= 0)
    next_ = static_cast<size_t>(found) + 1;
  return found;
}
