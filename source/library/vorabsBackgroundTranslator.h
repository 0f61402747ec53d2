// vorabsBackgroundTranslator.h - the translator of the background of an environment.
//
// A format library supplies create_background; the member hands the
// background to the sink as annotation with the entity's completed
// attributes.
#pragma once

#include "vorabsTranslator.h"

#include "ann/annPresentation.h"

class VORABS_API vorabsBackgroundTranslator : public vorabsTranslator {
public:
  explicit vorabsBackgroundTranslator(const vorabsContext& context) : vorabsTranslator(context) {}
  ~vorabsBackgroundTranslator() override;
  // Annotation of the background kind.
  void attributes(vorabsAttributeSet& set) const override;

protected:
  vorabsTranslationStatus create_item(const vorabsAttributeSet& attributes,
                                      const giXform3& transform, vorabsInterface& receiver,
                                      vorabsLibSink& sink) override;
  virtual vorabsTranslationStatus create_background(annBackgroundannPtr& background) = 0;
};
