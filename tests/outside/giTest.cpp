// Tests of the geometry library: transform classification, points and
// vectors under transforms, equality, unset values and boxes.
#include "gi.h"

#include "TestHelpers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace {

const double pi = M_PI;

const giPoint3 origin(0, 0, 0);
const giVector3 x_axis(1, 0, 0), z_axis(0, 0, 1);

} // namespace

TEST(giXform3Test, ClassifiesItselfFromItsMatrix) {
  double unit[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  double doubled_unit[4][4] = {{2, 0, 0, 0}, {0, 2, 0, 0}, {0, 0, 2, 0}, {0, 0, 0, 2}};
  double nearly_unit[4][4] = {{1 + 1e-14, 0, 0, 0}, {0, 1, 1e-14, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  double shear[4][4] = {{1, 0.5, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  double almost_rotation[4][4] = {{1, 1e-6, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  double flatten[4][4] = {{1, 0, 0, 4}, {0, 1, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 1}};
  double perspective[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0.5, 1}};
  double flat_perspective[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 0, 0}, {0, 0, 1, 0}};
  double no_weight[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 0}};
  double broken[4][4] = {{NAN, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  // A uniform scale stays one after a rotation and a move.
  giXform3 placed_scale = diagonal(0.5, 0.5, 0.5);
  placed_scale.premultiply(rotation(giPoint3(1, 2, 3), giVector3(1, -1, 2), 0.7));
  const struct {
    const char* what;
    giXform3 xform;
    int code;
  } cases[] = {
      {"identity matrix", giXform3(unit), giXFORM_IDENTITY},
      {"homogeneous identity", giXform3(doubled_unit), giXFORM_IDENTITY},
      {"identity within tolerance", giXform3(nearly_unit), giXFORM_IDENTITY},
      {"translation in xy", giXform3(giXformTranslate, giVector3(1, 2, 0)),
       giXFORM_PLANAR_TRANSLATION},
      {"translation in z", giXform3(giXformTranslate, giVector3(0, 0, 3)), giXFORM_TRANSLATION},
      {"rotation about z", rotation(origin, z_axis, 0.3), giXFORM_PLANAR_ROTATION},
      {"rotation about a z parallel", rotation(giPoint3(1, 0, 0), z_axis, pi / 2),
       giXFORM_PLANAR_MOTION},
      {"rotation about x", rotation(origin, x_axis, pi / 2), giXFORM_ROTATION},
      {"rotation about an x parallel", rotation(giPoint3(0, 1, 0), x_axis, pi / 2), giXFORM_MOTION},
      {"full turn", rotation(giPoint3(5, 6, 7), giVector3(1, 1, 1), 2 * pi), giXFORM_IDENTITY},
      {"uniform scale", diagonal(2, 2, 2), giXFORM_SIMILARITY},
      {"placed uniform scale", placed_scale, giXFORM_SIMILARITY},
      {"mirror", diagonal(1, 1, -1), giXFORM_REFLECTION},
      {"scaled mirror", diagonal(-3, 3, 3), giXFORM_REFLECTION},
      {"axial scale", diagonal(1, 2, 3), giXFORM_AXIAL_SCALE},
      {"mirror with unequal scales", diagonal(-1, 2, 2), giXFORM_AXIAL_SCALE},
      {"shear", giXform3(shear), giXFORM_AFFINE},
      {"beyond tolerance", giXform3(almost_rotation), giXFORM_AFFINE},
      {"projection onto a plane", giXform3(flatten), giXFORM_SINGULAR_AFFINE},
      {"perspective", giXform3(perspective), giXFORM_PROJECTIVE},
      {"singular perspective", giXform3(flat_perspective), giXFORM_SINGULAR_PROJECTIVE},
      {"zero weight", giXform3(no_weight), giXFORM_SINGULAR_PROJECTIVE},
      {"default", giXform3(), giXFORM_UNSET},
      {"not a number", giXform3(broken), giXFORM_UNSET},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.xform.code(), c.code) << c.what;
}

TEST(giXform3Test, PointsTakeTheTranslationVectorsDoNot) {
  giXform3 x = rotation(origin, z_axis, pi / 2);
  x.premultiply(giXform3(giXformTranslate, giVector3(10, 20, 30)));
  EXPECT_TRUE(near(x * giPoint3(1, 0, 0), giPoint3(10, 21, 30)));
  EXPECT_TRUE(near(x * giVector3(1, 0, 0), giVector3(0, 1, 0)));

  double perspective[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 1, 1}};
  giXform3 view(perspective);
  EXPECT_TRUE(near(view * giPoint3(2, 4, 1), giPoint3(1, 2, 0.5)));
  EXPECT_TRUE((view * giPoint3(2, 4, -1)).invalid()); // sent to infinity

  EXPECT_TRUE((x * giPoint3()).invalid());
  EXPECT_TRUE((giXform3() * giPoint3(1, 2, 3)).invalid());
  EXPECT_EQ(giXform3() * giVector3(1, 2, 3), giVector3());
}

TEST(giXform3Test, EqualComparesEntriesWithinToleranceAndMatrixIsKeptDividedThrough) {
  giXform3 a(giXformTranslate, giVector3(1, 0, 0));
  giXform3 b(giXformTranslate, giVector3(1 + 1e-9, 0, 0));
  EXPECT_TRUE(equal(a, b, 1e-6));
  EXPECT_FALSE(equal(a, b, 1e-12));
  EXPECT_TRUE(equal(rotation(origin, x_axis, 0.4), rotation(origin, x_axis, 0.4), 0.0));
  EXPECT_FALSE(equal(giXform3(), giXform3(giXformIdentity), 1.0));

  // Read row by row; an affine matrix with weight 2 is kept divided through.
  double weighted[4][4] = {{2, 0, 0, 6}, {0, 2, 0, 8}, {0, 0, 2, 0}, {0, 0, 0, 2}};
  giXform3 w(weighted);
  EXPECT_EQ(giXform3Acc::matrix_value(w, 0, 0), 1.0);
  EXPECT_EQ(giXform3Acc::matrix_value(w, 1, 3), 4.0);
  EXPECT_EQ(giXform3Acc::matrix_value(w, 3, 1), 0.0);
  EXPECT_TRUE(equal(w, giXform3(giXformTranslate, giVector3(3, 4, 0)), 0.0));
}

TEST(giPoint3Test, UnsetValuesAreMarkedByDblMaxAndBoxesIgnoreThem) {
  // A point is unset by DBL_MAX in any coordinate or -DBL_MAX in x; an angle by DBL_MAX.
  for (const giPoint3& unset : {giPoint3(), giPoint3(DBL_MAX, 0, 0), giPoint3(-DBL_MAX, 0, 0),
                                giPoint3(0, DBL_MAX, 0), giPoint3(0, 0, DBL_MAX)})
    EXPECT_TRUE(unset.invalid()) << unset.x << " " << unset.y << " " << unset.z;
  for (const giPoint3& set : {giPoint3(0, -DBL_MAX, 0), giPoint3(0, 0, -DBL_MAX), origin})
    EXPECT_FALSE(set.invalid()) << set.x << " " << set.y << " " << set.z;
  EXPECT_TRUE(giAngle().invalid());
  EXPECT_EQ(giVector3().normalised(), giVector3());

  giBox3 box;
  EXPECT_TRUE(box.invalid());
  box.add(giPoint3(1, -2, 3));
  box.add(giPoint3(-1, 5, 0));
  box.add(giPoint3()); // ignored
  EXPECT_EQ(box.min(), giPoint3(-1, -2, 0));
  EXPECT_EQ(box.max(), giPoint3(1, 5, 3));
  giBox3 corners(giPoint3(2, 0, 9), giPoint3(0, 3, 1));
  EXPECT_EQ(corners.min(), giPoint3(0, 0, 1));
  EXPECT_EQ(corners.max(), giPoint3(2, 3, 9));
  EXPECT_TRUE(giBox3(giPoint3(), giPoint3(1, 1, 1)).invalid());
}
