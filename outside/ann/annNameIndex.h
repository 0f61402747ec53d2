// annNameIndex.h - a document's items by the name they were adopted under and their name space.
//
// Each name and name space leads to a chain of the items adopted under it,
// in adoption order, linked through the items themselves into a ring: the
// last links back to the first, so that the index holds one end of each
// chain and reaches both. It refers to the items, which the document owns.
// The chains sit in one open-addressed table of two-word slots, so that
// adding a name costs no allocation of its own and growing the table moves
// plain slots. A slot keeps no copy of its key: the name and space are those
// of the items of its chain, so an item keeps its name while it is in the
// index.
#pragma once

#include "ut.h"
#include "vorout_export.h"

#include <cstddef>
#include <vector>

class annNamedItem;
class annNameSpace;

class VOROUT_API annNameIndex {
public:
  // The items of one name and space, oldest first: for (item = chain.first();
  // item; item = chain.next(item)). Valid until the next change to the index.
  class Chain {
  public:
    explicit Chain(annNamedItem* last) : last_(last) {}
    annNamedItem* first() const;
    annNamedItem* next(const annNamedItem* item) const;

  private:
    annNamedItem* last_;
  };
  // The chain of name in space; empty when there is none.
  Chain find(const utString& name, const annNameSpace* space) const;
  // Puts item at the end of the chain of its name and name space.
  void insert(annNamedItem* item);
  // Takes item out of the chain of its name and name space; nothing when it
  // is not there.
  void remove(annNamedItem* item);
  size_t size() const { return size_; }

private:
  // Empty while last is null.
  struct Slot {
    size_t hash = 0;
    annNamedItem* last = nullptr;
  };
  static size_t hash_of(const utString& name, const annNameSpace* space);
  // The slot of name in space, or the empty slot where it would go.
  size_t position(const utString& name, const annNameSpace* space, size_t hash) const;
  void grow();
  // Empties the slot at hole, keeping every probe run whole.
  void erase(size_t hole);
  std::vector<Slot> slots_;
  size_t size_ = 0;
};
