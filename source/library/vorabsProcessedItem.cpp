// vorabsProcessedItem.cpp - one outcome in a translator's memo, keyed by transform.
#include "vorabsProcessedItem.h"

unsigned int co_hash(const vorabsStoredTransform& transform) {
  giXform3Acc matrix(transform.get());
  unsigned int hash = 0;
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) {
      // Adding +0.0 turns -0.0 into +0.0: the two compare equal, so they
      // must hash alike.
      double value = matrix.matrix_value(row, column) + 0.0;
      hash ^= co_hash(&value, sizeof value);
    }
  return hash;
}

unsigned int co_hash(const vorabsProcessedItem& entry) {
  return co_hash(entry.stored_transform());
}

int equal_key(const vorabsProcessedItem& entry, const vorabsStoredTransform& transform) {
  if (entry.stored_transform().same_shared(transform))
    return 1;
  return equal(entry.transform(), transform.get(), 0.0);
}

int operator==(const vorabsProcessedItem& a, const vorabsProcessedItem& b) {
  return equal_key(a, b.stored_transform());
}
