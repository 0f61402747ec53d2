// Tests of the colour value: the colour-number rule, names and brightness inversion.
#include "vorabsColour.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
int number_of(double r, double g, double b) {
  return vorabsColour::rgb_to_colour_number(r, g, b);
}

struct HueProbe : vorabsColour {
  using vorabsColour::hue;
};

// The colour of chroma 0.4 around mid-grey whose approximated hue is the given
// number of turns: the wheel angle is found by bisection (the approximation
// rises monotonically with the angle), then a = r - (g+b)/2 and
// c = sqrt(3)/2 (g-b) are inverted.
int number_at_hue(double turns) {
  double low = 0, high = 2 * M_PI;
  for (int i = 0; i < 200; ++i) {
    double mid = 0.5 * (low + high);
    (HueProbe::hue(std::sin(mid), std::cos(mid)) < turns ? low : high) = mid;
  }
  double a = 0.4 * std::cos(low), c = 0.4 * std::sin(low);
  double r = 0.5 + 2.0 * a / 3.0;
  double g = 0.5 - a / 3.0 + c / std::sqrt(3.0);
  double b = 0.5 - a / 3.0 - c / std::sqrt(3.0);
  return number_of(r, g, b);
}
} // namespace

TEST(vorabsColourTest, ColourNumbersOfTheReferenceColoursAndTheGreyEdges) {
  // The reference colours, then the edges: greys split at luminance 0.3r + 0.6g + 0.1b = 0.1, and a
  // chroma just below 0.15 is grey, just above it has a hue.
  const struct {
    double r, g, b;
    int number;
  } cases[] = {{1, 0, 0, 2},          {0, 1, 0, 3},        {0, 0, 1, 4},          {0, 1, 1, 5},
               {1, 0, 1, 6},          {1, 1, 0, 7},        {0, 0, 0, 0},          {1, 1, 1, 1},
               {0.05, 0.05, 0.05, 0}, {0.5, 0.5, 0.5, 1},  {0.6, 0.5, 0.5, 1},    {1, 0.5, 0, 2},
               {0.5, 0, 1, 6},        {0.1, 0.1, 0.1, 1},  {0.09, 0.09, 0.09, 0}, {0.05, 0, 0, 0},
               {0.649, 0.5, 0.5, 1},  {0.651, 0.5, 0.5, 2}};
  for (const auto& c : cases)
    EXPECT_EQ(number_of(c.r, c.g, c.b), c.number) << c.r << " " << c.g << " " << c.b;
}

TEST(vorabsColourTest, EveryHueSectorBoundary) {
  // Sectors are a sixth of a turn wide, centred on red, yellow, green, cyan,
  // blue and magenta; the boundaries lie at odd twelfths of a turn.
  const int sector_colour[6] = {2, 7, 3, 5, 4, 6};
  const double eps = 1e-3;
  for (int k = 0; k < 6; ++k) {
    double centre = k / 6.0;
    EXPECT_EQ(number_at_hue(centre), sector_colour[k]) << "centre of sector " << k;
    double upper = centre + 1.0 / 12.0;
    EXPECT_EQ(number_at_hue(upper - eps), sector_colour[k]) << "below boundary " << k;
    EXPECT_EQ(number_at_hue(upper + eps), sector_colour[(k + 1) % 6]) << "above boundary " << k;
  }
  // Just below a full turn the hue wraps back to red.
  EXPECT_EQ(number_at_hue(1.0 - eps), 2);
}

TEST(vorabsColourTest, StandardColourNames) {
  const char* names[8] = {"black", "white", "red", "green", "blue", "cyan", "magenta", "yellow"};
  for (int i = 0; i < 8; ++i)
    EXPECT_STREQ(vorabsColour::standard_colour_name(i).c_str(), names[i]);
  EXPECT_STREQ(vorabsColour::standard_colour_name(8).c_str(), "error");
  EXPECT_STREQ(vorabsColour::standard_colour_name(-1).c_str(), "error");
}

TEST(vorabsColourTest, InvertBrightnessMirrorsLightness) {
  vorabsColour black(0);
  black.invert_brightness();
  EXPECT_EQ(black.colour_number(), 1);
  EXPECT_EQ(black.red(), 1);
  vorabsColour red(utString("signal"), 1, 0, 0, -1);
  red.invert_brightness();
  EXPECT_EQ(red.colour_number(), 2);
  EXPECT_EQ(red.red(), 1);
  EXPECT_STREQ(red.name().c_str(), "signal");
  // A dark blue becomes a light blue: chroma kept, number still blue.
  vorabsColour navy(utString(), 0, 0, 0.5, -1);
  navy.invert_brightness();
  EXPECT_DOUBLE_EQ(navy.red(), 0.5);
  EXPECT_DOUBLE_EQ(navy.blue(), 1.0);
  EXPECT_EQ(navy.colour_number(), 4);
}
