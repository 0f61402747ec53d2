// vorabsWitnessTranslator.cpp - a witness line, tied to the point it dimensions.
#include "vorabsWitnessTranslator.h"

#include "vorabsDimensionPoint.h"

vorabsWitnessTranslator::vorabsWitnessTranslator(const giPoint3& dimensioned_point,
                                                 const giXform3& transform,
                                                 const vorabsContext& context)
    : vorabsGroupTranslator(sto_class_annWitnessLine(), transform, context),
      dimensioned_point_(dimensioned_point) {}

vorabsWitnessTranslator::~vorabsWitnessTranslator() = default;

annNamedItemPtr vorabsWitnessTranslator::make_compound_object(const utString& name) {
  annNamedItemPtr group = vorabsGroupTranslator::make_compound_object(name);
  annWitnessLine* dimension = annWitnessLine::sto_dynamic_cast(group.pointer());
  if (!dimension || dimensioned_point_.invalid())
    return group;
  dimension->set_dimensioned_point(
      vorabs_make_dimension_point(*this, dimensioned_point_, name, " dimensioned point"));
  return group;
}

utString vorabsWitnessTranslator::type_name() const {
  return utString("witness line");
}
