// vorabsStoredTransform.cpp - a transform held by reference to a shared value when it can be.
#include "vorabsStoredTransform.h"

#include <cstring>

namespace {

// Bit for bit: a negative zero is not taken for a zero.
bool same_bits(const giXform3& a, const giXform3& b) {
  if (a.code() != b.code())
    return false;
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column) {
      double x = giXform3Acc::matrix_value(a, row, column);
      double y = giXform3Acc::matrix_value(b, row, column);
      if (std::memcmp(&x, &y, sizeof x) != 0)
        return false;
    }
  return true;
}

} // namespace

const giXform3& vorabsStoredTransform::identity() {
  static const giXform3 value(giXformIdentity);
  return value;
}

const giXform3& vorabsStoredTransform::unset() {
  static const giXform3 value;
  return value;
}

void vorabsStoredTransform::assign(const giXform3& transform) {
  if (&transform == value_)
    return;
  if (transform.identity() && same_bits(transform, identity())) {
    value_ = &identity();
  } else if (transform.invalid() && same_bits(transform, unset())) {
    value_ = &unset();
  } else {
    if (!owned_)
      owned_ = new giXform3(transform);
    else
      *owned_ = transform;
    value_ = owned_;
  }
}
