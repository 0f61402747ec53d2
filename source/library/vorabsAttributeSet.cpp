// vorabsAttributeSet.cpp - the named, typed attributes an entity carries.
#include "vorabsAttributeSet.h"

#include <algorithm>
#include <iterator>

vorabsAttributeSet::vorabsAttributeSet() = default;

vorabsAttributeSet::vorabsAttributeSet(utCopyMarker, const vorabsAttributeSet& other) {
  merge(other);
}

vorabsAttributeSet::vorabsAttributeSet(const vorabsAttributeSet& other) {
  merge(other);
}

vorabsAttributeSet& vorabsAttributeSet::operator=(const vorabsAttributeSet& other) {
  become(other);
  return *this;
}

vorabsAttributeSet::~vorabsAttributeSet() {
  clear();
}

void vorabsAttributeSet::become(const vorabsAttributeSet& other) {
  if (this == &other)
    return;
  clear();
  merge(other);
}

void vorabsAttributeSet::index_entry(size_t position) {
  summary_ |= summary_bit(entries_[position].key);
  if (entries_.size() > max_indexed)
    return;
  unsigned slot = entries_[position].key.hash();
  while (index_[slot % index_slots] != 0)
    ++slot;
  index_[slot % index_slots] = uint8_t(position + 1);
}

void vorabsAttributeSet::rebuild_index() {
  summary_ = 0;
  std::fill(std::begin(index_), std::end(index_), uint8_t(0));
  for (size_t i = 0; i < entries_.size(); ++i)
    index_entry(i);
}

void vorabsAttributeSet::release(const Entry& entry) {
  if (entry.in_arena)
    entry.value->~vorabsAttributePtrBase();
  else
    delete entry.value;
}

vorabsAttributePtrBase* vorabsAttributeSet::place_new(const vorabsAttributePtrBase& prototype,
                                                      bool& in_arena) {
  size_t room = arena_size - arena_used_;
  if (vorabsAttributePtrBase* value = prototype.make_new_in(arena_ + arena_used_, room)) {
    arena_used_ += (room + arena_alignment - 1) / arena_alignment * arena_alignment;
    in_arena = true;
    return value;
  }
  in_arena = false;
  return prototype.make_new();
}

vorabsAttributePtrBase* vorabsAttributeSet::place_clone(const vorabsAttributePtrBase& original,
                                                        bool& in_arena) {
  size_t room = arena_size - arena_used_;
  if (vorabsAttributePtrBase* value = original.clone_in(arena_ + arena_used_, room)) {
    arena_used_ += (room + arena_alignment - 1) / arena_alignment * arena_alignment;
    in_arena = true;
    return value;
  }
  in_arena = false;
  return original.clone();
}

void vorabsAttributeSet::store(Entry* entry, const vorabsAttributeKey& key,
                               vorabsAttributePtrBase* value, bool in_arena) {
  const utTypeID* type = &value->ut_dynamic_type();
  if (entry) {
    release(*entry);
    entry->value = value;
    entry->type = type;
    entry->in_arena = in_arena;
    return;
  }
  if (entries_.capacity() == 0)
    entries_.reserve(4); // entities carry a few attributes: grow once, not thrice
  entries_.emplace_back(key, value, type, in_arena); // built in place
  index_entry(entries_.size() - 1);
}

int vorabsAttributeSet::get(const vorabsAttributeKey& key, vorabsAttributePtrBase& ptr) const {
  const Entry* entry = find(key);
  if (!entry || !entry->type->is_kind_of(ptr.ut_dynamic_type()))
    return 0;
  ptr.point_to(*entry->value);
  return 1;
}

void vorabsAttributeSet::check_out(const vorabsAttributeKey& key, vorabsAttributePtrBase& ptr) {
  // A value of the same member is given a fresh default in place: the same
  // outcome as replacing it, without an allocation.
  Entry* entry = find(key);
  if (entry && entry->type == &ptr.ut_dynamic_type() && entry->value->renew()) {
    ptr.point_to(*entry->value);
    return;
  }
  bool in_arena = false;
  vorabsAttributePtrBase* value = place_new(ptr, in_arena);
  store(entry, key, value, in_arena); // the key was looked up above
  ptr.point_to(*value);
}

int vorabsAttributeSet::remove(const vorabsAttributeKey& key) {
  long at = position(key);
  if (at < 0)
    return 0;
  release(entries_[size_t(at)]);
  entries_.erase(entries_.begin() + at);
  rebuild_index();
  return 1;
}

void vorabsAttributeSet::clear() {
  for (const Entry& entry : entries_)
    release(entry);
  entries_.clear();
  arena_used_ = 0;
  summary_ = 0;
  std::fill(std::begin(index_), std::end(index_), uint8_t(0));
}

void vorabsAttributeSet::merge(const vorabsAttributeSet& other) {
  if (this == &other)
    return;
  for (const Entry& entry : other.entries_) {
    bool in_arena = false;
    vorabsAttributePtrBase* value = place_clone(*entry.value, in_arena);
    store(find(entry.key), entry.key, value, in_arena);
  }
}
