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
// their names: no node per entry, one allocation per value. Iteration (and
// so merge) follows insertion order.
#pragma once

#include "vorabs_export.h"

#include "vorabsAttributeKey.h"
#include "vorabsAttributePtrBase.h"

#include "ut.h"

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
  int get(const vorabsAttributeKey& key, vorabsAttributePtrBase& ptr) const;
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
    vorabsAttributeKey key;
    vorabsAttributePtrBase* value;
  };
  const Entry* find(const vorabsAttributeKey& key) const;
  Entry* find(const vorabsAttributeKey& key);
  // Stores value under key, deleting what was there.
  void store(const vorabsAttributeKey& key, vorabsAttributePtrBase* value);

  std::vector<Entry> entries_;
};
