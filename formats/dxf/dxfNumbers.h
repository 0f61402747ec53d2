// dxfNumbers.h - the one way a number read from a DXF file becomes an integer.
//
// Files carry integers as text, and some writers put reals (or numbers far
// outside any sensible range) where an integer belongs. Converting such a
// value with a plain cast is undefined behaviour when it lies outside the
// target type, so every integer field of the reader (degrees, counts, flags,
// colour numbers, lineweights, indices) goes through dxf_checked_int with
// the range the field allows, and takes the field's default when the value
// lies outside. The parser reports each such value as a warning naming its
// line; nothing here keeps state.
#pragma once

#include <climits>

// The widest range an integer field may take: symmetric, so that negating
// or taking the magnitude of any value read is defined.
constexpr int dxf_int_min = -INT_MAX;
constexpr int dxf_int_max = INT_MAX;

// value as an int when it lies within [low, high], a real truncated toward
// zero as other readers do; otherwise (NaN and infinities included) out
// becomes fallback and the answer is false.
inline bool dxf_checked_int(double value, int low, int high, int fallback, int& out) {
  // high + 1 is exact in a double for every int, and truncation keeps a
  // value below it within high.
  if (!(value >= double(low) && value < double(high) + 1.0)) {
    out = fallback;
    return false;
  }
  out = int(value);
  return true;
}

inline bool dxf_checked_int(long long value, int low, int high, int fallback, int& out) {
  if (value < low || value > high) {
    out = fallback;
    return false;
  }
  out = int(value);
  return true;
}
