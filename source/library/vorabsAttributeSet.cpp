// vorabsAttributeSet.cpp - the named, typed attributes an entity carries.
#include "vorabsAttributeSet.h"

vorabsAttributeSet::vorabsAttributeSet() = default;

vorabsAttributeSet::vorabsAttributeSet(utCopyMarker, const vorabsAttributeSet& other) {
  merge(other);
}

vorabsAttributeSet::vorabsAttributeSet(const vorabsAttributeSet& other) { merge(other); }

vorabsAttributeSet& vorabsAttributeSet::operator=(const vorabsAttributeSet& other) {
  become(other);
  return *this;
}

vorabsAttributeSet::~vorabsAttributeSet() { clear(); }

void vorabsAttributeSet::become(const vorabsAttributeSet& other) {
  if (this == &other)
    return;
  clear();
  merge(other);
}

const vorabsAttributeSet::Entry* vorabsAttributeSet::find(const vorabsAttributeKey& key) const {
  for (const Entry& entry : entries_)
    if (entry.key == key)
      return &entry;
  return nullptr;
}

vorabsAttributeSet::Entry* vorabsAttributeSet::find(const vorabsAttributeKey& key) {
  for (Entry& entry : entries_)
    if (entry.key == key)
      return &entry;
  return nullptr;
}

void vorabsAttributeSet::store(const vorabsAttributeKey& key, vorabsAttributePtrBase* value) {
  if (Entry* entry = find(key)) {
    delete entry->value;
    entry->value = value;
  } else {
    entries_.push_back(Entry{key, value});
  }
}

int vorabsAttributeSet::get(const vorabsAttributeKey& key, vorabsAttributePtrBase& ptr) const {
  const Entry* entry = find(key);
  if (!entry || !entry->value)
    return 0;
  ptr.point_to(*entry->value);
  return 1;
}

void vorabsAttributeSet::check_out(const vorabsAttributeKey& key, vorabsAttributePtrBase& ptr) {
  vorabsAttributePtrBase* value = ptr.make_new();
  store(key, value);
  ptr.point_to(*value);
}

int vorabsAttributeSet::remove(const vorabsAttributeKey& key) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it)
    if (it->key == key) {
      delete it->value;
      entries_.erase(it);
      return 1;
    }
  return 0;
}

void vorabsAttributeSet::clear() {
  for (Entry& entry : entries_)
    delete entry.value;
  entries_.clear();
}

void vorabsAttributeSet::merge(const vorabsAttributeSet& other) {
  if (this == &other)
    return;
  if (entries_.empty())
    entries_.reserve(other.entries_.size());
  for (const Entry& entry : other.entries_)
    store(entry.key, entry.value->clone());
}
