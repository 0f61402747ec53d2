// Tests of the geometry translators: points, curves, surfaces, workplanes,
// triangle blocks, topologies, faces and bodies, each sent to a sink under
// its translator's transform.
#include "vorabsBodyTranslator.h"
#include "vorabsCurveTranslator.h"
#include "vorabsFaceTranslator.h"
#include "vorabsPointTranslator.h"
#include "vorabsSurfaceTranslator.h"
#include "vorabsTopologyTranslator.h"
#include "vorabsTriblockTranslator.h"
#include "vorabsWorkplaneTranslator.h"

#include "RecordingChannel.h"
#include "RecordingSink.h"
#include "vorabsAttributePtr.h"
#include "vorabsLibSinkTester.h"
#include "vorabsTestFaceTranslator.h"
#include "vorabsTestInterface.h"
#include "vorabsTestPointTranslator.h"

#include "ann/ann.h"
#include "gi.h"
#include "top.h"
#include "vel.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

const double pi = 3.14159265358979323846;

giXform3 translation(double x, double y, double z) {
  return giXform3(giXformTranslate, giVector3(x, y, z));
}

giXform3 diagonal(double sx, double sy, double sz) {
  const double m[4][4] = {{sx, 0, 0, 0}, {0, sy, 0, 0}, {0, 0, sz, 0}, {0, 0, 0, 1}};
  return giXform3(m);
}

::testing::AssertionResult near(const giPoint3& actual, const giPoint3& expected) {
  if (std::fabs(actual.x - expected.x) < 1e-12 && std::fabs(actual.y - expected.y) < 1e-12 &&
      std::fabs(actual.z - expected.z) < 1e-12)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "(" << actual.x << ", " << actual.y << ", " << actual.z << ") is not (" << expected.x
         << ", " << expected.y << ", " << expected.z << ")";
}

void place(vorabsTranslator& translator, const giXform3& transform) {
  giXform3 previous;
  translator.set_transform(transform, previous);
}

// Translators that deliver a stored object with a chosen creation status and
// count how often their attributes are asked for.
class StoredCurve : public vorabsCurveTranslator {
public:
  StoredCurve(const vorabsContext& context, const velCurvePtr3& curve)
      : vorabsCurveTranslator(context), curve(curve) {}
  void attributes(vorabsAttributeSet& set) const override {
    ++attribute_calls;
    vorabsCurveTranslator::attributes(set);
  }
  velCurvePtr3 curve;
  vorabsStatus outcome = vorabsSTATUS_OK;
  mutable int attribute_calls = 0;

protected:
  vorabsTranslationStatus create_curve(velCurvePtr3& made) override {
    made = curve;
    return outcome;
  }
};

class StoredSurface : public vorabsSurfaceTranslator {
public:
  StoredSurface(const vorabsContext& context, const velSurfPtr& surface)
      : vorabsSurfaceTranslator(context), surface(surface) {}
  void attributes(vorabsAttributeSet& set) const override {
    ++attribute_calls;
    vorabsSurfaceTranslator::attributes(set);
  }
  velSurfPtr surface;
  vorabsStatus outcome = vorabsSTATUS_OK;
  mutable int attribute_calls = 0;

protected:
  vorabsTranslationStatus create_surface(velSurfPtr& made) override {
    made = surface;
    return outcome;
  }
};

class StoredWorkplane : public vorabsWorkplaneTranslator {
public:
  StoredWorkplane(const vorabsContext& context, const giWorkplane3& workplane)
      : vorabsWorkplaneTranslator(context), workplane(workplane) {}
  giWorkplane3 workplane;

protected:
  vorabsTranslationStatus create_workplane(giWorkplane3& made) override {
    made = workplane;
    return vorabsSTATUS_OK;
  }
};

class StoredTriblock : public vorabsTriblockTranslator {
public:
  StoredTriblock(const vorabsContext& context, const giTriBlock& block)
      : vorabsTriblockTranslator(context), block(block) {}
  giTriBlock block;

protected:
  vorabsTranslationStatus create_triblock(giTriBlock& made) override {
    made = block;
    return vorabsSTATUS_OK;
  }
};

class StoredBody : public vorabsBodyTranslator {
public:
  StoredBody(const vorabsContext& context, const aqtIBodycoPrf& body)
      : vorabsBodyTranslator(context), body(body) {}
  void attributes(vorabsAttributeSet& set) const override {
    ++attribute_calls;
    vorabsBodyTranslator::attributes(set);
  }
  aqtIBodycoPrf body;
  vorabsStatus outcome = vorabsSTATUS_OK;
  mutable int attribute_calls = 0;

protected:
  vorabsTranslationStatus create_body(const giXform3&, aqtIBodycoPrf& made) override {
    made = body;
    return outcome;
  }
};

// A topology translator whose hooks are scripted and logged.
class HookedTopology : public vorabsTopologyTranslator {
public:
  HookedTopology(const vorabsContext& context, const topTopologyPtr& topology,
                 const annRenderMeshannPtr& mesh)
      : vorabsTopologyTranslator(context), topology(topology), mesh(mesh) {}
  topTopologyPtr topology;
  annRenderMeshannPtr mesh;
  int supply = 1;      // the flag get_render_mesh sets
  int mesh_answer = 1; // what get_render_mesh answers
  std::vector<std::string> log;
  annSurfaceBaseannPtr hooked_surface;

protected:
  vorabsTranslationStatus create_topology(const giXform3&, topTopologyPtr& made) override {
    made = topology;
    return vorabsSTATUS_OK;
  }
  int get_render_mesh(annRenderMeshannPtr& out, int& supplied) override {
    log.push_back(std::string("get_render_mesh ") + (out.invalid() ? "empty" : "filled") + " " +
                  std::to_string(supplied));
    out = mesh;
    supplied = supply;
    return mesh_answer;
  }
  int add_sub_surfaces(annSurfaceBaseannPtr& surface) override {
    log.push_back("add_sub_surfaces");
    hooked_surface = surface;
    return 1;
  }
};

topTopologyPtr plane_topology(const giPoint3& origin) {
  topTopologyPtr topology(new topTopology());
  topology->add_face(topFace(velSurfPtr(
      new velPlane(giWorkplane3(origin, giVector3(1.0, 0.0, 0.0), giVector3(0.0, 1.0, 0.0))))));
  return topology;
}

class vorabsGeometryTranslatorTest : public ::testing::Test {
protected:
  vorabsGeometryTranslatorTest() { context.set_document(&document); }

  // Gives the translator both channels and processes it once.
  vorabsTranslationStatus run(vorabsTranslator& translator, vorabsLibSink& sink,
                              const vorabsAttributeSet& attributes) {
    translator.set_output(&output);
    translator.set_error(&error);
    return translator.process(attributes, receiver, sink);
  }
  vorabsTranslationStatus run(vorabsTranslator& translator, vorabsLibSink& sink) {
    return run(translator, sink, vorabsAttributeSet());
  }

  annDocument document;
  vorabsContext context;
  RecordingChannel output;
  RecordingChannel error;
  vorabsTestInterface receiver;
  vorabsLibSinkTester tester;
  RecordingSink recorder;
};

} // namespace

TEST_F(vorabsGeometryTranslatorTest, EachMemberMarksItsKindAndNamesTheEntity) {
  std::vector<std::unique_ptr<vorabsTranslator>> translators;
  translators.emplace_back(
      new vorabsTestPointTranslator(context, utString("P"), giPoint3(1, 2, 3)));
  translators.emplace_back(
      new StoredCurve(context, velCurvePtr3(new velLine3(giPoint3(0, 0, 0), giPoint3(1, 0, 0)))));
  translators.emplace_back(
      new StoredSurface(context, velSurfPtr(new velPlane(giWorkplane3(giWorkplaneWorld)))));
  translators.emplace_back(new StoredWorkplane(context, giWorkplane3(giWorkplaneWorld)));
  giTriBlock block;
  block.add_feature<giTriArr>()->append(0, 1, 2);
  translators.emplace_back(new StoredTriblock(context, block));
  translators.emplace_back(new HookedTopology(context, plane_topology(giPoint3(0, 0, 0)), {}));
  translators.emplace_back(
      new vorabsTestFaceTranslator(context, utString("F"), plane_topology(giPoint3(0, 0, 0))));
  aqtIBodycoPrf body(new aqtIBody());
  translators.emplace_back(new StoredBody(context, body));

  vorabsAttributeSet caller;
  utStringvorabsAttributePtr colour_name;
  caller.check_out(vorabsPARENT, colour_name);
  *colour_name = utString("assembly");
  for (auto& translator : translators)
    EXPECT_EQ(run(*translator, recorder, caller).status(), vorabsSTATUS_OK);

  EXPECT_EQ(recorder.kinds(),
            (std::vector<std::string>{"point3", "curve3", "surface", "workplane3", "triblock",
                                      "topology", "topology", "body"}));
  const vorabsAttributeKey* kinds[] = {&vorabsPOINT,     &vorabsCURVE,         &vorabsSURFACE,
                                       &vorabsWORKPLANE, &vorabsTRIANGLEBLOCK, &vorabsTOPOLOGY,
                                       &vorabsTOPOLOGY,  &vorabsBODY};
  const std::vector<std::string> names{"P", "_", "_", "_", "_", "_", "F", "_"};
  for (size_t i = 0; i < recorder.calls.size(); ++i) {
    EXPECT_TRUE(recorder.calls[i].attributes.member(*kinds[i])) << i;
    EXPECT_EQ(recorder.calls[i].attributes.member(vorabsFACE), i == 6) << i;
    EXPECT_EQ(recorder.name(i), names[i]) << i;
    EXPECT_EQ(recorder.text(i, vorabsPARENT), "assembly") << i;
  }
  // Every member keeps the caller's set as it was and reports that it
  // does not take transforms that change shape.
  EXPECT_EQ(caller.num_attributes(), 1);
  for (auto& translator : translators)
    EXPECT_EQ(translator->non_spts_supported(), 0);
  EXPECT_TRUE(error.messages.empty());
  EXPECT_TRUE(output.messages.empty());
}

TEST_F(vorabsGeometryTranslatorTest, PointsAreMovedByTheTransformAndUnsetPointsFail) {
  vorabsTestPointTranslator still(context, utString("P1"), giPoint3(1, 2, 3));
  EXPECT_EQ(run(still, tester).status(), vorabsSTATUS_OK);
  vorabsTestPointTranslator moved(context, utString("P2"), giPoint3(1, 2, 3));
  place(moved, translation(10, 0, 0));
  EXPECT_EQ(run(moved, tester).status(), vorabsSTATUS_OK);
  ASSERT_EQ(tester.number_of_points3(), 2);
  giPoint3 point;
  utString name;
  tester.get_point3(0, point, name);
  EXPECT_TRUE(point == giPoint3(1, 2, 3));
  EXPECT_STREQ(name.c_str(), "P1");
  tester.get_point3(1, point, name);
  EXPECT_TRUE(point == giPoint3(11, 2, 3));
  EXPECT_STREQ(name.c_str(), "P2");

  const giPoint3 unset[] = {giPoint3(), giPoint3(-DBL_MAX, 0, 0), giPoint3(0, DBL_MAX, 0),
                            giPoint3(0, 0, DBL_MAX)};
  for (const giPoint3& p : unset) {
    vorabsTestPointTranslator failing(context, utString("U"), p);
    EXPECT_EQ(run(failing, tester).status(), vorabsSTATUS_FAILED);
    EXPECT_EQ(failing.num_usages(), 0);
  }
  EXPECT_EQ(tester.number_of_points3(), 2);
  // Only +DBL_MAX marks y and z unset.
  vorabsTestPointTranslator far(context, utString("far"), giPoint3(0, -DBL_MAX, -DBL_MAX));
  EXPECT_EQ(run(far, tester).status(), vorabsSTATUS_OK);
  EXPECT_EQ(tester.number_of_points3(), 3);
  EXPECT_TRUE(error.messages.empty());
}

TEST_F(vorabsGeometryTranslatorTest, CurvesAndSurfacesSendTheirOwnHandleOnlyUnderTheIdentity) {
  velCurvePtr3 line(new velLine3(giPoint3(0, 0, 0), giPoint3(1, 0, 0)));
  StoredCurve same_curve(context, line);
  StoredCurve moved_curve(context, line);
  place(moved_curve, translation(0, 0, 5));
  velSurfPtr plane(new velPlane(giWorkplane3(giWorkplaneWorld)));
  StoredSurface same_surface(context, plane);
  StoredSurface moved_surface(context, plane);
  place(moved_surface, translation(0, 0, 5));
  for (vorabsTranslator* translator :
       std::vector<vorabsTranslator*>{&same_curve, &moved_curve, &same_surface, &moved_surface})
    EXPECT_EQ(run(*translator, tester).status(), vorabsSTATUS_OK);

  ASSERT_EQ(tester.number_of_curves3(), 2);
  velCurvePtr3 curve;
  utString name;
  tester.get_curve3(0, curve, name);
  EXPECT_TRUE(curve == line);
  tester.get_curve3(1, curve, name);
  EXPECT_FALSE(curve == line);
  EXPECT_TRUE(near(curve->position(0.0), giPoint3(0, 0, 5)));
  EXPECT_TRUE(near(line->position(0.0), giPoint3(0, 0, 0)));

  ASSERT_EQ(tester.number_of_surfaces(), 2);
  velSurfPtr surface;
  tester.get_surface(0, surface, name);
  EXPECT_TRUE(surface == plane);
  tester.get_surface(1, surface, name);
  EXPECT_FALSE(surface == plane);
  EXPECT_TRUE(near(surface->position(1.0, 1.0), giPoint3(1, 1, 5)));
  EXPECT_TRUE(near(plane->position(1.0, 1.0), giPoint3(1, 1, 0)));
}

TEST_F(vorabsGeometryTranslatorTest, CurvesAndSurfacesPassOnCreationFailuresAndRefuseEmptyHandles) {
  StoredCurve empty_curve(context, velCurvePtr3());
  EXPECT_EQ(run(empty_curve, recorder).status(), vorabsSTATUS_FAILED);
  StoredSurface empty_surface(context, velSurfPtr());
  EXPECT_EQ(run(empty_surface, recorder).status(), vorabsSTATUS_FAILED);
  // A curve is named only once it has passed its test; a surface before.
  EXPECT_EQ(empty_curve.attribute_calls, 0);
  EXPECT_EQ(empty_surface.attribute_calls, 1);

  StoredCurve ignored(context, velCurvePtr3(new velLine3(giPoint3(0, 0, 0), giPoint3(1, 0, 0))));
  ignored.outcome = vorabsSTATUS_OUTSIDE_EXTENT;
  EXPECT_EQ(run(ignored, recorder).status(), vorabsSTATUS_OUTSIDE_EXTENT);
  StoredSurface zero(context, velSurfPtr(new velPlane(giWorkplane3(giWorkplaneWorld))));
  zero.outcome = vorabsSTATUS_ZERO_AREA;
  EXPECT_EQ(run(zero, recorder).status(), vorabsSTATUS_ZERO_AREA);
  EXPECT_TRUE(recorder.calls.empty());
  EXPECT_TRUE(error.messages.empty());
}

TEST_F(vorabsGeometryTranslatorTest, WorkplanesTakeShapePreservingTransformsOnly) {
  giWorkplane3 frame(giPoint3(1, 1, 1), giVector3(1, 0, 0), giVector3(0, 1, 0));
  StoredWorkplane still(context, frame);
  StoredWorkplane scaled(context, frame);
  giXform3 similarity = diagonal(2, 2, 2);
  ASSERT_EQ(similarity.code(), giXFORM_SIMILARITY);
  place(scaled, similarity);
  StoredWorkplane mirrored(context, frame);
  giXform3 mirror = diagonal(-1, 1, 1);
  ASSERT_EQ(mirror.code(), giXFORM_REFLECTION);
  place(mirrored, mirror);
  for (StoredWorkplane* translator : {&still, &scaled, &mirrored})
    EXPECT_EQ(run(*translator, tester).status(), vorabsSTATUS_OK);
  ASSERT_EQ(tester.number_of_workplane3(), 3);
  giWorkplane3 sent;
  utString name;
  tester.get_workplane3(0, sent, name);
  EXPECT_TRUE(sent.origin() == giPoint3(1, 1, 1));
  tester.get_workplane3(1, sent, name);
  EXPECT_TRUE(near(sent.origin(), giPoint3(2, 2, 2)));
  tester.get_workplane3(2, sent, name);
  EXPECT_TRUE(near(sent.origin(), giPoint3(-1, 1, 1)));
  EXPECT_TRUE(scaled.workplane.origin() == giPoint3(1, 1, 1));
  EXPECT_TRUE(error.messages.empty());

  StoredWorkplane stretched(context, frame);
  giXform3 axial = diagonal(1, 2, 3);
  ASSERT_EQ(axial.code(), giXFORM_AXIAL_SCALE);
  place(stretched, axial);
  EXPECT_EQ(run(stretched, tester).status(), vorabsSTATUS_FAILED);
  ASSERT_EQ(error.messages.size(), 1u);
  EXPECT_EQ(error.messages[0].domain, "vorabs");
  EXPECT_EQ(error.messages[0].text,
            "Non shape preserving transforms of workplanes not supported.\n");
  EXPECT_TRUE(output.messages.empty());
  EXPECT_EQ(tester.number_of_workplane3(), 3);

  // An unset origin fails silently, whatever the transform.
  StoredWorkplane unset(context, giWorkplane3());
  EXPECT_EQ(run(unset, tester).status(), vorabsSTATUS_FAILED);
  StoredWorkplane unset_stretched(context, giWorkplane3());
  place(unset_stretched, axial);
  EXPECT_EQ(run(unset_stretched, tester).status(), vorabsSTATUS_FAILED);
  EXPECT_EQ(error.messages.size(), 1u);
  EXPECT_EQ(tester.number_of_workplane3(), 3);
}

TEST_F(vorabsGeometryTranslatorTest, TriangleBlocksNeedTrianglesAndMoveOnlyTheirNodes) {
  giTriBlock none;
  EXPECT_TRUE(vorabsTriblockTranslator::triblock_invalid(none));
  giTriBlock empty;
  empty.add_feature<giTriArr>();
  empty.add_feature<giNodeXYZ>()->append(giPoint3(0, 0, 0));
  EXPECT_TRUE(vorabsTriblockTranslator::triblock_invalid(empty));
  for (const giTriBlock* bad : {&none, &empty}) {
    StoredTriblock translator(context, *bad);
    EXPECT_EQ(run(translator, tester).status(), vorabsSTATUS_FAILED);
  }
  EXPECT_EQ(tester.number_of_triblocks(), 0);

  // Triangles without node positions: an empty node feature is added when moved.
  giTriBlock bare;
  bare.add_feature<giTriArr>()->append(0, 1, 2);
  EXPECT_FALSE(vorabsTriblockTranslator::triblock_invalid(bare));
  StoredTriblock bare_still(context, bare);
  StoredTriblock bare_moved(context, bare);
  place(bare_moved, translation(1, 0, 0));
  EXPECT_EQ(run(bare_still, tester).status(), vorabsSTATUS_OK);
  EXPECT_EQ(run(bare_moved, tester).status(), vorabsSTATUS_OK);
  ASSERT_EQ(tester.number_of_triblocks(), 2);
  giTriBlock sent;
  utString name;
  tester.get_triblock(0, sent, name);
  EXPECT_EQ(sent.feature_count(), 1u);
  tester.get_triblock(1, sent, name);
  ASSERT_NE(sent.find_feature<giNodeXYZ>(), nullptr);
  EXPECT_EQ(sent.find_feature<giNodeXYZ>()->size(), 0u);

  // Under a quarter turn about z the nodes turn, the normals stay, and the
  // node box is worked out afresh.
  giTriBlock full;
  full.add_feature<giTriArr>()->append(0, 1, 2);
  giNodeXYZ* nodes = full.add_feature<giNodeXYZ>();
  nodes->append(giPoint3(1, 0, 0));
  nodes->append(giPoint3(2, 0, 0));
  nodes->append(giPoint3(2, 1, 0));
  ASSERT_TRUE(nodes->box().max() == giPoint3(2, 1, 0));
  giNormArr* normals = full.add_feature<giNormArr>();
  for (int i = 0; i < 3; ++i)
    normals->append(giVector3(1, 0, 0));
  int error_code = 0;
  giXform3 turn(giXformRotate, giPoint3(0, 0, 0), giVector3(0, 0, 1), giAngle(pi / 2), error_code);
  ASSERT_EQ(error_code, 0);
  StoredTriblock turned(context, full);
  place(turned, turn);
  EXPECT_EQ(run(turned, tester).status(), vorabsSTATUS_OK);
  tester.get_triblock(2, sent, name);
  const giNodeXYZ* moved_nodes = sent.find_feature<giNodeXYZ>();
  ASSERT_NE(moved_nodes, nullptr);
  ASSERT_EQ(moved_nodes->size(), 3u);
  EXPECT_TRUE(near((*moved_nodes)[0], giPoint3(0, 1, 0)));
  EXPECT_TRUE(near((*moved_nodes)[1], giPoint3(0, 2, 0)));
  EXPECT_TRUE(near((*moved_nodes)[2], giPoint3(-1, 2, 0)));
  EXPECT_TRUE(near(moved_nodes->box().min(), giPoint3(-1, 1, 0)));
  EXPECT_TRUE(near(moved_nodes->box().max(), giPoint3(0, 2, 0)));
  const giNormArr* kept_normals = sent.find_feature<giNormArr>();
  ASSERT_NE(kept_normals, nullptr);
  EXPECT_TRUE((*kept_normals)[0] == giVector3(1, 0, 0));
  // The translator's own block is untouched.
  EXPECT_TRUE((*turned.block.find_feature<giNodeXYZ>())[0] == giPoint3(1, 0, 0));
}

TEST_F(vorabsGeometryTranslatorTest, StoredTopologiesAreSentAsTheyAreOrAsMovedCopies) {
  topTopologyPtr stored = plane_topology(giPoint3(0, 0, 0));
  vorabsTestFaceTranslator still(context, utString("F"), stored);
  vorabsTestFaceTranslator moved(context, utString("F"), stored);
  place(moved, translation(0, 0, 5));
  EXPECT_EQ(run(still, tester).status(), vorabsSTATUS_OK);
  EXPECT_EQ(run(moved, tester).status(), vorabsSTATUS_OK);
  ASSERT_EQ(tester.number_of_topologies(), 2);
  topTopologyPtr sent;
  utString name;
  tester.get_topology(0, sent, name);
  EXPECT_TRUE(sent == stored);
  EXPECT_STREQ(name.c_str(), "F");
  tester.get_topology(1, sent, name);
  EXPECT_FALSE(sent == stored);
  ASSERT_EQ(sent->num_faces(), 1);
  EXPECT_TRUE(near(sent->face(0).surface()->position(0, 0), giPoint3(0, 0, 5)));
  EXPECT_TRUE(near(stored->face(0).surface()->position(0, 0), giPoint3(0, 0, 0)));

  HookedTopology empty(context, topTopologyPtr(), annRenderMeshannPtr());
  EXPECT_EQ(run(empty, tester).status(), vorabsSTATUS_FAILED);
  EXPECT_EQ(tester.number_of_topologies(), 2);
}

TEST_F(vorabsGeometryTranslatorTest, RepeatedPlacementsGetTheUseCountAsParentSuffix) {
  vorabsAttributeSet caller;
  utStringvorabsAttributePtr parent;
  caller.check_out(vorabsPARENT, parent);
  *parent = utString("P");
  vorabsTestFaceTranslator face(context, utString("F"), plane_topology(giPoint3(0, 0, 0)));
  face.set_output(&output);
  face.set_error(&error);
  auto use = [&](const giXform3& transform) {
    place(face, transform);
    return face.process(caller, receiver, recorder).status();
  };
  EXPECT_EQ(use(giXform3(giXformIdentity)), vorabsSTATUS_OK);
  EXPECT_EQ(use(translation(1, 0, 0)), vorabsSTATUS_OK);
  EXPECT_EQ(use(translation(2, 0, 0)), vorabsSTATUS_OK);
  // An equal placement re-uses the stored item, but is a use all the same.
  EXPECT_EQ(use(giXform3(giXformIdentity)), vorabsSTATUS_OK);
  // A failed placement is no use.
  recorder.replies.push_back(vorabsSTATUS_FAILED);
  EXPECT_EQ(use(translation(3, 0, 0)), vorabsSTATUS_FAILED);
  EXPECT_EQ(use(translation(4, 0, 0)), vorabsSTATUS_OK);

  EXPECT_EQ(recorder.kinds(), (std::vector<std::string>{"topology", "topology", "topology",
                                                        "annotation", "topology", "topology"}));
  EXPECT_EQ(recorder.text(0, vorabsPARENT), "P");
  EXPECT_EQ(recorder.text(1, vorabsPARENT), "P_2");
  EXPECT_EQ(recorder.text(2, vorabsPARENT), "P_3");
  EXPECT_EQ(recorder.text(4, vorabsPARENT), "P_5");
  EXPECT_EQ(recorder.text(5, vorabsPARENT), "P_5");
  EXPECT_STREQ((*parent).c_str(), "P");

  // Bodies are marked the same way; without a parent nothing is added.
  StoredBody body(context, aqtIBodycoPrf(new aqtIBody()));
  body.set_output(&output);
  body.set_error(&error);
  for (double x : {0.0, 1.0, 2.0}) {
    place(body, translation(x, 0, 0));
    EXPECT_EQ(body.process(caller, receiver, recorder).status(), vorabsSTATUS_OK);
  }
  place(body, translation(3, 0, 0));
  EXPECT_EQ(body.process(vorabsAttributeSet(), receiver, recorder).status(), vorabsSTATUS_OK);
  ASSERT_EQ(recorder.calls.size(), 10u);
  EXPECT_EQ(recorder.text(6, vorabsPARENT), "P");
  EXPECT_EQ(recorder.text(7, vorabsPARENT), "P_2");
  EXPECT_EQ(recorder.text(8, vorabsPARENT), "P_3");
  EXPECT_EQ(recorder.text(9, vorabsPARENT), "<none>");
}

TEST_F(vorabsGeometryTranslatorTest, BodiesPassOnCreationFailuresAndRefuseEmptyReferences) {
  StoredBody empty(context, aqtIBodycoPrf());
  EXPECT_EQ(run(empty, recorder).status(), vorabsSTATUS_FAILED);
  EXPECT_EQ(empty.attribute_calls, 0);
  StoredBody aborted(context, aqtIBodycoPrf(new aqtIBody()));
  aborted.outcome = vorabsSTATUS_ABORTED;
  EXPECT_EQ(run(aborted, recorder).status(), vorabsSTATUS_ABORTED);
  EXPECT_TRUE(recorder.calls.empty());
}

TEST_F(vorabsGeometryTranslatorTest, ASurfaceItemFromTheSinkGoesThroughBothHooks) {
  annSurfaceItemannPtr surface = make_annSurfaceItem(&document, utString("plane"), utString("S"));
  annRenderMeshannPtr mesh = make_annRenderMesh(&document, giTriBlock(), utString("mesh"));
  recorder.current = surface;

  HookedTopology hooked(context, plane_topology(giPoint3(0, 0, 0)), mesh);
  EXPECT_EQ(run(hooked, recorder).status(), vorabsSTATUS_OK);
  EXPECT_EQ(hooked.log, (std::vector<std::string>{"get_render_mesh empty 0", "add_sub_surfaces"}));
  EXPECT_TRUE(surface->render_mesh() == mesh);
  EXPECT_EQ(hooked.hooked_surface.pointer(), surface.pointer());
  EXPECT_STREQ(hooked.hooked_surface.name().c_str(), "S");

  // The mesh is taken only when it is both supplied and answered for.
  for (int supply : {0, 1}) {
    annSurfaceItemannPtr other = make_annSurfaceItem(&document, utString("plane"), utString("T"));
    recorder.current = other;
    HookedTopology refused(context, plane_topology(giPoint3(0, 0, 0)), mesh);
    refused.supply = supply;
    refused.mesh_answer = supply ? 0 : 1;
    EXPECT_EQ(run(refused, recorder).status(), vorabsSTATUS_OK);
    EXPECT_TRUE(other->render_mesh().invalid());
    EXPECT_EQ(refused.log.size(), 2u);
  }

  // A face item is a surface item too; the default hooks add nothing.
  annFaceItemannPtr face_item = make_annFaceItem(&document, utString("plane"), utString("F"));
  recorder.current = face_item;
  vorabsTestFaceTranslator plain(context, utString("F"), plane_topology(giPoint3(0, 0, 0)));
  EXPECT_EQ(run(plain, recorder).status(), vorabsSTATUS_OK);
  EXPECT_TRUE(face_item->render_mesh().invalid());
  EXPECT_EQ(face_item->num_sub_surfaces(), 0);
}

TEST_F(vorabsGeometryTranslatorTest, OtherSinkOutcomesSkipBothHooks) {
  annRenderMeshannPtr mesh = make_annRenderMesh(&document, giTriBlock(), utString("mesh"));
  // Not a surface item, no item at all, and a failing sink.
  recorder.current = make_annCurveItem(&document, utString("line"), utString("C"));
  HookedTopology on_curve(context, plane_topology(giPoint3(0, 0, 0)), mesh);
  EXPECT_EQ(run(on_curve, recorder).status(), vorabsSTATUS_OK);
  EXPECT_TRUE(on_curve.log.empty());

  recorder.current = annNamedItemPtr();
  HookedTopology on_nothing(context, plane_topology(giPoint3(0, 0, 0)), mesh);
  EXPECT_EQ(run(on_nothing, recorder).status(), vorabsSTATUS_OK);
  EXPECT_TRUE(on_nothing.log.empty());

  recorder.current = make_annSurfaceItem(&document, utString("plane"), utString("S"));
  recorder.reply = vorabsSTATUS_OUTSIDE_EXTENT;
  HookedTopology on_failure(context, plane_topology(giPoint3(0, 0, 0)), mesh);
  EXPECT_EQ(run(on_failure, recorder).status(), vorabsSTATUS_OUTSIDE_EXTENT);
  EXPECT_TRUE(on_failure.log.empty());
  EXPECT_EQ(recorder.calls.size(), 3u);
}
