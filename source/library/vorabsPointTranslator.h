// vorabsPointTranslator.h - the translator of a point entity.
//
// A format library supplies create_point; the member marks the entity as a
// point, refuses an unset point, applies the transform and sends the point
// to the sink's point3.
#pragma once

#include "vorabsTranslator.h"

class VORABS_API vorabsPointTranslator : public vorabsTranslator {
public:
  explicit vorabsPointTranslator(const vorabsContext& context) : vorabsTranslator(context) {}
  ~vorabsPointTranslator() override;
  void attributes(vorabsAttributeSet& set) const override;

protected:
  vorabsTranslationStatus create_item(const vorabsAttributeSet& attributes,
                                      const giXform3& transform, vorabsInterface& receiver,
                                      vorabsLibSink& sink) override;
  // Fills point with the entity as the source holds it.
  virtual vorabsTranslationStatus create_point(giPoint3& point) = 0;
};
