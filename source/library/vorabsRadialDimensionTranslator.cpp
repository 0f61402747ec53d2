// vorabsRadialDimensionTranslator.cpp - a radius dimension, measured from an arc centre.
#include "vorabsRadialDimensionTranslator.h"

#include "vorabsDimensionPoint.h"

vorabsRadialDimensionTranslator::vorabsRadialDimensionTranslator(const giPoint3& centre,
                                                                 const giXform3& transform,
                                                                 const vorabsContext& context)
    : vorabsGroupTranslator(sto_class_annRadiusDimension(), transform, context), centre_(centre) {}

vorabsRadialDimensionTranslator::~vorabsRadialDimensionTranslator() = default;

annNamedItemPtr vorabsRadialDimensionTranslator::make_compound_object(const utString& name) {
  annNamedItemPtr group = vorabsGroupTranslator::make_compound_object(name);
  annRadiusDimension* dimension = annRadiusDimension::sto_dynamic_cast(group.pointer());
  if (!dimension)
    return group;
  dimension->set_centre(vorabs_make_dimension_point(*this, centre_, name, " arc centre"));
  return group;
}

utString vorabsRadialDimensionTranslator::type_name() const {
  return utString("dimension");
}
