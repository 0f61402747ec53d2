// vorabsSymbolTranslator.cpp - the translator of a point symbol.
#include "vorabsSymbolTranslator.h"

#include "vorabsAttributePtr.h"
#include "vorabsLibSink.h"

vorabsSymbolTranslator::vorabsSymbolTranslator(const giXform3& own_transform,
                                               const vorabsContext& context)
    : vorabsGroupTranslator(sto_class_annPointSymbolInstance(), own_transform, context) {}

vorabsSymbolTranslator::~vorabsSymbolTranslator() = default;

vorabsTranslationStatus vorabsSymbolTranslator::create_item(const vorabsAttributeSet& attributes,
                                                            const giXform3& transform,
                                                            vorabsInterface& receiver,
                                                            vorabsLibSink& sink) {
  vorabsAttributeSet own(utCopy, attributes);
  set_attributes(own);
  if (num_top_level_translators() > 0)
    return vorabsGroupTranslator::create_item(own, transform, receiver, sink);
  if (!transform.shape_preserving() || !own_transform().shape_preserving())
    return vorabsSTATUS_FAILED;
  giXform3 placement(own_transform());
  placement.premultiply(transform);
  vorabsNamevorabsAttributePtr name_value;
  const utString name = own.get(vorabsNAME, name_value) ? name_value->string() : utString("_");
  make_compound_object(name);
  if (group().invalid())
    return vorabsSTATUS_FAILED;
  vorabsGroupTranslator::handle_spt_transform(placement, name);
  return sink.annotation(group(), own);
}

void vorabsSymbolTranslator::handle_spt_transform(const giXform3& transform, const utString& name) {
  vorabsGroupTranslator::handle_spt_transform(transform, name);
}

utString vorabsSymbolTranslator::type_name() const {
  return utString("symbol");
}

void vorabsSymbolTranslator::handle_conversion_transform(const giXform3& own,
                                                         const giXform3& incoming,
                                                         giXform3& result) const {
  vorabsGroupTranslator::handle_conversion_transform(own, incoming, result);
  if (group().invalid())
    return;
  group()->set_transform(annSPT::make_annSPT(context().document(), giWorkplane3(giWorkplaneWorld),
                                             1.0, group()->name()));
}
