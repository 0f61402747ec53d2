// vorabsTriblockTranslator.h - the translator of a triangle-block entity.
//
// A format library supplies create_triblock. A transform moves the node
// positions only; normals and other features stay as they are.
#pragma once

#include "vorabsTranslator.h"

class VORABS_API vorabsTriblockTranslator : public vorabsTranslator {
public:
  explicit vorabsTriblockTranslator(const vorabsContext& context) : vorabsTranslator(context) {}
  ~vorabsTriblockTranslator() override;
  void attributes(vorabsAttributeSet& set) const override;

  // Nonzero when the block has no triangle feature or no triangle in it.
  static int triblock_invalid(const giTriBlock& block);

protected:
  vorabsTranslationStatus create_item(const vorabsAttributeSet& attributes,
                                      const giXform3& transform, vorabsInterface& receiver,
                                      vorabsLibSink& sink) override;
  virtual vorabsTranslationStatus create_triblock(giTriBlock& block) = 0;
};
