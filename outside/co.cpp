// co.cpp - the container library's hash functions.
#include "co.h"

#include <cstdint>
#include <cstring>

namespace {
// A 64-bit multiply-xorshift mix: every input bit reaches every output bit.
inline uint64_t mix(uint64_t h) {
  h ^= h >> 33;
  h *= 0xff51afd7ed558ccdull;
  h ^= h >> 33;
  h *= 0xc4ceb9fe1a85ec53ull;
  h ^= h >> 33;
  return h;
}
} // namespace

// Eight bytes at a time, so that hashing a key or a transform costs a few
// multiplies rather than one per byte.
unsigned int co_hash(const void* bytes, size_t count) {
  const unsigned char* p = static_cast<const unsigned char*>(bytes);
  uint64_t hash = 0x9e3779b97f4a7c15ull ^ count;
  for (; count >= 8; count -= 8, p += 8) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    hash = mix(hash ^ word) + 0x9e3779b97f4a7c15ull;
  }
  if (count) {
    uint64_t word = 0;
    std::memcpy(&word, p, count);
    hash = mix(hash ^ word ^ (uint64_t(count) << 56));
  }
  return static_cast<unsigned int>(mix(hash));
}

unsigned int co_hash(const utString& text) {
  return co_hash(text.c_str(), text.length());
}
