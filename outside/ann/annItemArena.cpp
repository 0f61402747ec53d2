// annItemArena.cpp - the storage a document makes its items in.
#include "annItemArena.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

// Blocks grow from small (a document of a few items stays small) to a size
// at which one allocation serves thousands of items.
constexpr size_t FIRST_BLOCK = 4096;
constexpr size_t LARGEST_BLOCK = size_t(1) << 20;

} // namespace

annItemArena::~annItemArena() {
  for (char* block : blocks_)
    std::free(block);
}

void* annItemArena::allocate(size_t bytes, size_t alignment) {
  const auto at = reinterpret_cast<uintptr_t>(next_);
  const uintptr_t aligned = (at + alignment - 1) & ~uintptr_t(alignment - 1);
  if (!next_ || aligned + bytes > reinterpret_cast<uintptr_t>(end_)) {
    const size_t wanted = std::min(LARGEST_BLOCK, std::max(FIRST_BLOCK, reserved_));
    const size_t size = std::max(wanted, bytes + alignment);
    char* block = static_cast<char*>(std::malloc(size));
    if (!block)
      throw std::bad_alloc();
    blocks_.push_back(block);
    reserved_ += size;
    next_ = block;
    end_ = block + size;
    return allocate(bytes, alignment);
  }
  next_ = reinterpret_cast<char*>(aligned + bytes);
  users_.fetch_add(1, std::memory_order_relaxed);
  return reinterpret_cast<void*>(aligned);
}

void annItemArena::release() {
  if (users_.fetch_sub(1, std::memory_order_acq_rel) == 1)
    delete this;
}
