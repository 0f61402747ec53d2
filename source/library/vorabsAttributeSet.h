// vorabsAttributeSet.h - the named, typed attributes an entity carries.
//
// At most one value per key. The set owns every stored value (a typed
// pointer made by make_new or clone): replacing or removing an entry, clear
// and destruction delete it. Callers never hold the stored objects; get and
// check_out make a caller's typed pointer refer into the set, valid until
// that key is replaced or removed or the set dies.
//
// Entities carry a handful of attributes, so the entries live in one array
// in insertion order and a look-up compares the keys' cached hashes before
// their names: no node per entry. The values of a typical set live in a
// small arena inside the set itself (bump-allocated, reclaimed by clear),
// so copying or filling one costs no allocation; larger sets spill onto the
// heap. A 64-bit summary
// of the stored hashes answers most look-ups of absent keys (kind tests) at
// once, and up to twelve entries are found through a sixteen-slot inline
// index instead of a scan; larger sets are scanned. Iteration (and so merge)
// follows insertion order.
#pragma once

#include "vorabs_export.h"

#include "vorabsAttributeKey.h"
#include "vorabsAttributePtr.h"
#include "vorabsAttributePtrBase.h"

#include "co.h"
#include "ut.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class VORABS_API vorabsAttributeSet {
public:
  vorabsAttributeSet();
  // A deep copy: an empty set, then merge(other).
  vorabsAttributeSet(utCopyMarker, const vorabsAttributeSet& other);
  vorabsAttributeSet(const vorabsAttributeSet& other);
  vorabsAttributeSet& operator=(const vorabsAttributeSet& other);
  ~vorabsAttributeSet();

  // Nonzero when the key has a value.
  int member(const vorabsAttributeKey& key) const { return find(key) != nullptr; }
  // 1 and ptr refers to the key's value; 0 and ptr untouched when absent.
  // A value of another type than ptr's counts as absent (0, ptr untouched),
  // so that a reader falls back to its default instead of reading through
  // an empty pointer.
  int get(const vorabsAttributeKey& key, vorabsAttributePtrBase& ptr) const;
  // The same for a pointer whose member is known where it is called: the
  // member test uses the type recorded with the entry, with no virtual call.
  template <class T> int get(const vorabsAttributeKey& key, vorabsAttributePtr<T>& ptr) const {
    const Entry* entry = find(key);
    if (!entry || !entry->type->is_kind_of(vorabsAttributePtr<T>::ut_static_type()))
      return 0;
    ptr.value_ = static_cast<const vorabsAttributePtr<T>*>(entry->value)->value_;
    return 1;
  }
  // Stores a fresh default value of ptr's type under the key, deleting any
  // previous value, and makes ptr refer to it.
  void check_out(const vorabsAttributeKey& key, vorabsAttributePtrBase& ptr);
  // Deletes the key's value; nonzero when there was one.
  int remove(const vorabsAttributeKey& key);
  void clear();
  // Copies every attribute of other into this set, replacing values under
  // the same keys.
  void merge(const vorabsAttributeSet& other);

  int num_attributes() const { return static_cast<int>(entries_.size()); }
  // The i-th key in insertion order, for printing and inspection.
  const vorabsAttributeKey& key(int i) const { return entries_[static_cast<size_t>(i)].key; }

protected:
  // Deep copy of other, replacing everything held.
  void become(const vorabsAttributeSet& other);

private:
  struct Entry {
    Entry(const vorabsAttributeKey& key_, vorabsAttributePtrBase* value_, const utTypeID* type_,
          bool in_arena_)
        : key(key_), value(value_), type(type_), in_arena(in_arena_) {}
    vorabsAttributeKey key;
    vorabsAttributePtrBase* value; // owned, never null
    const utTypeID* type;          // value->ut_dynamic_type()
    bool in_arena;                 // ended in place, not deleted
  };
  // Look-ups are inline: they run once per attribute read.
  const Entry* find(const vorabsAttributeKey& key) const {
    long at = position(key);
    return at < 0 ? nullptr : &entries_[size_t(at)];
  }
  Entry* find(const vorabsAttributeKey& key) {
    long at = position(key);
    return at < 0 ? nullptr : &entries_[size_t(at)];
  }
  // Stores value under key, ending what was there; entry is the key's
  // entry as found just before (null when the key is absent).
  void store(Entry* entry, const vorabsAttributeKey& key, vorabsAttributePtrBase* value,
             bool in_arena);
  static void release(const Entry& entry);
  // A fresh default (prototype.make_new) or copy (clone) of a value, in the
  // arena when there is room.
  vorabsAttributePtrBase* place_new(const vorabsAttributePtrBase& prototype, bool& in_arena);
  vorabsAttributePtrBase* place_clone(const vorabsAttributePtrBase& original, bool& in_arena);

  static constexpr unsigned index_slots = 16;
  static constexpr size_t max_indexed = 12;
  static uint64_t summary_bit(const vorabsAttributeKey& key) {
    return uint64_t(1) << (key.hash() & 63);
  }
  // Position of the key's entry, or -1.
  long position(const vorabsAttributeKey& key) const {
    if (!(summary_ & summary_bit(key)))
      return -1;
    if (entries_.size() <= max_indexed) {
      for (unsigned slot = key.hash();; ++slot) {
        unsigned found = index_[slot % index_slots];
        if (found == 0)
          return -1;
        if (entries_[found - 1].key == key)
          return long(found - 1);
      }
    }
    for (size_t i = 0; i < entries_.size(); ++i)
      if (entries_[i].key == key)
        return long(i);
    return -1;
  }
  void index_entry(size_t position);
  void rebuild_index();

  static constexpr size_t arena_size = 384;
  static constexpr size_t arena_alignment = alignof(std::max_align_t);

  std::vector<Entry> entries_;
  alignas(std::max_align_t) unsigned char arena_[arena_size];
  size_t arena_used_ = 0;
  uint64_t summary_ = 0; // bit (hash & 63) set for every stored key
  // Open addressing by hash: entry position + 1, 0 for an empty slot. Valid
  // while the set holds at most max_indexed entries.
  uint8_t index_[index_slots] = {};
};
