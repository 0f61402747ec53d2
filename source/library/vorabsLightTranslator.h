// vorabsLightTranslator.h - the translator of a light in an environment.
//
// A format library supplies create_light; the member hands the light to the
// sink as annotation with the entity's completed attributes.
#pragma once

#include "vorabsTranslator.h"

#include "ann/annPresentation.h"

class VORABS_API vorabsLightTranslator : public vorabsTranslator {
public:
  explicit vorabsLightTranslator(const vorabsContext& context) : vorabsTranslator(context) {}
  ~vorabsLightTranslator() override;
  // Annotation of the light kind.
  void attributes(vorabsAttributeSet& set) const override;

protected:
  vorabsTranslationStatus create_item(const vorabsAttributeSet& attributes,
                                      const giXform3& transform, vorabsInterface& receiver,
                                      vorabsLibSink& sink) override;
  virtual vorabsTranslationStatus create_light(annLightannPtr& light) = 0;
};
