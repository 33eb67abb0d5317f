// A hash table of positions in a list of texts, looked up by text. It
// keeps only hashes and positions, eight bytes a text; the texts stay in
// the caller's list, which may grow and move while the table is in use.
#ifndef VARNEL_MODEL_TEXT_TABLE_H_
#define VARNEL_MODEL_TEXT_TABLE_H_

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "model/text.h"

class TextTable {
 public:
  // Room for `count` positions without growing.
  void Reserve(size_t count);

  bool empty() const { return count_ == 0; }

  // Adds `position`, whose text is `text`. Callers that need the first of
  // equal texts use FindOrAdd.
  void Add(std::string_view text, int position);

  // A position added with a text equal to `key`, or -1. `textAt(position)`
  // gives the text now at a position added before.
  template <typename TextAt>
  int Find(std::string_view key, const TextAt& textAt) const {
    if (slots_.empty())
      return -1;
    const uint32_t hash = HashOf(key);
    for (size_t i = hash & mask_;; i = (i + 1) & mask_) {
      const Slot& slot = slots_[i];
      if (slot.position < 0)
        return -1;
      if (slot.hash == hash && std::string_view(textAt(slot.position)) == key)
        return slot.position;
    }
  }

  // The position of a text equal to `text` added before, or -1 after
  // adding `position` for it: the first of equal texts stays the one found.
  template <typename TextAt>
  int FindOrAdd(std::string_view text, int position, const TextAt& textAt) {
    const int found = Find(text, textAt);
    if (found < 0)
      Add(text, position);
    return found;
  }

 private:
  struct Slot {
    uint32_t hash = 0;
    int32_t position = -1;
  };

  static uint32_t HashOf(std::string_view text);

  // Puts a slot into the first free place of its probe sequence.
  void Place(Slot slot);
  void Rehash(size_t slotCount);

  // Open addressing, at most half full, so probes stay short.
  std::vector<Slot> slots_;
  size_t mask_ = 0;
  size_t count_ = 0;
};

// The text at a position of a list (of strings or of views), for
// TextTable::Find.
template <typename List>
struct TextAt {
  const List& list;
  decltype(auto) operator()(int i) const { return list[i]; }
};

// Lets TextAt{list} name its list type on compilers without deduction for
// aggregates (clang before 17).
template <typename List>
TextAt(const List&) -> TextAt<List>;

#endif  // VARNEL_MODEL_TEXT_TABLE_H_
