// Tests of the topology library: deep copies, transforms and turning bodies
// into topologies.
#include "top.h"

#include <gtest/gtest.h>

namespace {

velSurfPtr plane_at(double z) {
  return velSurfPtr(
      new velPlane(giWorkplane3(giPoint3(0, 0, z), giVector3(1, 0, 0), giVector3(0, 1, 0))));
}

double height(const topFace& face) {
  return static_cast<const velPlane&>(*face.surface()).workplane().origin().z;
}

const giXform3 lift(giXformTranslate, giVector3(0, 0, 10));

} // namespace

TEST(topTopologyTest, BecomeIsDeepAndTransformMovesSharedSurfacesOnce) {
  velSurfPtr shared = plane_at(1);
  topTopology original;
  original.add_face(topFace(shared));
  original.add_face(topFace(shared, -1));
  original.add_face(topFace(plane_at(2)));

  topTopology copy;
  copy.become(original);
  ASSERT_EQ(copy.num_faces(), 3);
  EXPECT_FALSE(copy.face(0).surface() == shared);
  EXPECT_TRUE(copy.face(0).surface() == copy.face(1).surface());
  EXPECT_EQ(copy.face(1).sense(), -1);

  ASSERT_TRUE(copy.transform(lift));
  EXPECT_EQ(height(copy.face(0)), 11);
  EXPECT_EQ(height(copy.face(2)), 12);
  EXPECT_EQ(height(original.face(0)), 1);
  EXPECT_EQ(height(original.face(2)), 2);

  topTopology assigned = copy;
  EXPECT_FALSE(assigned.face(2).surface() == copy.face(2).surface());

  // A transform refused by one face moves none of them.
  original.add_face(topFace(velSurfPtr(new velCylinder(giWorkplane3(giWorkplaneWorld), 1))));
  double squash[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 0.5, 0}, {0, 0, 0, 1}};
  EXPECT_FALSE(original.transform(giXform3(squash)));
  EXPECT_FALSE(original.transform(giXform3()));
  EXPECT_EQ(height(original.face(0)), 1);
}

TEST(uqtAQTBodyToTopologyTest, ConvertsAllFacesOrTheFirstOne) {
  topTopology first_shell;
  first_shell.add_face(topFace(plane_at(1)));
  first_shell.add_face(topFace(plane_at(2)));
  topTopology second_shell;
  second_shell.add_face(topFace(plane_at(3)));
  aqtIBody body;
  body.add_shell(topTopology());
  body.add_shell(first_shell);
  body.add_shell(second_shell);
  aqtIBodycoPrf ref(coPrfExtern, &body);

  topTopologyPtr all;
  ASSERT_TRUE(uqtAQTBodyToTopology::convert_shell(ref, all));
  ASSERT_EQ(all->num_faces(), 3);
  EXPECT_EQ(height(all->face(2)), 3);
  ASSERT_TRUE(all->transform(lift));
  EXPECT_EQ(height(body.shell(2).face(0)), 3); // the faces are copies

  topTopologyPtr one;
  ASSERT_TRUE(uqtAQTBodyToTopology::convert_face(ref, one));
  ASSERT_EQ(one->num_faces(), 1);
  EXPECT_EQ(height(one->face(0)), 1);

  topTopologyPtr untouched = one;
  aqtIBodycoPrf faceless(new aqtIBody());
  faceless->add_shell(topTopology());
  EXPECT_FALSE(uqtAQTBodyToTopology::convert_shell(aqtIBodycoPrf(), untouched));
  EXPECT_FALSE(uqtAQTBodyToTopology::convert_face(aqtIBodycoPrf(), untouched));
  EXPECT_FALSE(uqtAQTBodyToTopology::convert_shell(faceless, untouched));
  EXPECT_FALSE(uqtAQTBodyToTopology::convert_face(faceless, untouched));
  EXPECT_TRUE(untouched == one);

  // A body moves every shell, or none when the transform is refused.
  ASSERT_TRUE(body.transform(lift));
  EXPECT_EQ(height(body.shell(1).face(1)), 12);
  EXPECT_EQ(height(body.shell(2).face(0)), 13);
  EXPECT_EQ(height(first_shell.face(0)), 1);
  double stretch[4][4] = {{2, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  EXPECT_FALSE(body.transform(giXform3(stretch)));
  EXPECT_EQ(height(body.shell(1).face(1)), 12);
}
