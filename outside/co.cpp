// co.cpp - the container library's hash functions.
#include "co.h"

unsigned int co_hash(const void* bytes, size_t count) {
  const unsigned char* p = static_cast<const unsigned char*>(bytes);
  unsigned int hash = 2166136261u;
  for (size_t i = 0; i < count; ++i) {
    hash ^= p[i];
    hash *= 16777619u;
  }
  return hash;
}

unsigned int co_hash(const utString& text) {
  return co_hash(text.c_str(), text.length());
}
