// vorabsBackgroundTranslator.cpp - the translator of the background of an environment.
#include "vorabsBackgroundTranslator.h"

#include "vorabsLibSink.h"

vorabsBackgroundTranslator::~vorabsBackgroundTranslator() = default;

void vorabsBackgroundTranslator::attributes(vorabsAttributeSet& set) const {
  mark_kind(set, vorabsANNOTATION);
  vorabsObjectTypevorabsAttributePtr type;
  set.check_out(vorabsOBJECTTYPE, type);
  *type = vorabsObjectType(sto_class_annBackground());
}

// The background is made before the attributes are completed.
vorabsTranslationStatus
vorabsBackgroundTranslator::create_item(const vorabsAttributeSet& attributes, const giXform3&,
                                        vorabsInterface&, vorabsLibSink& sink) {
  annBackgroundannPtr background;
  vorabsTranslationStatus status = create_background(background);
  if (status != vorabsSTATUS_OK)
    return status;
  if (background.invalid())
    return vorabsSTATUS_FAILED;
  vorabsAttributeSet own(utCopy, attributes);
  set_attributes(own);
  return sink.annotation(background, own);
}
