// plotPatternTest.cpp - hatch pattern lines: where the families lie, their dashes, and patterns
// too dense to draw.
#include "plotPattern.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

plotBox box(double x0, double y0, double x1, double y1) {
  plotBox b;
  b.add(x0, y0);
  b.add(x1, y1);
  return b;
}

TEST(plotPatternTest, LinesRepeatAtTheirOffsetAndKeepTheirDashes) {
  std::vector<plotOp> ops;
  // Horizontal lines 2 apart, dashes of 3 drawn, 1 gap, starting at x 0.
  ASSERT_TRUE(plot_pattern_lines("0,0,0,0,2,3,-1", box(0, 0, 10, 10), ops));
  ASSERT_EQ(ops.size() % 2, 0u);
  std::vector<double> heights;
  for (size_t i = 0; i < ops.size(); i += 2) {
    EXPECT_EQ(ops[i].kind, plotOpKind::MOVE);
    EXPECT_DOUBLE_EQ(ops[i].y, ops[i + 1].y); // along x
    EXPECT_LE(ops[i + 1].x - ops[i].x, 3 + 1e-9);
    EXPECT_NEAR(std::fmod(ops[i].y + 100, 2.0), 0.0, 1e-9);
    // Every dash starts on a multiple of the period 4 (or where the box cuts it).
    const double phase = std::fmod(ops[i].x + 400, 4.0);
    EXPECT_TRUE(std::fabs(phase) < 1e-9 || std::fabs(ops[i].x) < 1e-9) << ops[i].x;
  }
  // The line at y 4 has dashes from 0 to 3, 4 to 7 and 8 to 10.
  int at_four = 0;
  for (size_t i = 0; i < ops.size(); i += 2)
    at_four += std::fabs(ops[i].y - 4) < 1e-9;
  EXPECT_EQ(at_four, 3);
}

TEST(plotPatternTest, TurnedFamiliesCoverTheBoxAndDensePatternsAreRefused) {
  std::vector<plotOp> ops;
  ASSERT_TRUE(plot_pattern_lines("45,0,0,-1,1;135,0,0,-1,-1", box(0, 0, 10, 10), ops));
  for (size_t i = 0; i < ops.size(); i += 2)
    EXPECT_NEAR(std::fabs(ops[i + 1].x - ops[i].x), std::fabs(ops[i + 1].y - ops[i].y), 1e-9);
  EXPECT_GT(ops.size(), 40u); // two families of lines about 0.7 apart over a 10 x 10 box
  ops.clear();
  EXPECT_FALSE(plot_pattern_lines("0,0,0,0,0.00001", box(0, 0, 10, 10), ops));
  EXPECT_FALSE(plot_pattern_lines("0,0,zero", box(0, 0, 10, 10), ops));
}

} // namespace
