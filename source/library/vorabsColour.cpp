// vorabsColour.cpp - an RGB colour with a name and one of eight standard numbers.
#include "vorabsColour.h"

#include <algorithm>
#include <cmath>

namespace {
struct StandardColour {
  double red, green, blue;
  const char* name;
};
const StandardColour standard_colours[8] = {
    {0, 0, 0, "black"}, {1, 1, 1, "white"}, {1, 0, 0, "red"},     {0, 1, 0, "green"},
    {0, 0, 1, "blue"},  {0, 1, 1, "cyan"},  {1, 0, 1, "magenta"}, {1, 1, 0, "yellow"},
};
} // namespace

vorabsColour::vorabsColour(int number) : number_(number) {
  if (number >= 0 && number < 8) {
    red_ = standard_colours[number].red;
    green_ = standard_colours[number].green;
    blue_ = standard_colours[number].blue;
  }
}

vorabsColour::vorabsColour(const utString& name, double red, double green, double blue, int number)
    : red_(red), green_(green), blue_(blue), name_(name),
      number_(number == -1 ? rgb_to_colour_number(red, green, blue) : number) {}

void vorabsColour::invert_brightness() {
  double d = 1.0 - std::max({red_, green_, blue_}) - std::min({red_, green_, blue_});
  red_ += d;
  green_ += d;
  blue_ += d;
  number_ = rgb_to_colour_number(red_, green_, blue_);
}

int vorabsColour::rgb_to_colour_number(double r, double g, double b) {
  double a = r - 0.5 * (g + b);
  double c = (std::sqrt(3.0) * 0.5) * (g - b);
  if (a * a + c * c < 0.0225)
    return 0.3 * r + 0.6 * g + 0.1 * b >= 0.1 ? 1 : 0;
  double h = 6.0 * hue(c, a) + 0.5;
  if (h >= 6)
    return 2;
  if (h >= 5)
    return 6;
  if (h >= 4)
    return 4;
  if (h >= 3)
    return 5;
  if (h >= 2)
    return 3;
  if (h >= 1)
    return 7;
  return 2;
}

double vorabsColour::hue(double y, double x) {
  if (y < 0)
    return hue(-y, -x) + 0.5;
  if (x < 0)
    return 0.5 - hue(y, -x);
  if (y > x)
    return 0.25 - hue(x, y);
  if (x == 0)
    return 0;
  return 0.125 * y / x;
}

utString vorabsColour::standard_colour_name(int number) {
  return utString(number >= 0 && number < 8 ? standard_colours[number].name : "error");
}
