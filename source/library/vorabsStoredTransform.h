// vorabsStoredTransform.h - a transform held by reference to a shared value when it can be.
//
// Almost every entity is translated unplaced, so translators and their memo
// entries mostly hold the identity, and a default memo entry holds the unset
// transform. Those two share one static copy each; any other value lives in
// a block on the heap that the holder owns and reuses when it is assigned
// again. A shared copy stands in only for a value equal to it bit for bit,
// so what get() answers is always exactly what was stored.
#pragma once

#include "vorabs_export.h"

#include "gi.h"

class VORABS_API vorabsStoredTransform {
public:
  // The unset transform.
  vorabsStoredTransform() = default;
  explicit vorabsStoredTransform(giXformIdentityMarker) : value_(&identity()) {}
  explicit vorabsStoredTransform(const giXform3& transform) { assign(transform); }
  vorabsStoredTransform(const vorabsStoredTransform& other) { *this = other; }
  vorabsStoredTransform& operator=(const vorabsStoredTransform& other) {
    if (other.value_ != other.owned_)
      value_ = other.value_; // a shared value needs no test
    else
      assign(other.get());
    return *this;
  }
  ~vorabsStoredTransform() { delete owned_; }

  const giXform3& get() const { return *value_; }
  void assign(const giXform3& transform);
  // Nonzero when both hold the shared identity or both the shared unset
  // value: then they are equal with no tolerance, without reading them.
  int same_shared(const vorabsStoredTransform& other) const {
    return value_ == other.value_ && value_ != owned_;
  }

  static const giXform3& identity();
  static const giXform3& unset();

private:
  const giXform3* value_ = &unset();
  giXform3* owned_ = nullptr; // the heap block, once one was needed
};
