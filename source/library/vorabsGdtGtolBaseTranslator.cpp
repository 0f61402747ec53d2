// vorabsGdtGtolBaseTranslator.cpp - a geometric tolerance of a kind chosen by class tag.
#include "vorabsGdtGtolBaseTranslator.h"

#include "vorabsGdtRouting.h"

vorabsGdtGtolBaseTranslator::vorabsGdtGtolBaseTranslator(const stoClass* group_class,
                                                         const giXform3& transform,
                                                         const vorabsContext& context)
    : vorabsGroupTranslator(group_class, transform, context) {}

vorabsGdtGtolBaseTranslator::~vorabsGdtGtolBaseTranslator() = default;

void vorabsGdtGtolBaseTranslator::add_associated_geometry_translator(
    const vorabsTranslatorcoPrf& translator) {
  add_translator(translator);
  associated_.add(translator.get());
}

void vorabsGdtGtolBaseTranslator::add_attached_annotation_translator(
    const vorabsTranslatorcoPrf& translator) {
  add_translator(translator);
  attached_.add(translator.get());
}

void vorabsGdtGtolBaseTranslator::add_geometry(const annGeometryItemannPtr& item) {
  if (!vorabs_gdt_route(gdtGeometricToleranceBase::sto_dynamic_cast(group().pointer()),
                        current_translator(), associated_, attached_, item))
    vorabsGroupTranslator::add_geometry(item);
}

utString vorabsGdtGtolBaseTranslator::type_name() const {
  return utString("geometric tolerance");
}
