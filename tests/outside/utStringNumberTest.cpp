// Doubles streamed into a utString: the short decimals that names carry
// (line widths, font heights) take a quick road that must write exactly
// what the general shortest round-trip conversion writes.
#include "ut.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

std::string streamed(double value) {
  utString text("");
  text << value;
  return text.c_str();
}

std::string shortest(double value) {
  char text[64];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

} // namespace

TEST(utStringNumberTest, DoublesReadBackInTheirShortestForm) {
  EXPECT_EQ(streamed(0.3), "0.3");
  EXPECT_EQ(streamed(2.5), "2.5");
  EXPECT_EQ(streamed(-0.035), "-0.035");
  EXPECT_EQ(streamed(100000.0), "1e+05");
  for (int i = -30000; i <= 30000; i += 7)
    for (double scale : {1.0, 10.0, 100.0, 1000.0, 10000.0, 3.0})
      ASSERT_EQ(streamed(i / scale), shortest(i / scale)) << i << " / " << scale;
  const double edges[] = {0.001,
                          0.0009999,
                          99999.9999,
                          1e5,
                          -0.0,
                          0.1 + 0.2,
                          std::nextafter(0.3, 1.0),
                          1.0 / 3,
                          12345.6789,
                          1e-300,
                          std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity()};
  for (double value : edges)
    EXPECT_EQ(streamed(value), shortest(value)) << value;
}
