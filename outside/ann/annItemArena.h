// annItemArena.h - the storage a document makes its items in.
//
// An arena hands out memory from large blocks it owns, so that making an
// item costs a pointer bump and a document of many items gives its memory
// back a block at a time instead of an item at a time. An item may outlive
// its document (a handle keeps it), so the arena counts its users: the
// document that made it, and every item made in it that is still alive. The
// last user to go frees the blocks and the arena. The memory of an item that
// goes early is kept for the next item of its size, so that a host that
// takes what it has written out of a long-lived document does not grow it.
// Memory is handed out on the document's thread; users may go on any thread.
#pragma once

#include "vorout_export.h"

#include <atomic>
#include <cstddef>
#include <mutex>
#include <vector>

class VOROUT_API annItemArena {
public:
  // A new arena with one user, its maker.
  static annItemArena* create() { return new annItemArena(); }
  annItemArena(const annItemArena&) = delete;
  annItemArena& operator=(const annItemArena&) = delete;

  // bytes aligned to alignment (a power of two no larger than the largest
  // fundamental alignment), for one more user.
  void* allocate(size_t bytes, size_t alignment);
  // Takes back memory that allocate handed out for the same bytes and
  // alignment, and the user it stood for.
  void deallocate(void* memory, size_t bytes, size_t alignment);
  // One user less; the last one frees the arena.
  void release();
  // Bytes held in blocks, for checks and benchmarks.
  size_t reserved() const { return reserved_; }

private:
  annItemArena() = default;
  ~annItemArena();
  void* reuse(size_t bytes, size_t alignment);

  std::atomic<size_t> users_{1};
  // Memory given back, by size and alignment: each piece links to the next
  // through its first bytes. Guarded by freed_lock_; freed_ counts the
  // pieces, so that allocating takes the lock only when there are some.
  struct Freed {
    size_t bytes;
    size_t alignment;
    void* first;
  };
  std::mutex freed_lock_;
  std::vector<Freed> freed_lists_;
  std::atomic<size_t> freed_{0};
  std::vector<char*> blocks_;
  char* next_ = nullptr;
  char* end_ = nullptr;
  size_t reserved_ = 0;
};

// The standard allocator form of an arena, for std::allocate_shared: each
// allocation is a user of the arena until it is deallocated.
template <class T> class annItemAllocator {
public:
  using value_type = T;
  explicit annItemAllocator(annItemArena* arena) : arena_(arena) {}
  template <class U>
  annItemAllocator(const annItemAllocator<U>& other) noexcept : arena_(other.arena()) {}
  T* allocate(size_t count) {
    return static_cast<T*>(arena_->allocate(count * sizeof(T), alignof(T)));
  }
  void deallocate(T* memory, size_t count) noexcept {
    arena_->deallocate(memory, count * sizeof(T), alignof(T));
  }
  annItemArena* arena() const { return arena_; }
  template <class U> bool operator==(const annItemAllocator<U>& other) const {
    return arena_ == other.arena();
  }
  template <class U> bool operator!=(const annItemAllocator<U>& other) const {
    return arena_ != other.arena();
  }

private:
  annItemArena* arena_;
};
