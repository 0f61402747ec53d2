// kapHoleDimensionTranslator.cpp - a hole dimension: the sizes of a drilled hole.
#include "kapHoleDimensionTranslator.h"

kapHoleDimensionTranslator::kapHoleDimensionTranslator(const giXform3& transform,
                                                       const vorabsContext& context)
    : vorabsGroupTranslator(sto_class_annHoleDimension(), transform, context) {}

kapHoleDimensionTranslator::~kapHoleDimensionTranslator() = default;

annNamedItemPtr kapHoleDimensionTranslator::make_compound_object(const utString& name) {
  annNamedItemPtr group = vorabsGroupTranslator::make_compound_object(name);
  annHoleDimension* dimension = annHoleDimension::sto_dynamic_cast(group.pointer());
  if (!dimension)
    return group;
  kapHoleInformation hole;
  hole_information(hole);
  dimension->set_hole_diameter(hole.hole_diameter());
  if (hole.counterbore_diameter() > 0.0)
    dimension->set_counterbore_diameter(hole.counterbore_diameter());
  if (hole.counterbore_depth() > 0.0)
    dimension->set_counterbore_depth(hole.counterbore_depth());
  if (hole.countersink_diameter() > 0.0)
    dimension->set_countersink_diameter(hole.countersink_diameter());
  if (!hole.countersink_angle().invalid())
    dimension->set_countersink_angle(hole.countersink_angle());
  return group;
}

utString kapHoleDimensionTranslator::type_name() const {
  return utString("dimension");
}
