// vorabsLightTranslator.cpp - the translator of a light in an environment.
#include "vorabsLightTranslator.h"

#include "vorabsLibSink.h"

vorabsLightTranslator::~vorabsLightTranslator() = default;

void vorabsLightTranslator::attributes(vorabsAttributeSet& set) const {
  mark_kind(set, vorabsANNOTATION);
  vorabsObjectTypevorabsAttributePtr type;
  set.check_out(vorabsOBJECTTYPE, type);
  *type = vorabsObjectType(sto_class_annLight());
}

vorabsTranslationStatus vorabsLightTranslator::create_item(const vorabsAttributeSet& attributes,
                                                           const giXform3&, vorabsInterface&,
                                                           vorabsLibSink& sink) {
  vorabsAttributeSet own(utCopy, attributes);
  set_attributes(own);
  annLightannPtr light;
  vorabsTranslationStatus status = create_light(light);
  if (status != vorabsSTATUS_OK)
    return status;
  if (light.invalid())
    return vorabsSTATUS_FAILED;
  return sink.annotation(light, own);
}
