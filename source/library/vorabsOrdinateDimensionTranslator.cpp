// vorabsOrdinateDimensionTranslator.cpp - an ordinate dimension, measured from an origin.
#include "vorabsOrdinateDimensionTranslator.h"

#include "vorabsDimensionPoint.h"

vorabsOrdinateDimensionTranslator::vorabsOrdinateDimensionTranslator(const giPoint3& origin,
                                                                     const giXform3& transform,
                                                                     const vorabsContext& context)
    : vorabsGroupTranslator(sto_class_annOrdinateDimension(), transform, context), origin_(origin) {
}

vorabsOrdinateDimensionTranslator::~vorabsOrdinateDimensionTranslator() = default;

annNamedItemPtr vorabsOrdinateDimensionTranslator::make_compound_object(const utString& name) {
  annNamedItemPtr group = vorabsGroupTranslator::make_compound_object(name);
  annOrdinateDimension* dimension = annOrdinateDimension::sto_dynamic_cast(group.pointer());
  if (!dimension || origin_.invalid())
    return group;
  dimension->set_origin(vorabs_make_dimension_point(*this, origin_, name, " origin"));
  return group;
}

utString vorabsOrdinateDimensionTranslator::type_name() const {
  return utString("dimension");
}
