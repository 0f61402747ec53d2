// vorabsCurveTranslator.cpp - the translator of a 3D curve entity.
#include "vorabsCurveTranslator.h"

#include "vorabsLibSink.h"

vorabsCurveTranslator::~vorabsCurveTranslator() = default;

void vorabsCurveTranslator::attributes(vorabsAttributeSet& set) const {
  mark_kind(set, vorabsCURVE);
}

vorabsTranslationStatus vorabsCurveTranslator::create_item(const vorabsAttributeSet& attributes,
                                                           const giXform3& transform,
                                                           vorabsInterface&, vorabsLibSink& sink) {
  velCurvePtr3 curve;
  vorabsTranslationStatus status = create_curve(curve);
  if (status != vorabsSTATUS_OK)
    return status;
  if (curve.invalid())
    return vorabsSTATUS_FAILED;
  if (!transform.identity()) {
    curve = curve->copy();
    if (curve.invalid() || !velCurve3::transform(curve, transform))
      return vorabsSTATUS_FAILED;
  }
  vorabsAttributeSet own(utCopy, attributes);
  set_attributes(own);
  return sink.curve3(curve, own);
}
