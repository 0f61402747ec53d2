// vorabsLibSinkTesterEx.cpp - a recording sink that also builds annotation in a document.
#include "vorabsLibSinkTesterEx.h"

#include "vorabsAttributePtr.h"
#include "vorabsAttributesToAnnotation.h"

#include "utUnitTest.h"

namespace {

const char* const source_file = "source/library/vorabsLibSinkTesterEx";

void check(bool passed, const char* expression, int line, const char* message,
           const char* function) {
  utUnitTest::get_tester().utest_handler(passed, expression, source_file, line, message, function);
}

// What a face or solid item was made from: "1 face", "3 faces".
utString faces_of(const topTopologyPtr& topology) {
  const int faces = topology.invalid() ? 0 : topology->num_faces();
  utString text("");
  text << faces << (faces == 1 ? " face" : " faces");
  return text;
}

// A face item when the set marks a face, else a solid item, showing the
// topology.
annSurfaceBaseannPtr topology_item(annDocument* document, const topTopologyPtr& topology,
                                   const vorabsAttributeSet& attributes, const utString& name) {
  annSurfaceBaseannPtr item;
  if (attributes.member(vorabsFACE))
    item = make_annFaceItem(document, faces_of(topology), name);
  else
    item = make_annSolidItem(document, faces_of(topology), name);
  if (!item.invalid())
    item->set_topology(topology);
  return item;
}

} // namespace

vorabsLibSinkTesterEx::~vorabsLibSinkTesterEx() = default;

vorabsTranslationStatus vorabsLibSinkTesterEx::topology(const topTopologyPtr& topology,
                                                        const vorabsAttributeSet& attributes) {
  check(!topology.invalid(), "!topology_object.invalid()", __LINE__, "Test received topology valid",
        "vorabsLibSinkTesterEx::topology");
  vorabsTranslationStatus status = vorabsLibSinkTester::topology(topology, attributes);
  if (status != vorabsSTATUS_OK)
    return status;
  if (converting_annotation(attributes))
    return vorabsSTATUS_COMPLETE_NO_ITEM;
  handle_geometry(topology_item(document_, topology, attributes, name(attributes)), attributes);
  return vorabsSTATUS_OK;
}

vorabsTranslationStatus vorabsLibSinkTesterEx::curve3(const velCurvePtr3& curve,
                                                      const vorabsAttributeSet& attributes) {
  check(!curve.invalid(), "!curve_object.invalid()", __LINE__, "Test received curve valid",
        "vorabsLibSinkTesterEx::curve3");
  vorabsTranslationStatus status = vorabsLibSinkTester::curve3(curve, attributes);
  if (status != vorabsSTATUS_OK)
    return status;
  if (converting_annotation(attributes))
    return vorabsSTATUS_COMPLETE_NO_ITEM;
  const utString description(curve.invalid() ? "" : curve->kind());
  handle_geometry(make_annCurveItem(document_, description, name(attributes)), attributes);
  return vorabsSTATUS_OK;
}

vorabsTranslationStatus vorabsLibSinkTesterEx::surface(const velSurfPtr& surface,
                                                       const vorabsAttributeSet& attributes) {
  check(!surface.invalid(), "!surface_object.invalid()", __LINE__, "Test received surface valid",
        "vorabsLibSinkTesterEx::surface");
  vorabsTranslationStatus status = vorabsLibSinkTester::surface(surface, attributes);
  if (status != vorabsSTATUS_OK)
    return status;
  if (converting_annotation(attributes))
    return vorabsSTATUS_COMPLETE_NO_ITEM;
  const utString description(surface.invalid() ? "" : surface->kind());
  annSurfaceItemannPtr item = make_annSurfaceItem(document_, description, name(attributes));
  if (!item.invalid())
    item->set_surface(surface);
  handle_geometry(item, attributes);
  return vorabsSTATUS_OK;
}

vorabsTranslationStatus vorabsLibSinkTesterEx::point3(const giPoint3& point,
                                                      const vorabsAttributeSet& attributes) {
  check(!point.invalid(), "!point_object.invalid()", __LINE__, "Test received point valid",
        "vorabsLibSinkTesterEx::point3");
  vorabsTranslationStatus status = vorabsLibSinkTester::point3(point, attributes);
  if (status != vorabsSTATUS_OK)
    return status;
  if (converting_annotation(attributes))
    return vorabsSTATUS_COMPLETE_NO_ITEM;
  handle_geometry(make_annPointItem(document_, point, name(attributes)), attributes);
  return vorabsSTATUS_OK;
}

vorabsTranslationStatus vorabsLibSinkTesterEx::triblock(const giTriBlock& block,
                                                        const vorabsAttributeSet& attributes) {
  vorabsTranslationStatus status = vorabsLibSinkTester::triblock(block, attributes);
  if (status != vorabsSTATUS_OK)
    return status;
  if (converting_annotation(attributes))
    return vorabsSTATUS_COMPLETE_NO_ITEM;
  const utString item_name = name(attributes);
  annSurfaceItemannPtr item = make_annSurfaceItem(document_, utString("triangle block"), item_name);
  if (!item.invalid())
    item->set_render_mesh(make_annRenderMesh(document_, block, item_name));
  handle_geometry(item, attributes);
  return vorabsSTATUS_OK;
}

vorabsTranslationStatus vorabsLibSinkTesterEx::workplane3(const giWorkplane3& workplane,
                                                          const vorabsAttributeSet& attributes) {
  check(!workplane.invalid(), "!lcs_object.invalid()", __LINE__, "Test received workplane valid",
        "vorabsLibSinkTesterEx::workplane3");
  vorabsTranslationStatus status = vorabsLibSinkTester::workplane3(workplane, attributes);
  if (status != vorabsSTATUS_OK)
    return status;
  if (converting_annotation(attributes))
    return vorabsSTATUS_COMPLETE_NO_ITEM;
  handle_geometry(make_annWorkplaneItem(document_, workplane, name(attributes)), attributes);
  return vorabsSTATUS_OK;
}

vorabsTranslationStatus vorabsLibSinkTesterEx::body(const aqtIBodycoPrf& body,
                                                    const vorabsAttributeSet& attributes) {
  check(body.pointer() != nullptr, "body_object.pointer()", __LINE__, "Test received body valid",
        "vorabsLibSinkTesterEx::body");
  vorabsTranslationStatus status = vorabsLibSinkTester::body(body, attributes);
  if (status != vorabsSTATUS_OK)
    return status;
  if (converting_annotation(attributes))
    return vorabsSTATUS_COMPLETE_NO_ITEM;
  // The recording converted the body into the topology it appended last.
  topTopologyPtr topology;
  utString recorded_name;
  get_topology(number_of_topologies() - 1, topology, recorded_name);
  handle_geometry(topology_item(document_, topology, attributes, name(attributes)), attributes);
  return vorabsSTATUS_OK;
}

vorabsTranslationStatus vorabsLibSinkTesterEx::annotation(const annNamedItemPtr& item,
                                                          const vorabsAttributeSet& attributes) {
  check(item.pointer() != nullptr, "ann_object.pointer()", __LINE__,
        "test received a valid annEntityPtr", "vorabsLibSinkTesterEx::annotation");
  ++number_of_annotations_;
  annGeometryItemannPtr geometry = annGeometryItemannPtr::cast(item);
  if (!geometry.invalid())
    handle_geometry(geometry, attributes);
  else
    current_annotation_ = item;
  return vorabsSTATUS_OK;
}

int vorabsLibSinkTesterEx::supported(const vorabsAttributeSet&) const {
  return 1;
}

void vorabsLibSinkTesterEx::prepare_for_new_geometry() {
  current_geometry_ = annGeometryItemannPtr();
  current_annotation_ = annNamedItemPtr();
}

void vorabsLibSinkTesterEx::handle_geometry(const annGeometryItemannPtr& item,
                                            const vorabsAttributeSet& attributes) {
  if (item.invalid())
    return;
  set_style(item, attributes);
  if (current_geometry_.invalid()) {
    current_geometry_ = item;
    current_annotation_ = item;
    return;
  }
  if (annGroup* group = annGroup::sto_dynamic_cast(current_geometry_.pointer())) {
    group->add_group_geometry(item);
    return;
  }
  annGroupannPtr group = make_annGroup(document_, sto_class_annGroup(), name(attributes));
  if (group.invalid())
    return;
  group->add_group_geometry(current_geometry_);
  group->add_group_geometry(item);
  set_style(group, attributes);
  current_geometry_ = group;
  current_annotation_ = group;
}

void vorabsLibSinkTesterEx::set_style(const annGeometryItemannPtr& item,
                                      const vorabsAttributeSet& attributes) {
  vorabsAttributesToAnnotation(attributes, name(attributes)).apply(document_, item);
}

utString vorabsLibSinkTesterEx::name(const vorabsAttributeSet& attributes) const {
  vorabsNamevorabsAttributePtr name;
  if (attributes.get(vorabsNAME, name) && !name.invalid())
    return name->string();
  return utString("unknown");
}

int vorabsLibSinkTesterEx::top_level_item(const vorabsAttributeSet& attributes) const {
  return !attributes.member(vorabsCHILDITEM);
}

int vorabsLibSinkTesterEx::converting_annotation(const vorabsAttributeSet& attributes) const {
  return document_ == nullptr || attributes.member(vorabsCONVERTINGANNOTATION);
}
