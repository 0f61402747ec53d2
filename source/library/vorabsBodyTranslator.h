// vorabsBodyTranslator.h - the translator of a body entity.
//
// A format library supplies create_body, which receives the transform and
// returns the body already placed.
#pragma once

#include "vorabsTranslator.h"

#include "top.h"

class VORABS_API vorabsBodyTranslator : public vorabsTranslator {
public:
  explicit vorabsBodyTranslator(const vorabsContext& context) : vorabsTranslator(context) {}
  ~vorabsBodyTranslator() override;
  void attributes(vorabsAttributeSet& set) const override;

protected:
  vorabsTranslationStatus create_item(const vorabsAttributeSet& attributes,
                                      const giXform3& transform, vorabsInterface& receiver,
                                      vorabsLibSink& sink) override;
  virtual vorabsTranslationStatus create_body(const giXform3& transform, aqtIBodycoPrf& body) = 0;
};
