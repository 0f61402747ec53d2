// annItemArena.cpp - the storage a document makes its items in.
#include "annItemArena.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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
  if (freed_.load(std::memory_order_acquire) != 0)
    if (void* memory = reuse(bytes, alignment))
      return memory;
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

void* annItemArena::reuse(size_t bytes, size_t alignment) {
  std::lock_guard<std::mutex> hold(freed_lock_);
  for (Freed& list : freed_lists_)
    if (list.bytes == bytes && list.alignment == alignment && list.first) {
      void* memory = list.first;
      std::memcpy(&list.first, memory, sizeof(void*));
      freed_.fetch_sub(1, std::memory_order_relaxed);
      users_.fetch_add(1, std::memory_order_relaxed);
      return memory;
    }
  return nullptr;
}

void annItemArena::deallocate(void* memory, size_t bytes, size_t alignment) {
  if (bytes >= sizeof(void*)) {
    std::lock_guard<std::mutex> hold(freed_lock_);
    auto list = std::find_if(freed_lists_.begin(), freed_lists_.end(), [&](const Freed& l) {
      return l.bytes == bytes && l.alignment == alignment;
    });
    if (list == freed_lists_.end())
      list = freed_lists_.insert(list, Freed{bytes, alignment, nullptr});
    std::memcpy(memory, &list->first, sizeof(void*));
    list->first = memory;
    freed_.fetch_add(1, std::memory_order_release);
  }
  release();
}

void annItemArena::release() {
  if (users_.fetch_sub(1, std::memory_order_acq_rel) == 1)
    delete this;
}
