// vorabsDocumentSink.cpp - a host's sink into an annotation document.
#include "vorabsDocumentSink.h"

#include "vorabsAttributePtr.h"
#include "vorabsAttributesToAnnotation.h"

#include "top.h"
#include "vel.h"

#include <cstring>

vorabsDocumentSink::~vorabsDocumentSink() = default;

vorabsTranslationStatus vorabsDocumentSink::curve3(const velCurvePtr3& curve,
                                                   const vorabsAttributeSet& attributes) {
  if (curve.invalid())
    return vorabsLibSink::curve3(curve, attributes);
  return take(make_annCurveItem(&document_, kind_text(curve->kind()), name(attributes)),
              attributes);
}

vorabsTranslationStatus vorabsDocumentSink::surface(const velSurfPtr& surface,
                                                    const vorabsAttributeSet& attributes) {
  if (surface.invalid())
    return vorabsLibSink::surface(surface, attributes);
  return take(make_annSurfaceItem(&document_, kind_text(surface->kind()), name(attributes)),
              attributes);
}

vorabsTranslationStatus vorabsDocumentSink::topology(const topTopologyPtr& topology,
                                                     const vorabsAttributeSet& attributes) {
  if (topology.invalid())
    return vorabsLibSink::topology(topology, attributes);
  return faces(topology->num_faces(), attributes);
}

vorabsTranslationStatus vorabsDocumentSink::workplane3(const giWorkplane3& workplane,
                                                       const vorabsAttributeSet& attributes) {
  if (workplane.invalid())
    return vorabsLibSink::workplane3(workplane, attributes);
  return take(make_annWorkplaneItem(&document_, workplane, name(attributes)), attributes);
}

vorabsTranslationStatus vorabsDocumentSink::point3(const giPoint3& point,
                                                   const vorabsAttributeSet& attributes) {
  if (point.invalid())
    return vorabsLibSink::point3(point, attributes);
  return take(make_annPointItem(&document_, point, name(attributes)), attributes);
}

vorabsTranslationStatus vorabsDocumentSink::triblock(const giTriBlock& block,
                                                     const vorabsAttributeSet& attributes) {
  const utString item_name = name(attributes);
  annSurfaceItemannPtr item =
      make_annSurfaceItem(&document_, utString("triangle block"), item_name);
  if (!item.invalid())
    item->set_render_mesh(make_annRenderMesh(&document_, block, item_name));
  return take(item, attributes);
}

vorabsTranslationStatus vorabsDocumentSink::body(const aqtIBodycoPrf& body,
                                                 const vorabsAttributeSet& attributes) {
  if (body.pointer() == nullptr)
    return vorabsLibSink::body(body, attributes);
  return faces(body->num_faces(), attributes);
}

vorabsTranslationStatus vorabsDocumentSink::annotation(const annNamedItemPtr& item,
                                                       const vorabsAttributeSet& attributes) {
  if (item.invalid())
    return vorabsLibSink::annotation(item, attributes);
  annGeometryItemannPtr geometry = annGeometryItemannPtr::cast(item);
  if (!geometry.invalid())
    vorabsAttributesToAnnotation(attributes, name(attributes)).apply(&document_, geometry);
  current_ = item;
  return vorabsSTATUS_OK;
}

int vorabsDocumentSink::supported(const vorabsAttributeSet&) const {
  return 1;
}

int vorabsDocumentSink::valid_units(vorLengthUnit&) const {
  return 1;
}

vorabsTranslationStatus vorabsDocumentSink::take(const annGeometryItemannPtr& item,
                                                 const vorabsAttributeSet& attributes) {
  current_ = annNamedItemPtr();
  if (item.invalid())
    return vorabsSTATUS_FAILED;
  vorabsAttributesToAnnotation(attributes, name(attributes)).apply(&document_, item);
  current_ = item;
  return vorabsSTATUS_OK;
}

vorabsTranslationStatus vorabsDocumentSink::faces(int count, const vorabsAttributeSet& attributes) {
  utString description("");
  description << count << (count == 1 ? " face" : " faces");
  if (attributes.member(vorabsFACE))
    return take(make_annFaceItem(&document_, description, name(attributes)), attributes);
  return take(make_annSolidItem(&document_, description, name(attributes)), attributes);
}

const utString& vorabsDocumentSink::kind_text(const char* kind) {
  for (const utString& known : kinds_)
    if (std::strcmp(known.c_str(), kind) == 0)
      return known;
  // Kinds are few; past a handful, a strange source gets a copy each time.
  if (kinds_.size() == 16)
    kinds_.pop_back();
  kinds_.emplace_back(kind);
  return kinds_.back();
}

utString vorabsDocumentSink::name(const vorabsAttributeSet& attributes) const {
  vorabsNamevorabsAttributePtr name;
  if (attributes.get(vorabsNAME, name) && !name.invalid())
    return name->string();
  return utString("unnamed");
}
