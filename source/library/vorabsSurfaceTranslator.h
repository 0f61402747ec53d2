// vorabsSurfaceTranslator.h - the translator of a surface entity.
//
// A format library supplies create_surface. Under a transform other than
// the identity the member sends a transformed copy, so the surface the
// creation operation returned is never changed.
#pragma once

#include "vorabsTranslator.h"

#include "vel.h"

class VORABS_API vorabsSurfaceTranslator : public vorabsTranslator {
public:
  explicit vorabsSurfaceTranslator(const vorabsContext& context) : vorabsTranslator(context) {}
  ~vorabsSurfaceTranslator() override;
  void attributes(vorabsAttributeSet& set) const override;

protected:
  vorabsTranslationStatus create_item(const vorabsAttributeSet& attributes,
                                      const giXform3& transform, vorabsInterface& receiver,
                                      vorabsLibSink& sink) override;
  virtual vorabsTranslationStatus create_surface(velSurfPtr& surface) = 0;
};
