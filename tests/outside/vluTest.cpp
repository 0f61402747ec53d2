// Tests of the curve embedder: exact pieces, polylines within the tolerance, refusal off the plane.
#include "vlu.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double pi = std::acos(-1.0);

// A sine wave in the xy plane, lifted by lift at its middle.
class Wave final : public velCurve3 {
public:
  explicit Wave(double lift) : lift_(lift) {}
  velCurvePtr3 copy() const override { return velCurvePtr3(new Wave(lift_)); }
  void transform_in_place(const giXform3&) override {}
  giPoint3 position(double t) const override {
    return giPoint3(t, std::sin(t), t > 1.5 && t < 1.7 ? lift_ : 0.0);
  }
  void parameter_range(double& t0, double& t1) const override {
    t0 = 0.0;
    t1 = pi;
  }
  const char* kind() const override { return "wave"; }

private:
  double lift_;
};

struct Embedded {
  int ok;
  velCurvePtr2coPageArr pieces;
};

Embedded embed(velCurve3* curve, double tolerance = 1e-4) {
  Embedded result;
  vluCurveEmbedder embedder(velSurfPtr(new velPlane(giWorkplane3(giWorkplaneWorld))));
  result.ok = embedder.embed_curve(velCurvePtr3(curve), tolerance, 1e-6, result.pieces);
  return result;
}

TEST(vluCurveEmbedderTest, ArcsComeBackExactlyInTheirOwnDirection) {
  // Seen from +z, an arc about -z runs clockwise.
  Embedded clockwise = embed(
      new velCircArc3(giPoint3(1, 2, 0), giVector3(0, 0, -1), giVector3(0, 1, 0), 3, 0, pi / 2));
  ASSERT_TRUE(clockwise.ok);
  ASSERT_EQ(clockwise.pieces.size(), 1u);
  const auto& arc = dynamic_cast<const velCircArc2&>(*clockwise.pieces[0]);
  EXPECT_EQ(arc.radius(), 3.0);
  const giPoint2 start = arc.start_position(), end = arc.end_position();
  EXPECT_NEAR(start.x, 1, 1e-12);
  EXPECT_NEAR(start.y, 5, 1e-12);
  EXPECT_NEAR(end.x, 4, 1e-12);
  EXPECT_NEAR(end.y, 2, 1e-12);
}

TEST(vluCurveEmbedderTest, OtherCurvesBecomePolylinesWithinTheTolerance) {
  Embedded wave = embed(new Wave(0.0), 1e-4);
  ASSERT_TRUE(wave.ok);
  const auto& polyline = dynamic_cast<const velPolyline2&>(*wave.pieces[0]);
  ASSERT_GT(polyline.num_points(), 20);
  for (int i = 0; i + 1 < polyline.num_points(); ++i) {
    const giPoint2 a = polyline.point(i), b = polyline.point(i + 1);
    // The curve's middle point of the span, off the chord.
    const double mid = 0.5 * (a.x + b.x), dx = b.x - a.x, dy = b.y - a.y;
    const double off = std::fabs(dx * (std::sin(mid) - a.y) - dy * (mid - a.x));
    EXPECT_LE(off / std::hypot(dx, dy), 1e-4);
  }
}

TEST(vluCurveEmbedderTest, CurvesThatLeaveThePlaneAreRefused) {
  EXPECT_FALSE(embed(new Wave(1e-3)).ok);
  EXPECT_FALSE(embed(new velLine3(giPoint3(0, 0, 0), giPoint3(1, 0, 1e-3))).ok);
  EXPECT_FALSE(
      embed(new velCircArc3(giPoint3(0, 0, 0), giVector3(0, 1, 1), giVector3(1, 0, 0), 1, 0, 1))
          .ok);
}

} // namespace
