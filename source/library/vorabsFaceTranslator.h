// vorabsFaceTranslator.h - the translator of a face: a topology that is also marked a face.
#pragma once

#include "vorabsTopologyTranslator.h"

class VORABS_API vorabsFaceTranslator : public vorabsTopologyTranslator {
public:
  explicit vorabsFaceTranslator(const vorabsContext& context) : vorabsTopologyTranslator(context) {}
  ~vorabsFaceTranslator() override;
  void attributes(vorabsAttributeSet& set) const override;
};
