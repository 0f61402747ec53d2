// Tests of the curve and surface library: handles, copies, and transforms
// that move or are refused.
#include "vel.h"

#include "TestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double pi = M_PI;

// Nonzero when the curve traces xform applied to reference at a few parameters.
::testing::AssertionResult traces_image(const velCurve3& curve, const velCurve3& reference,
                                        const giXform3& xform) {
  double t0 = 0, t1 = 0;
  reference.parameter_range(t0, t1);
  for (int i = 0; i <= 4; ++i) {
    double t = t0 + (t1 - t0) * i / 4.0;
    auto result = near(curve.position(t), xform * reference.position(t), 1e-9);
    if (!result)
      return result << " at t = " << t;
  }
  return ::testing::AssertionSuccess();
}

const giXform3 shift(giXformTranslate, giVector3(1, 2, 3));

} // namespace

TEST(velCurve3Test, HandlesShareTheCurveCopiesMoveAloneAndBadTransformsAreRefused) {
  velCurvePtr3 line(new velLine3(giPoint3(0, 0, 0), giPoint3(2, 0, 0)));
  velCurvePtr3 shared = line;
  velCurvePtr3 copy = line->copy();
  ASSERT_TRUE(velCurve3::transform(shared, shift));
  EXPECT_TRUE(near(line->position(0), giPoint3(1, 2, 3)));
  EXPECT_TRUE(near(copy->position(0), giPoint3(0, 0, 0)));

  EXPECT_FALSE(velCurve3::transform(velCurvePtr3(), shift));
  EXPECT_FALSE(velCurve3::transform(copy, giXform3()));
  // A perspective that sends x = 1 to infinity cannot keep the segment whole.
  double m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {-1, 0, 0, 1}};
  EXPECT_FALSE(velCurve3::transform(copy, giXform3(m)));
  EXPECT_TRUE(near(copy->position(1), giPoint3(2, 0, 0)));
  // A non-uniform scale keeps a line a line.
  EXPECT_TRUE(velCurve3::transform(copy, diagonal(2, 3, 4)));
  EXPECT_TRUE(near(copy->position(1), giPoint3(4, 0, 0)));
}

TEST(velCircArc3Test, RefusesNonUniformScaleAndFollowsSimilarities) {
  velCircArc3 original(giPoint3(1, 1, 0), giVector3(0, 0, 2), giVector3(3, 0, 1), 2, 0, pi / 2);
  ASSERT_FALSE(original.invalid());
  EXPECT_TRUE(near(original.position(pi / 2), giPoint3(1, 3, 0)));

  velCurvePtr3 arc = original.copy();
  EXPECT_FALSE(velCurve3::transform(arc, diagonal(2, 1, 1)));
  EXPECT_TRUE(traces_image(*arc, original, giXform3(giXformIdentity)));

  giXform3 scaled = diagonal(3, 3, 3);
  scaled.premultiply(rotation(giPoint3(0, 0, 0), giVector3(0, 0, 1), pi / 2));
  ASSERT_TRUE(velCurve3::transform(arc, scaled));
  EXPECT_DOUBLE_EQ(static_cast<velCircArc3&>(*arc).radius(), 6);
  EXPECT_TRUE(traces_image(*arc, original, scaled));

  velCurvePtr3 mirrored = original.copy();
  giXform3 mirror = diagonal(1, -1, 1);
  ASSERT_TRUE(velCurve3::transform(mirrored, mirror));
  EXPECT_TRUE(traces_image(*mirrored, original, mirror));
  EXPECT_TRUE(
      near(giPoint3(0, 0, 0) + static_cast<velCircArc3&>(*mirrored).normal(), giPoint3(0, 0, 1)));

  EXPECT_TRUE(
      velCircArc3(giPoint3(0, 0, 0), giVector3(0, 0, 1), giVector3(0, 0, 5), 1, 0, 1).invalid());
  EXPECT_TRUE(velCircArc3(giPoint3(0, 0, 0), giVector3(0, 0, 1), giVector3(1, 0, 0), 0, 0, 1)
                  .position(0)
                  .invalid());
}

TEST(velSurfTest, PlanesMoveWithShapePreservingTransformsOnly) {
  velSurfPtr plane(
      new velPlane(giWorkplane3(giPoint3(0, 0, 1), giVector3(1, 0, 0), giVector3(0, 1, 0))));
  velSurfPtr copy = plane->copy();
  EXPECT_FALSE(velSurf::transform(copy, diagonal(1, 2, 1)));
  EXPECT_TRUE(near(copy->position(0.5, 1), plane->position(0.5, 1)));
  giXform3 grown = diagonal(2, 2, 2);
  grown.premultiply(shift);
  ASSERT_TRUE(velSurf::transform(copy, grown));
  EXPECT_TRUE(near(copy->position(0.5, 1), grown * plane->position(0.5, 1)));
  EXPECT_FALSE(velSurf::transform(velSurfPtr(), shift));
}
