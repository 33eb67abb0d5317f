// Looking at eight bytes of a text at a time: the passes that search long
// texts for a few byte values skip the stretches without them this way.
#ifndef VARNEL_MODEL_BYTE_SCAN_H_
#define VARNEL_MODEL_BYTE_SCAN_H_

#include <bit>
#include <cstdint>
#include <cstring>

// `c` in every byte of a word.
constexpr uint64_t EveryByte(unsigned char c) {
  return 0x0101010101010101ULL * c;
}

// Every byte of `w` that equals the byte repeated in `pattern` has its top
// bit set in the result, and no other byte does.
inline uint64_t BytesEqual(uint64_t w, uint64_t pattern) {
  const uint64_t x = w ^ pattern;
  const uint64_t low7 = 0x7f7f7f7f7f7f7f7fULL;
  return ~(((x & low7) + low7) | x | low7);
}

// The eight bytes at `p` as one word, the first byte lowest on
// little-endian machines.
inline uint64_t WordAt(const char* p) {
  uint64_t w;
  std::memcpy(&w, p, 8);
  return w;
}

// The position in its word of the first byte (in memory order) that
// BytesEqual marked in `hits`, which is not 0.
inline int FirstMarkedByte(uint64_t hits) {
  if constexpr (std::endian::native == std::endian::big)
    return std::countl_zero(hits) / 8;
  return std::countr_zero(hits) / 8;
}

#endif  // VARNEL_MODEL_BYTE_SCAN_H_
