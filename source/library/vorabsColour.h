// vorabsColour.h - an RGB colour with a name and one of eight standard numbers.
//
// A plain value. The colour number is -1 for "no colour" (invalid) or 0 to 7
// for the standard colours; rgb_to_colour_number reduces any RGB triple to
// the nearest standard colour by hue, or to black or white when nearly grey.
#pragma once

#include "vorabs_export.h"

#include "ut.h"

class VORABS_API vorabsColour {
public:
  vorabsColour() = default;
  explicit vorabsColour(int number);
  // A number of -1 is replaced by the number derived from the components.
  vorabsColour(const utString& name, double red, double green, double blue, int number);

  double red() const { return red_; }
  double green() const { return green_; }
  double blue() const { return blue_; }
  int colour_number() const { return number_; }
  utString name() const { return name_; }
  int invalid() const { return number_ < 0; }

  // Mirrors the lightness and keeps the chroma; the number follows, the name stays.
  void invert_brightness();

  static int rgb_to_colour_number(double red, double green, double blue);
  // "black", "white", ... for 0 to 7; "error" for any other number.
  static utString standard_colour_name(int number);

protected:
  // Angle of the point (x, y) in turns, piecewise linear between eighths.
  static double hue(double y, double x);

private:
  double red_ = 0;
  double green_ = 0;
  double blue_ = 0;
  utString name_;
  int number_ = -1;
};
