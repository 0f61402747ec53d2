// vorabsAngularDimensionTranslator.cpp - an angular dimension, drawn about a vertex.
#include "vorabsAngularDimensionTranslator.h"

#include "vorabsDimensionPoint.h"

vorabsAngularDimensionTranslator::vorabsAngularDimensionTranslator(const giPoint3& vertex,
                                                                   double radius,
                                                                   const giXform3& transform,
                                                                   const vorabsContext& context)
    : vorabsGroupTranslator(sto_class_annAngularDimension(), transform, context), vertex_(vertex),
      radius_(radius) {}

vorabsAngularDimensionTranslator::~vorabsAngularDimensionTranslator() = default;

annNamedItemPtr vorabsAngularDimensionTranslator::make_compound_object(const utString& name) {
  annNamedItemPtr group = vorabsGroupTranslator::make_compound_object(name);
  annAngularDimension* dimension = annAngularDimension::sto_dynamic_cast(group.pointer());
  if (!dimension)
    return group;
  dimension->set_vertex(vorabs_make_dimension_point(*this, vertex_, name, " arc vertex"));
  dimension->set_radius(radius_);
  return group;
}

utString vorabsAngularDimensionTranslator::type_name() const {
  return utString("dimension");
}
