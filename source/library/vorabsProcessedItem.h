// vorabsProcessedItem.h - one outcome in a translator's memo, keyed by transform.
//
// The key is the transform under which the entity was translated; the item
// is the annotation item the sink made (for vorabsSTATUS_OK). Entries hash by
// the linear part of the transform only and compare transforms exactly, so a
// transform that differs only in its translation shares a hash but not an
// entry.
#pragma once

#include "vorabs_export.h"

#include "vorabsStoredTransform.h"
#include "vorabsTranslationStatus.h"

#include "ann/ann.h"
#include "co.h"
#include "gi.h"

class VORABS_API vorabsProcessedItem {
public:
  vorabsProcessedItem() = default;
  explicit vorabsProcessedItem(const giXform3& transform) : transform_(transform) {}
  explicit vorabsProcessedItem(const vorabsStoredTransform& transform) : transform_(transform) {}

  const giXform3& transform() const { return transform_.get(); }
  // The held transform, for comparing entries without reading matrices.
  const vorabsStoredTransform& stored_transform() const { return transform_; }
  const annNamedItemPtr& item() const { return item_; }
  void set_item(const annNamedItemPtr& item) { item_ = item; }
  vorabsTranslationStatus status() const { return status_; }
  void set_status(vorabsTranslationStatus status) { status_ = status; }

private:
  vorabsStoredTransform transform_; // most entries share the identity
  annNamedItemPtr item_;
  vorabsTranslationStatus status_ = vorabsSTATUS_UNKNOWN;
};

// Exclusive or of the byte hashes of the nine doubles of the 3 by 3 block.
VORABS_API unsigned int co_hash(const vorabsProcessedItem& entry);
// Transforms equal with zero tolerance; item and status do not count.
VORABS_API int operator==(const vorabsProcessedItem& a, const vorabsProcessedItem& b);

// The same hash and equality for an entry and for the transform it would be
// keyed by, so that the memo is searched without building an entry.
VORABS_API unsigned int co_hash(const vorabsStoredTransform& transform);
VORABS_API int equal_key(const vorabsProcessedItem& entry, const vorabsStoredTransform& transform);

struct vorabsProcessedItemHash {
  size_t operator()(const vorabsProcessedItem& entry) const { return co_hash(entry); }
  size_t operator()(const vorabsStoredTransform& transform) const { return co_hash(transform); }
};
struct vorabsProcessedItemEqual {
  bool operator()(const vorabsProcessedItem& a, const vorabsProcessedItem& b) const {
    return a == b;
  }
  bool operator()(const vorabsProcessedItem& a, const vorabsStoredTransform& b) const {
    return equal_key(a, b);
  }
};

// A translator meets few distinct transforms: a flat set serves the memo.
using vorabsProcessedItemcoSet =
    coFlatSet<vorabsProcessedItem, vorabsProcessedItemHash, vorabsProcessedItemEqual>;
