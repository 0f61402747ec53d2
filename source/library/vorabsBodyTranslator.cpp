// vorabsBodyTranslator.cpp - the translator of a body entity.
#include "vorabsBodyTranslator.h"

#include "vorabsLibSink.h"

vorabsBodyTranslator::~vorabsBodyTranslator() = default;

void vorabsBodyTranslator::attributes(vorabsAttributeSet& set) const {
  mark_kind(set, vorabsBODY);
}

vorabsTranslationStatus vorabsBodyTranslator::create_item(const vorabsAttributeSet& attributes,
                                                          const giXform3& transform,
                                                          vorabsInterface&, vorabsLibSink& sink) {
  aqtIBodycoPrf body;
  vorabsTranslationStatus status = create_body(transform, body);
  if (status != vorabsSTATUS_OK)
    return status;
  if (body.invalid())
    return vorabsSTATUS_FAILED;
  vorabsAttributeSet own(utCopy, attributes);
  set_attributes(own);
  add_parent_suffix(own);
  return sink.body(body, own);
}
