// vorabsGdtToleranceTranslator.cpp - a GD&T tolerance value with its modifiers.
#include "vorabsGdtToleranceTranslator.h"

vorabsGdtToleranceTranslator::vorabsGdtToleranceTranslator(double tolerance_value,
                                                           const intcoSet& modifiers,
                                                           const giXform3& transform,
                                                           const vorabsContext& context)
    : vorabsGroupTranslator(sto_class_gdtTolerance(), transform, context),
      tolerance_value_(tolerance_value), modifiers_(modifiers) {}

vorabsGdtToleranceTranslator::~vorabsGdtToleranceTranslator() = default;

annNamedItemPtr vorabsGdtToleranceTranslator::make_compound_object(const utString& name) {
  annNamedItemPtr group = vorabsGroupTranslator::make_compound_object(name);
  if (gdtTolerance* tolerance = gdtTolerance::sto_dynamic_cast(group.pointer())) {
    tolerance->set_tolerance_value(tolerance_value_);
    tolerance->add_modifier_set(modifiers_);
  }
  return group;
}

utString vorabsGdtToleranceTranslator::type_name() const {
  return utString("gdt_tolerance");
}
