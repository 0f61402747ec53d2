// vorabsFaceTranslator.cpp - the translator of a face.
#include "vorabsFaceTranslator.h"

vorabsFaceTranslator::~vorabsFaceTranslator() = default;

void vorabsFaceTranslator::attributes(vorabsAttributeSet& set) const {
  vorabsTopologyTranslator::attributes(set);
  mark_kind(set, vorabsFACE);
}
