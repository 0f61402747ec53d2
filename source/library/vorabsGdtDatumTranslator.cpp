// vorabsGdtDatumTranslator.cpp - a GD&T datum: its label and the geometry it is set on.
#include "vorabsGdtDatumTranslator.h"

#include "vorabsGdtRouting.h"

vorabsGdtDatumTranslator::vorabsGdtDatumTranslator(const utString& label, const giXform3& transform,
                                                   const vorabsContext& context)
    : vorabsGroupTranslator(sto_class_gdtDatum(), transform, context), label_(label) {}

vorabsGdtDatumTranslator::~vorabsGdtDatumTranslator() = default;

void vorabsGdtDatumTranslator::add_associated_geometry_translator(
    const vorabsTranslatorcoPrf& translator) {
  add_translator(translator);
  associated_.add(translator.get());
}

void vorabsGdtDatumTranslator::add_attached_annotation_translator(
    const vorabsTranslatorcoPrf& translator) {
  add_translator(translator);
  attached_.add(translator.get());
}

annNamedItemPtr vorabsGdtDatumTranslator::make_compound_object(const utString& name) {
  annNamedItemPtr group = vorabsGroupTranslator::make_compound_object(name);
  if (gdtDatum* datum = gdtDatum::sto_dynamic_cast(group.pointer()))
    datum->set_label(label_);
  return group;
}

void vorabsGdtDatumTranslator::add_geometry(const annGeometryItemannPtr& item) {
  if (!vorabs_gdt_route(gdtDatum::sto_dynamic_cast(group().pointer()), current_translator(),
                        associated_, attached_, item))
    vorabsGroupTranslator::add_geometry(item);
}

utString vorabsGdtDatumTranslator::type_name() const {
  return utString("gdt_datum");
}
