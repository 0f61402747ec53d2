// vorabsGdtRoughnessTranslator.cpp - a surface roughness symbol.
#include "vorabsGdtRoughnessTranslator.h"

vorabsGdtRoughnessTranslator::vorabsGdtRoughnessTranslator(gdtRoughnessObtentionType obtention_type,
                                                           gdtRoughnessApplyTo apply_to,
                                                           gdtRoughnessMode mode,
                                                           const giXform3& transform,
                                                           const vorabsContext& context)
    : vorabsGroupTranslator(sto_class_gdtRoughness(), transform, context),
      obtention_type_(obtention_type), apply_to_(apply_to), mode_(mode) {}

vorabsGdtRoughnessTranslator::~vorabsGdtRoughnessTranslator() = default;

annNamedItemPtr vorabsGdtRoughnessTranslator::make_compound_object(const utString& name) {
  annNamedItemPtr group = vorabsGroupTranslator::make_compound_object(name);
  if (gdtRoughness* roughness = gdtRoughness::sto_dynamic_cast(group.pointer())) {
    roughness->set_obtention_type(obtention_type_);
    roughness->set_apply_to(apply_to_);
    roughness->set_rough_mode(mode_);
  }
  return group;
}

utString vorabsGdtRoughnessTranslator::type_name() const {
  return utString("gdt_roughness");
}
