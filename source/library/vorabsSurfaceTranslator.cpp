// vorabsSurfaceTranslator.cpp - the translator of a surface entity.
#include "vorabsSurfaceTranslator.h"

#include "vorabsLibSink.h"

vorabsSurfaceTranslator::~vorabsSurfaceTranslator() = default;

void vorabsSurfaceTranslator::attributes(vorabsAttributeSet& set) const {
  mark_kind(set, vorabsSURFACE);
}

vorabsTranslationStatus vorabsSurfaceTranslator::create_item(const vorabsAttributeSet& attributes,
                                                             const giXform3& transform,
                                                             vorabsInterface&,
                                                             vorabsLibSink& sink) {
  vorabsAttributeSet own(utCopy, attributes);
  set_attributes(own);
  velSurfPtr surface;
  vorabsTranslationStatus status = create_surface(surface);
  if (status != vorabsSTATUS_OK)
    return status;
  if (surface.invalid())
    return vorabsSTATUS_FAILED;
  if (!transform.identity()) {
    surface = surface->copy();
    if (surface.invalid() || !velSurf::transform(surface, transform))
      return vorabsSTATUS_FAILED;
  }
  return sink.surface(surface, own);
}
