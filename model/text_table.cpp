#include "model/text_table.h"

#include <algorithm>
#include <bit>
#include <functional>

uint32_t TextTable::HashOf(std::string_view text) {
  return static_cast<uint32_t>(std::hash<std::string_view>()(text));
}

void TextTable::Reserve(size_t count) {
  const size_t needed = std::bit_ceil(count * 2 + 2);
  if (needed > slots_.size())
    Rehash(needed);
}

void TextTable::Add(std::string_view text, int position) {
  if ((count_ + 1) * 2 > slots_.size())
    Rehash(std::max<size_t>(16, slots_.size() * 2));
  Place(Slot{HashOf(text), position});
  ++count_;
}

void TextTable::Place(Slot slot) {
  size_t i = slot.hash & mask_;
  while (slots_[i].position >= 0)
    i = (i + 1) & mask_;
  slots_[i] = slot;
}

void TextTable::Rehash(size_t slotCount) {
  std::vector<Slot> old(slotCount);
  old.swap(slots_);
  mask_ = slotCount - 1;
  for (const Slot& slot : old)
    if (slot.position >= 0)
      Place(slot);
}
