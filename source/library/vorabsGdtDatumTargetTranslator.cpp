// vorabsGdtDatumTargetTranslator.cpp - a GD&T datum target: where on a part a datum is taken.
#include "vorabsGdtDatumTargetTranslator.h"

vorabsGdtDatumTargetTranslator::vorabsGdtDatumTargetTranslator(const gdtDatumTargetSize& size,
                                                               const utString& label,
                                                               const utString& datum_name,
                                                               const giXform3& transform,
                                                               const vorabsContext& context)
    : vorabsGroupTranslator(sto_class_gdtDatumTarget(), transform, context), size_(size),
      label_(label) {
  if (!datum_name.empty())
    datum_name_ = datum_name;
}

vorabsGdtDatumTargetTranslator::~vorabsGdtDatumTargetTranslator() = default;

annNamedItemPtr vorabsGdtDatumTargetTranslator::make_compound_object(const utString& name) {
  annNamedItemPtr group = vorabsGroupTranslator::make_compound_object(name);
  gdtDatumTarget* target = gdtDatumTarget::sto_dynamic_cast(group.pointer());
  if (!target)
    return group;
  target->set_size(size_);
  target->set_label(label_);
  if (!datum_name_.empty())
    target->set_datum_name(datum_name_);
  return group;
}

utString vorabsGdtDatumTargetTranslator::type_name() const {
  return utString("gdt_datum_target");
}
