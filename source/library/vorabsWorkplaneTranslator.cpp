// vorabsWorkplaneTranslator.cpp - the translator of a workplane entity.
#include "vorabsWorkplaneTranslator.h"

#include "vorabsLibSink.h"

#include "vorabsOutput.h"

vorabsWorkplaneTranslator::~vorabsWorkplaneTranslator() = default;

void vorabsWorkplaneTranslator::attributes(vorabsAttributeSet& set) const {
  mark_kind(set, vorabsWORKPLANE);
}

vorabsTranslationStatus vorabsWorkplaneTranslator::create_item(const vorabsAttributeSet& attributes,
                                                               const giXform3& transform,
                                                               vorabsInterface&,
                                                               vorabsLibSink& sink) {
  vorabsAttributeSet own(utCopy, attributes);
  set_attributes(own);
  giWorkplane3 workplane;
  vorabsTranslationStatus status = create_workplane(workplane);
  if (status != vorabsSTATUS_OK)
    return status;
  if (workplane.invalid())
    return vorabsSTATUS_FAILED;
  if (!transform.identity()) {
    if (!transform.shape_preserving()) {
      if (error())
        error()->tprintf("vorabs",
                         "Non shape preserving transforms of workplanes not supported.\n");
      return vorabsSTATUS_FAILED;
    }
    workplane.transform(transform);
  }
  return sink.workplane3(workplane, own);
}
