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
#include "TestHelpers.h"
#include "vorabsLibSinkTester.h"
#include "vorabsTestFaceTranslator.h"
#include "vorabsTestInterface.h"
#include "vorabsTestPointTranslator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

// A translator that delivers a stored value with a chosen creation status and
// counts how often its attributes are asked for.
template <class Base, class T> class Stored : public Base {
public:
  Stored(const vorabsContext& context, const T& value) : Base(context), value(value) {}
  void attributes(vorabsAttributeSet& set) const override {
    ++attribute_calls;
    Base::attributes(set);
  }
  T value;
  vorabsStatus outcome = vorabsSTATUS_OK;
  mutable int attribute_calls = 0;
};

// hook is the creation operation with its parameters; it delivers value.
#define STORED(Name, Base, T, hook)                                                                \
  struct Name : Stored<Base, T> {                                                                  \
    using Stored::Stored;                                                                          \
    vorabsTranslationStatus hook override {                                                        \
      made = value;                                                                                \
      return outcome;                                                                              \
    }                                                                                              \
  }
STORED(StoredCurve, vorabsCurveTranslator, velCurvePtr3, create_curve(velCurvePtr3& made));
STORED(StoredSurface, vorabsSurfaceTranslator, velSurfPtr, create_surface(velSurfPtr& made));
STORED(StoredWorkplane, vorabsWorkplaneTranslator, giWorkplane3,
       create_workplane(giWorkplane3& made));
STORED(StoredTriblock, vorabsTriblockTranslator, giTriBlock, create_triblock(giTriBlock& made));
STORED(StoredBody, vorabsBodyTranslator, aqtIBodycoPrf,
       create_body(const giXform3&, aqtIBodycoPrf& made));

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

class vorabsGeometryTranslatorTest : public ::testing::Test {
protected:
  vorabsGeometryTranslatorTest() { context.set_document(&document); }

  // Gives the translator both channels and processes it once.
  vorabsStatus run(vorabsTranslator& translator, vorabsLibSink& sink,
                   const vorabsAttributeSet& attributes = vorabsAttributeSet()) {
    translator.set_output(&output);
    translator.set_error(&error);
    return translator.process(attributes, receiver, sink).status();
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
  giTriBlock block;
  block.add_feature<giTriArr>()->append(0, 1, 2);
  std::vector<std::unique_ptr<vorabsTranslator>> translators;
  translators.emplace_back(
      new vorabsTestPointTranslator(context, utString("P"), giPoint3(1, 2, 3)));
  translators.emplace_back(new StoredCurve(context, unit_line()));
  translators.emplace_back(
      new StoredSurface(context, velSurfPtr(new velPlane(giWorkplane3(giWorkplaneWorld)))));
  translators.emplace_back(new StoredWorkplane(context, giWorkplane3(giWorkplaneWorld)));
  translators.emplace_back(new StoredTriblock(context, block));
  translators.emplace_back(new HookedTopology(context, planes(1), {}));
  translators.emplace_back(new vorabsTestFaceTranslator(context, utString("F"), planes(1)));
  translators.emplace_back(new StoredBody(context, aqtIBodycoPrf(new aqtIBody())));

  vorabsAttributeSet caller;
  put(caller, vorabsPARENT, utString("assembly"));
  for (auto& translator : translators)
    EXPECT_EQ(run(*translator, recorder, caller), vorabsSTATUS_OK);

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
    EXPECT_EQ(translators[i]->non_spts_supported(), 0) << i;
  }
  EXPECT_EQ(caller.num_attributes(), 1); // the caller's set is left as it was
  EXPECT_TRUE(error.messages.empty());
  EXPECT_TRUE(output.messages.empty());
}

TEST_F(vorabsGeometryTranslatorTest, PointsAreMovedByTheTransformAndUnsetPointsFail) {
  vorabsTestPointTranslator moved(context, utString("P2"), giPoint3(1, 2, 3));
  place(moved, translation(10, 0, 0));
  EXPECT_EQ(run(moved, tester), vorabsSTATUS_OK);
  giPoint3 point;
  utString name;
  tester.get_point3(0, point, name);
  EXPECT_TRUE(point == giPoint3(11, 2, 3));
  EXPECT_STREQ(name.c_str(), "P2");

  // Which coordinates mark a point unset is the point's own rule.
  vorabsTestPointTranslator failing(context, utString("U"), giPoint3());
  EXPECT_EQ(run(failing, tester), vorabsSTATUS_FAILED);
  EXPECT_EQ(failing.num_usages(), 0);
  EXPECT_EQ(tester.number_of_points3(), 1);
  EXPECT_TRUE(error.messages.empty());
}

TEST_F(vorabsGeometryTranslatorTest, TheIdentitySendsTheVeryHandleAMoveSendsAMovedCopy) {
  velCurvePtr3 line = unit_line();
  velSurfPtr plane(new velPlane(giWorkplane3(giWorkplaneWorld)));
  topTopologyPtr face = planes(1);
  StoredCurve same_curve(context, line), moved_curve(context, line);
  StoredSurface same_surface(context, plane), moved_surface(context, plane);
  vorabsTestFaceTranslator same_face(context, utString("F"), face),
      moved_face(context, utString("F"), face);
  for (vorabsTranslator* moved :
       std::vector<vorabsTranslator*>{&moved_curve, &moved_surface, &moved_face})
    place(*moved, translation(0, 0, 5));
  for (vorabsTranslator* translator : std::vector<vorabsTranslator*>{
           &same_curve, &moved_curve, &same_surface, &moved_surface, &same_face, &moved_face})
    EXPECT_EQ(run(*translator, tester), vorabsSTATUS_OK);

  utString name;
  velCurvePtr3 curve[2];
  velSurfPtr surface[2];
  topTopologyPtr topology[2];
  for (int i = 0; i < 2; ++i) {
    tester.get_curve3(i, curve[i], name);
    tester.get_surface(i, surface[i], name);
    tester.get_topology(i, topology[i], name);
  }
  EXPECT_TRUE(curve[0] == line && surface[0] == plane && topology[0] == face);
  EXPECT_FALSE(curve[1] == line || surface[1] == plane || topology[1] == face);
  const giPoint3 moved(0, 0, 5), unmoved(0, 0, 0);
  EXPECT_TRUE(near(curve[1]->position(0.0), moved) && near(line->position(0.0), unmoved));
  EXPECT_TRUE(near(surface[1]->position(0, 0), moved) && near(plane->position(0, 0), unmoved));
  EXPECT_TRUE(near(topology[1]->face(0).surface()->position(0, 0), moved) &&
              near(face->face(0).surface()->position(0, 0), unmoved));
}

TEST_F(vorabsGeometryTranslatorTest, CreationFailuresAndEmptyResultsReachNoSink) {
  StoredCurve empty_curve(context, velCurvePtr3());
  StoredSurface empty_surface(context, velSurfPtr());
  StoredBody empty_body(context, aqtIBodycoPrf());
  StoredCurve outside(context, unit_line());
  outside.outcome = vorabsSTATUS_OUTSIDE_EXTENT;
  StoredSurface zero(context, velSurfPtr(new velPlane(giWorkplane3(giWorkplaneWorld))));
  zero.outcome = vorabsSTATUS_ZERO_AREA;
  StoredBody aborted(context, aqtIBodycoPrf(new aqtIBody()));
  aborted.outcome = vorabsSTATUS_ABORTED;
  HookedTopology empty_topology(context, topTopologyPtr(), annRenderMeshannPtr());
  const struct {
    vorabsTranslator* translator;
    vorabsStatus status;
  } cases[] = {{&empty_curve, vorabsSTATUS_FAILED},     {&empty_surface, vorabsSTATUS_FAILED},
               {&empty_body, vorabsSTATUS_FAILED},      {&empty_topology, vorabsSTATUS_FAILED},
               {&outside, vorabsSTATUS_OUTSIDE_EXTENT}, {&zero, vorabsSTATUS_ZERO_AREA},
               {&aborted, vorabsSTATUS_ABORTED}};
  for (const auto& c : cases)
    EXPECT_EQ(run(*c.translator, recorder), c.status);
  EXPECT_TRUE(recorder.calls.empty());
  EXPECT_TRUE(error.messages.empty());
  // A curve or body is named only once it has passed its test; a surface before.
  EXPECT_EQ(empty_curve.attribute_calls, 0);
  EXPECT_EQ(empty_body.attribute_calls, 0);
  EXPECT_EQ(empty_surface.attribute_calls, 1);
}

TEST_F(vorabsGeometryTranslatorTest, WorkplanesTakeShapePreservingTransformsOnly) {
  const giWorkplane3 frame(giPoint3(1, 1, 1), giVector3(1, 0, 0), giVector3(0, 1, 0));
  const struct {
    giXform3 transform;
    int code;
    giPoint3 origin;
  } accepted[] = {{giXform3(giXformIdentity), giXFORM_IDENTITY, giPoint3(1, 1, 1)},
                  {diagonal(2, 2, 2), giXFORM_SIMILARITY, giPoint3(2, 2, 2)},
                  {diagonal(-1, 1, 1), giXFORM_REFLECTION, giPoint3(-1, 1, 1)}};
  for (const auto& c : accepted) {
    ASSERT_EQ(c.transform.code(), c.code);
    StoredWorkplane translator(context, frame);
    place(translator, c.transform);
    EXPECT_EQ(run(translator, tester), vorabsSTATUS_OK);
    giWorkplane3 sent;
    utString name;
    tester.get_workplane3(tester.number_of_workplane3() - 1, sent, name);
    EXPECT_TRUE(near(sent.origin(), c.origin));
    EXPECT_TRUE(translator.value.origin() == giPoint3(1, 1, 1));
  }
  EXPECT_TRUE(error.messages.empty());

  const giXform3 axial = diagonal(1, 2, 3);
  ASSERT_EQ(axial.code(), giXFORM_AXIAL_SCALE);
  StoredWorkplane stretched(context, frame);
  place(stretched, axial);
  EXPECT_EQ(run(stretched, tester), vorabsSTATUS_FAILED);
  ASSERT_EQ(error.messages.size(), 1u);
  EXPECT_EQ(error.messages[0].domain, "vorabs");
  EXPECT_EQ(error.messages[0].text,
            "Non shape preserving transforms of workplanes not supported.\n");
  EXPECT_TRUE(output.messages.empty());

  // An unset origin fails silently, whatever the transform.
  StoredWorkplane unset(context, giWorkplane3()), unset_stretched(context, giWorkplane3());
  place(unset_stretched, axial);
  EXPECT_EQ(run(unset, tester), vorabsSTATUS_FAILED);
  EXPECT_EQ(run(unset_stretched, tester), vorabsSTATUS_FAILED);
  EXPECT_EQ(error.messages.size(), 1u);
  EXPECT_EQ(tester.number_of_workplane3(), 3);
}

TEST_F(vorabsGeometryTranslatorTest, TriangleBlocksNeedTrianglesAndMoveOnlyTheirNodes) {
  giTriBlock none, empty;
  empty.add_feature<giTriArr>();
  empty.add_feature<giNodeXYZ>()->append(giPoint3(0, 0, 0));
  for (const giTriBlock* bad : {&none, &empty}) {
    EXPECT_TRUE(vorabsTriblockTranslator::triblock_invalid(*bad));
    StoredTriblock translator(context, *bad);
    EXPECT_EQ(run(translator, tester), vorabsSTATUS_FAILED);
  }
  EXPECT_EQ(tester.number_of_triblocks(), 0);

  // Triangles without node positions get an empty node feature when moved.
  giTriBlock bare, sent;
  bare.add_feature<giTriArr>()->append(0, 1, 2);
  StoredTriblock bare_moved(context, bare);
  place(bare_moved, translation(1, 0, 0));
  EXPECT_EQ(run(bare_moved, tester), vorabsSTATUS_OK);
  utString name;
  tester.get_triblock(0, sent, name);
  ASSERT_NE(sent.find_feature<giNodeXYZ>(), nullptr);
  EXPECT_EQ(sent.find_feature<giNodeXYZ>()->size(), 0u);

  // Under a quarter turn about z the nodes turn, the normals stay, and the
  // node box is worked out afresh.
  giTriBlock full;
  full.add_feature<giTriArr>()->append(0, 1, 2);
  giNodeXYZ* nodes = full.add_feature<giNodeXYZ>();
  for (const giPoint3& p : {giPoint3(1, 0, 0), giPoint3(2, 0, 0), giPoint3(2, 1, 0)})
    nodes->append(p);
  full.add_feature<giNormArr>()->append(giVector3(1, 0, 0));
  StoredTriblock turned(context, full);
  place(turned, rotation(giPoint3(0, 0, 0), giVector3(0, 0, 1), M_PI / 2));
  EXPECT_EQ(run(turned, tester), vorabsSTATUS_OK);
  tester.get_triblock(1, sent, name);
  const giNodeXYZ* moved = sent.find_feature<giNodeXYZ>();
  ASSERT_NE(moved, nullptr);
  ASSERT_EQ(moved->size(), 3u);
  EXPECT_TRUE(near((*moved)[0], giPoint3(0, 1, 0)));
  EXPECT_TRUE(near((*moved)[1], giPoint3(0, 2, 0)));
  EXPECT_TRUE(near((*moved)[2], giPoint3(-1, 2, 0)));
  EXPECT_TRUE(near(moved->box().min(), giPoint3(-1, 1, 0)));
  EXPECT_TRUE(near(moved->box().max(), giPoint3(0, 2, 0)));
  ASSERT_NE(sent.find_feature<giNormArr>(), nullptr);
  EXPECT_TRUE((*sent.find_feature<giNormArr>())[0] == giVector3(1, 0, 0));
  EXPECT_TRUE((*turned.value.find_feature<giNodeXYZ>())[0] == giPoint3(1, 0, 0));
}

TEST_F(vorabsGeometryTranslatorTest, RepeatedPlacementsGetTheUseCountAsParentSuffix) {
  vorabsAttributeSet caller;
  put(caller, vorabsPARENT, utString("P"));
  vorabsTestFaceTranslator face(context, utString("F"), planes(1));
  auto use = [&](const giXform3& transform) {
    place(face, transform);
    return run(face, recorder, caller);
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

  // Bodies are marked the same way; without a parent nothing is added.
  StoredBody body(context, aqtIBodycoPrf(new aqtIBody()));
  for (double x : {0.0, 1.0, 2.0}) {
    place(body, translation(x, 0, 0));
    EXPECT_EQ(run(body, recorder, caller), vorabsSTATUS_OK);
  }
  place(body, translation(3, 0, 0));
  EXPECT_EQ(run(body, recorder), vorabsSTATUS_OK);

  EXPECT_EQ(recorder.kinds(),
            (std::vector<std::string>{"topology", "topology", "topology", "annotation", "topology",
                                      "topology", "body", "body", "body", "body"}));
  const std::vector<std::string> parents{"P",   "P_2", "P_3", "P",   "P_5",
                                         "P_5", "P",   "P_2", "P_3", "<none>"};
  for (size_t i = 0; i < parents.size(); ++i)
    EXPECT_EQ(recorder.text(i, vorabsPARENT), parents[i]) << i;
  EXPECT_EQ(caller.num_attributes(), 1);
}

TEST_F(vorabsGeometryTranslatorTest, ASurfaceItemFromTheSinkGoesThroughBothHooks) {
  annSurfaceItemannPtr surface = make_annSurfaceItem(&document, utString("plane"), utString("S"));
  annRenderMeshannPtr mesh = make_annRenderMesh(&document, giTriBlock(), utString("mesh"));
  recorder.current = surface;
  HookedTopology hooked(context, planes(1), mesh);
  EXPECT_EQ(run(hooked, recorder), vorabsSTATUS_OK);
  EXPECT_EQ(hooked.log, (std::vector<std::string>{"get_render_mesh empty 0", "add_sub_surfaces"}));
  EXPECT_TRUE(surface->render_mesh() == mesh);
  EXPECT_EQ(hooked.hooked_surface.pointer(), surface.pointer());
  EXPECT_STREQ(hooked.hooked_surface.name().c_str(), "S");

  // The mesh is taken only when it is both supplied and answered for.
  for (int supply : {0, 1}) {
    annSurfaceItemannPtr other = make_annSurfaceItem(&document, utString("plane"), utString("T"));
    recorder.current = other;
    HookedTopology refused(context, planes(1), mesh);
    refused.supply = supply;
    refused.mesh_answer = !supply;
    EXPECT_EQ(run(refused, recorder), vorabsSTATUS_OK);
    EXPECT_TRUE(other->render_mesh().invalid());
    EXPECT_EQ(refused.log.size(), 2u);
  }

  // Not a surface item, no item at all, or a failing sink: no hook is called.
  const struct {
    annNamedItemPtr current;
    vorabsStatus reply;
  } skipped[] = {{make_annCurveItem(&document, utString("line"), utString("C")), vorabsSTATUS_OK},
                 {annNamedItemPtr(), vorabsSTATUS_OK},
                 {make_annSurfaceItem(&document, utString("plane"), utString("U")),
                  vorabsSTATUS_OUTSIDE_EXTENT}};
  for (const auto& c : skipped) {
    recorder.current = c.current;
    recorder.reply = c.reply;
    HookedTopology unhooked(context, planes(1), mesh);
    EXPECT_EQ(run(unhooked, recorder), c.reply);
    EXPECT_TRUE(unhooked.log.empty());
  }
}
