// vorabsCurveTranslator.h - the translator of a 3D curve entity.
//
// A format library supplies create_curve. Under a transform other than the
// identity the member sends a transformed copy, so the curve the creation
// operation returned is never changed.
#pragma once

#include "vorabsTranslator.h"

#include "vel.h"

class VORABS_API vorabsCurveTranslator : public vorabsTranslator {
public:
  explicit vorabsCurveTranslator(const vorabsContext& context) : vorabsTranslator(context) {}
  ~vorabsCurveTranslator() override;
  void attributes(vorabsAttributeSet& set) const override;

protected:
  vorabsTranslationStatus create_item(const vorabsAttributeSet& attributes,
                                      const giXform3& transform, vorabsInterface& receiver,
                                      vorabsLibSink& sink) override;
  virtual vorabsTranslationStatus create_curve(velCurvePtr3& curve) = 0;
};
