#include "xml/text_index.h"

#include <bit>
#include <functional>

namespace {

uint64_t HashOf(std::string_view key) {
  return std::hash<std::string_view>()(key);
}

}  // namespace

TextIndex::TextIndex(std::vector<std::string_view> texts)
    : texts_(std::move(texts)),
      nextEqual_(texts_.size(), -1),
      first_(texts_.size(), false) {
  slots_.resize(std::bit_ceil(texts_.size() * 2 + 2));
  mask_ = slots_.size() - 1;
  // The last position of each text so far, kept at its first position.
  std::vector<int32_t> last(texts_.size(), -1);
  for (size_t i = 0; i < texts_.size(); ++i) {
    const int32_t position = static_cast<int32_t>(i);
    const uint64_t hash = HashOf(texts_[i]);
    Slot& slot = slots_[SlotOf(texts_[i], hash)];
    if (slot.index >= 0) {
      nextEqual_[last[slot.index]] = position;
      last[slot.index] = position;
      continue;
    }
    slot.hash = static_cast<uint32_t>(hash);
    slot.index = position;
    first_[i] = true;
    last[i] = position;
  }
}

size_t TextIndex::SlotOf(std::string_view key, uint64_t hash) const {
  for (size_t i = hash & mask_;; i = (i + 1) & mask_) {
    const Slot& slot = slots_[i];
    if (slot.index < 0 ||
        (slot.hash == static_cast<uint32_t>(hash) && texts_[slot.index] == key))
      return i;
  }
}

int TextIndex::Find(std::string_view key) const {
  if (next_ < texts_.size() && first_[next_] && texts_[next_] == key)
    return static_cast<int>(next_++);
  const Slot& slot = slots_[SlotOf(key, HashOf(key))];
  if (slot.index >= 0)
    next_ = static_cast<size_t>(slot.index) + 1;
  return slot.index;
}
