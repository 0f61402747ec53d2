// annNameIndex.cpp - a document's items by the name they were adopted under and their name space.
#include "annNameIndex.h"

#include "annItem.h"
#include "co.h"

#include <cstdint>
#include <functional>

size_t annNameIndex::hash_of(const utString& name, const annNameSpace* space) {
  // The space's address, mixed so that its low (aligned) bits matter, then
  // folded into the name's hash; the table uses the low bits.
  uint64_t mixed = uint64_t(reinterpret_cast<uintptr_t>(space)) * UINT64_C(0x9E3779B97F4A7C15);
  uint64_t hash = uint64_t(coHasher<utString>()(name)) ^ (mixed >> 17);
  hash ^= hash >> 29;
  hash *= UINT64_C(0xBF58476D1CE4E5B9);
  hash ^= hash >> 32;
  return size_t(hash);
}

size_t annNameIndex::position(const utString& name, const annNameSpace* space, size_t hash) const {
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (!slot.last)
      return i;
    const annNamedItem* held = slot.last;
    if (slot.hash == hash && held->name_space().get() == space && held->name() == name)
      return i;
  }
}

annNamedItem* annNameIndex::Chain::first() const {
  return last_ ? last_->next_same_name_ : nullptr;
}

annNamedItem* annNameIndex::Chain::next(const annNamedItem* item) const {
  return item == last_ ? nullptr : item->next_same_name_;
}

annNameIndex::Chain annNameIndex::find(const utString& name, const annNameSpace* space) const {
  if (size_ == 0)
    return Chain(nullptr);
  return Chain(slots_[position(name, space, hash_of(name, space))].last);
}

void annNameIndex::insert(annNamedItem* item) {
  // At most three quarters full, so that probes stay short.
  if (4 * (size_ + 1) > 3 * slots_.size())
    grow();
  const annNameSpace* space = item->name_space().get();
  const size_t hash = hash_of(item->name(), space);
  Slot& slot = slots_[position(item->name(), space, hash)];
  if (!slot.last) {
    slot.hash = hash;
    slot.last = item;
    item->next_same_name_ = item;
    ++size_;
    return;
  }
  item->next_same_name_ = slot.last->next_same_name_;
  slot.last->next_same_name_ = item;
  slot.last = item;
}

void annNameIndex::remove(annNamedItem* item) {
  if (size_ == 0 || !item->next_same_name_)
    return;
  const annNameSpace* space = item->name_space().get();
  const size_t at = position(item->name(), space, hash_of(item->name(), space));
  annNamedItem*& last = slots_[at].last;
  if (!last)
    return;
  // Around the ring from the last item, so that the one before item is at hand.
  annNamedItem* previous = last;
  do {
    annNamedItem* link = previous->next_same_name_;
    if (link == item) {
      if (link == previous) {
        erase(at);
      } else {
        previous->next_same_name_ = link->next_same_name_;
        if (last == link)
          last = previous;
      }
      link->next_same_name_ = nullptr;
      return;
    }
    previous = link;
  } while (previous != last);
}

void annNameIndex::erase(size_t hole) {
  const size_t mask = slots_.size() - 1;
  // Backward shift: each later slot of the same probe run whose home lies
  // at or before the hole moves into it, so that no search stops early.
  for (size_t next = (hole + 1) & mask; slots_[next].last; next = (next + 1) & mask) {
    const size_t home = slots_[next].hash & mask;
    const bool between =
        hole <= next ? (hole < home && home <= next) : (hole < home || home <= next);
    if (between)
      continue;
    slots_[hole] = slots_[next];
    hole = next;
  }
  slots_[hole] = Slot();
  --size_;
}

void annNameIndex::grow() {
  std::vector<Slot> old(slots_.empty() ? 16 : 2 * slots_.size());
  old.swap(slots_);
  const size_t mask = slots_.size() - 1;
  for (Slot& slot : old) {
    if (!slot.last)
      continue;
    size_t i = slot.hash & mask;
    while (slots_[i].last)
      i = (i + 1) & mask;
    slots_[i] = slot;
  }
}
