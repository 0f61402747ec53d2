// vorabsDiametricDimensionTranslator.cpp - a diameter dimension through a circle centre.
#include "vorabsDiametricDimensionTranslator.h"

#include "vorabsDimensionPoint.h"

vorabsDiametricDimensionTranslator::vorabsDiametricDimensionTranslator(const giPoint3& centre,
                                                                       const giXform3& transform,
                                                                       const vorabsContext& context)
    : vorabsGroupTranslator(sto_class_annDiameterDimension(), transform, context), centre_(centre) {
}

vorabsDiametricDimensionTranslator::~vorabsDiametricDimensionTranslator() = default;

annNamedItemPtr vorabsDiametricDimensionTranslator::make_compound_object(const utString& name) {
  annNamedItemPtr group = vorabsGroupTranslator::make_compound_object(name);
  annDiameterDimension* dimension = annDiameterDimension::sto_dynamic_cast(group.pointer());
  if (!dimension)
    return group;
  dimension->set_centre(vorabs_make_dimension_point(*this, centre_, name, " arc centre"));
  return group;
}

utString vorabsDiametricDimensionTranslator::type_name() const {
  return utString("dimension");
}
