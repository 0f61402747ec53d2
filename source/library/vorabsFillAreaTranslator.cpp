// vorabsFillAreaTranslator.cpp - the translator of a filled area with holes.
#include "vorabsFillAreaTranslator.h"

#include "vorabsAttributePtr.h"
#include "vorabsAttributesToAnnotation.h"

#include "vlu.h"
#include "vorResource.h"

#include <atomic>

namespace {

// Hosts translate files on several threads: every unnamed fill area must
// still get a number of its own.
std::atomic<int> unnamed_count{0};

// The entity's name, or the next "unnamed N" when it has none.
utString fill_area_name(const vorabsAttributeSet& attributes) {
  vorabsNamevorabsAttributePtr name;
  if (attributes.get(vorabsNAME, name))
    return name->string();
  utString unnamed("unnamed ");
  unnamed << unnamed_count.fetch_add(1, std::memory_order_relaxed);
  return unnamed;
}

} // namespace

vorabsFillAreaTranslator::~vorabsFillAreaTranslator() = default;

int vorabsFillAreaTranslator::non_spts_supported() const {
  return 1;
}

vorabsTranslationStatus vorabsFillAreaTranslator::create_annotation(
    const vorabsAttributeSet& attributes, const giXform3& transform, annGeometryItemannPtr& item) {
  velCurvePtr2 outer_curve;
  vorabsAttributeSet outer_attributes;
  outer_boundary(outer_curve, outer_attributes);
  if (outer_curve.invalid())
    return vorabsSTATUS_FAILED;
  annCurveannPtr outer = make_boundary(outer_curve, transform, outer_attributes,
                                       fill_area_name(attributes) + " Outer Boundary");
  if (outer.invalid())
    return vorabsSTATUS_FAILED;
  annCurveannPtrcoSet inner; // most fill areas have no holes: no storage until one comes
  for (int i = 0; i < num_inner_boundaries(); ++i) {
    velCurvePtr2 curve;
    vorabsAttributeSet inner_attributes;
    inner_boundary(curve, i, inner_attributes);
    if (curve.invalid())
      continue;
    utString name = fill_area_name(attributes) + " Inner Boundary";
    name << i;
    inner.add(make_boundary(curve, transform, inner_attributes, name));
  }
  annFillAreaannPtr fill_area =
      make_annFillArea(context().document(), outer, inner, fill_area_name(attributes));
  complete_fill_area(fill_area);
  item = fill_area;
  return fill_area.invalid() ? vorabsSTATUS_FAILED : vorabsSTATUS_OK;
}

annCurveannPtr
vorabsFillAreaTranslator::make_boundary(velCurvePtr2 curve, const giXform3& transform,
                                        const vorabsAttributeSet& boundary_attributes,
                                        const utString& name) {
  if (!transform.identity())
    curve = transform_boundary(curve, transform);
  annCurveannPtr item = make_annCurve(context().document(), curve, name);
  if (!item.invalid())
    vorabsAttributesToAnnotation(boundary_attributes, name).apply(context().document(), item);
  return item;
}

velCurvePtr2 vorabsFillAreaTranslator::transform_boundary(const velCurvePtr2& curve,
                                                          const giXform3& transform) {
  velSurfPtr plane(new velPlane(giWorkplane3(giWorkplaneWorld)));
  velCurvePtr3 in_space(new velCurveOnSurf3(curve, plane));
  if (!velCurve3::transform(in_space, transform))
    return velCurvePtr2();
  const vorResourceTable& table = vor_resource_table_inquire();
  velCurvePtr2coPageArr pieces;
  if (!vluCurveEmbedder(plane).embed_curve(in_space, table.value(vorTolPolygonizeCurve3d),
                                           table.value(vorTolCurveOnSurface3d), pieces))
    return velCurvePtr2();
  if (pieces.size() == 1)
    return pieces[0];
  auto* chain = new velCompCurve2(table.value(vorTolClosureCompCurve3d), 0);
  velCurvePtr2 result(chain);
  for (size_t i = 0; i < pieces.size(); ++i)
    if (!chain->add_segment_end(pieces[i]))
      return velCurvePtr2(); // the pieces do not join: no boundary rather than a broken one
  return result;
}
