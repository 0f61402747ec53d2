// vorabsPointTranslator.cpp - the translator of a point entity.
#include "vorabsPointTranslator.h"

#include "vorabsLibSink.h"

vorabsPointTranslator::~vorabsPointTranslator() = default;

void vorabsPointTranslator::attributes(vorabsAttributeSet& set) const {
  mark_kind(set, vorabsPOINT);
}

vorabsTranslationStatus vorabsPointTranslator::create_item(const vorabsAttributeSet& attributes,
                                                           const giXform3& transform,
                                                           vorabsInterface&, vorabsLibSink& sink) {
  vorabsAttributeSet own(utCopy, attributes);
  set_attributes(own);
  giPoint3 point;
  vorabsTranslationStatus status = create_point(point);
  if (status != vorabsSTATUS_OK)
    return status;
  if (point.invalid())
    return vorabsSTATUS_FAILED;
  if (!transform.identity())
    point = transform * point;
  return sink.point3(point, own);
}
