// gi.cpp - the geometry library: vector arithmetic, transforms, workplanes, triangle blocks.
#include "gi.h"

#include <cmath>

double giVector3::length() const { return std::sqrt(dot(*this)); }

giVector3 giVector3::normalised() const {
  double l = length();
  return l > 0.0 ? giVector3(x / l, y / l, z / l) : giVector3();
}
