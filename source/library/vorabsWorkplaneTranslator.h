// vorabsWorkplaneTranslator.h - the translator of a workplane entity.
//
// A format library supplies create_workplane. Shape-preserving transforms
// move the workplane; any other transform is refused with a message.
#pragma once

#include "vorabsTranslator.h"

class VORABS_API vorabsWorkplaneTranslator : public vorabsTranslator {
public:
  explicit vorabsWorkplaneTranslator(const vorabsContext& context) : vorabsTranslator(context) {}
  ~vorabsWorkplaneTranslator() override;
  void attributes(vorabsAttributeSet& set) const override;

protected:
  vorabsTranslationStatus create_item(const vorabsAttributeSet& attributes,
                                      const giXform3& transform, vorabsInterface& receiver,
                                      vorabsLibSink& sink) override;
  virtual vorabsTranslationStatus create_workplane(giWorkplane3& workplane) = 0;
};
