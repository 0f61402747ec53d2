// annSharedHandle.h - one handle kept for all the items that refer through it.
//
// An item refers to its level and its style set through handles. A drawing
// puts many thousands of items on one layer with one look; rather than a
// handle of their own each (40 bytes), they share one counted copy of it,
// and annSharedHandle<T> is a pointer to that copy. The document keeps the
// copies it hands out (annDocument::share_handle), so that the items that
// set equal handles get the same one. The last user of a copy deletes it,
// on whatever thread it goes.
#pragma once

#include <atomic>
#include <utility>

template <class T> class annPtr;

template <class T> class annSharedHandle {
public:
  annSharedHandle() = default;
  // A copy of handle of its own; none for an invalid handle.
  explicit annSharedHandle(const annPtr<T>& handle)
      : kept_(handle.invalid() ? nullptr : new Kept{{1}, handle}) {}
  annSharedHandle(const annSharedHandle& other) : kept_(other.kept_) {
    if (kept_)
      kept_->users.fetch_add(1, std::memory_order_relaxed);
  }
  annSharedHandle(annSharedHandle&& other) noexcept : kept_(std::exchange(other.kept_, nullptr)) {}
  annSharedHandle& operator=(annSharedHandle other) noexcept {
    std::swap(kept_, other.kept_);
    return *this;
  }
  ~annSharedHandle() {
    if (kept_ && kept_->users.fetch_sub(1, std::memory_order_acq_rel) == 1)
      delete kept_;
  }

  // The handle; an invalid one when none is kept.
  const annPtr<T>& get() const { return kept_ ? kept_->handle : none(); }
  // Nonzero when the kept handle is handle: the same item, reached by the
  // same name, in the same name space.
  int holds(const annPtr<T>& handle) const {
    if (!kept_)
      return handle.invalid();
    const annPtr<T>& kept = kept_->handle;
    return kept == handle && kept.name() == handle.name() &&
           kept.name_space() == handle.name_space();
  }

private:
  struct Kept {
    std::atomic<int> users;
    annPtr<T> handle;
  };
  static const annPtr<T>& none() {
    static const annPtr<T> invalid;
    return invalid;
  }
  Kept* kept_ = nullptr;
};
