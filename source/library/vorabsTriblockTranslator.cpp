// vorabsTriblockTranslator.cpp - the translator of a triangle-block entity.
#include "vorabsTriblockTranslator.h"

#include "vorabsLibSink.h"

vorabsTriblockTranslator::~vorabsTriblockTranslator() = default;

void vorabsTriblockTranslator::attributes(vorabsAttributeSet& set) const {
  mark_kind(set, vorabsTRIANGLEBLOCK);
}

int vorabsTriblockTranslator::triblock_invalid(const giTriBlock& block) {
  const giTriArr* triangles = block.find_feature<giTriArr>();
  return !triangles || triangles->size() == 0;
}

vorabsTranslationStatus vorabsTriblockTranslator::create_item(const vorabsAttributeSet& attributes,
                                                              const giXform3& transform,
                                                              vorabsInterface&,
                                                              vorabsLibSink& sink) {
  vorabsAttributeSet own(utCopy, attributes);
  set_attributes(own);
  giTriBlock block;
  vorabsTranslationStatus status = create_triblock(block);
  if (status != vorabsSTATUS_OK)
    return status;
  if (triblock_invalid(block))
    return vorabsSTATUS_FAILED;
  if (!transform.identity()) {
    giNodeXYZ* nodes = block.add_feature<giNodeXYZ>();
    for (size_t i = 0; i < nodes->size(); ++i)
      nodes->set(i, transform * (*nodes)[i]); // set() renews the cached box
  }
  return sink.triblock(block, own);
}
