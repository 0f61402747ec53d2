// vorabsCurveFont.h - a named curve font with an optional dash pattern.
//
// A plain value: the name, the lengths of the pattern's segments (none for a
// solid font) and whether the first segment is drawn. Copies are deep.
#pragma once

#include "vorabs_export.h"

#include "co.h"
#include "ut.h"

using doublecoFixedArr = coFixedArr<double>;

class VORABS_API vorabsCurveFont {
public:
  vorabsCurveFont() = default;
  explicit vorabsCurveFont(const utString& name) : name_(name) {}
  vorabsCurveFont(const vorabsCurveFont& other) { become(other); }
  vorabsCurveFont& operator=(const vorabsCurveFont& other) {
    become(other);
    return *this;
  }
  ~vorabsCurveFont() = default;

  utString name() const { return name_; }
  int invalid() const { return name_.empty(); }
  int num_segments() const { return static_cast<int>(lengths_.size()); }
  // Indices run from 0 to num_segments() - 1 and are not checked.
  double segment_length(int i) const { return lengths_[static_cast<size_t>(i)]; }
  int first_visible() const { return first_visible_; }

  // Replaces the pattern by n zero lengths for the caller to fill.
  void set_num_segments(int n);
  void set_segment_length(int i, double length) { lengths_[static_cast<size_t>(i)] = length; }
  void set_first_visible(int visible) { first_visible_ = visible; }

protected:
  void become(const vorabsCurveFont& other);

private:
  utString name_;
  doublecoFixedArr lengths_;
  int first_visible_ = 1;
};
