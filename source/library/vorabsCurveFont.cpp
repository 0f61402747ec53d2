// vorabsCurveFont.cpp - a named curve font with an optional dash pattern.
#include "vorabsCurveFont.h"

void vorabsCurveFont::set_num_segments(int n) {
  lengths_ = doublecoFixedArr(n > 0 ? static_cast<size_t>(n) : 0);
  for (double& length : lengths_)
    length = 0;
}

void vorabsCurveFont::become(const vorabsCurveFont& other) {
  if (this == &other)
    return;
  name_ = other.name_;
  first_visible_ = other.first_visible_;
  lengths_ = other.lengths_;
}
