// vorabsGdtDatumRefTranslator.cpp - a GD&T datum reference in a tolerance frame.
#include "vorabsGdtDatumRefTranslator.h"

vorabsGdtDatumRefTranslator::vorabsGdtDatumRefTranslator(const utString& label,
                                                         const intcoSet& modifiers,
                                                         const utString& datum_name,
                                                         const giXform3& transform,
                                                         const vorabsContext& context)
    : vorabsGroupTranslator(sto_class_gdtDatumRef(), transform, context), label_(label),
      modifiers_(modifiers) {
  if (!datum_name.empty())
    datum_name_ = datum_name;
}

vorabsGdtDatumRefTranslator::~vorabsGdtDatumRefTranslator() = default;

annNamedItemPtr vorabsGdtDatumRefTranslator::make_compound_object(const utString& name) {
  annNamedItemPtr group = vorabsGroupTranslator::make_compound_object(name);
  gdtDatumRef* reference = gdtDatumRef::sto_dynamic_cast(group.pointer());
  if (!reference)
    return group;
  reference->set_label(label_);
  reference->add_modifier_set(modifiers_);
  if (!datum_name_.empty())
    reference->set_datum_name(datum_name_);
  return group;
}

utString vorabsGdtDatumRefTranslator::type_name() const {
  return utString("gdt_datum_ref");
}
