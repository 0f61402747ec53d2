// vorabsTranslatorPtrArray.cpp - the translators held by a compound or a reader, in order.
#include "vorabsTranslatorPtrArray.h"

#include <utility>

int vorabsTranslatorcoPrfcoVariableArrcoIterator::operator++() {
  if (remaining_ == 0) {
    index_ = 0;
    remaining_ = array_->size();
    return remaining_ != 0;
  }
  ++index_;
  // Translators added during the walk are walked too.
  remaining_ = array_->size() > index_ ? array_->size() - index_ : 0;
  return remaining_ != 0;
}

vorabsTranslatorPtrArray::~vorabsTranslatorPtrArray() = default;

void vorabsTranslatorPtrArray::add_translator(const vorabsTranslatorcoPrf& translator) {
  add_translator(vorabsTranslatorcoPrf(translator));
}

void vorabsTranslatorPtrArray::add_translator(vorabsTranslatorcoPrf&& translator) {
  translators_.append(std::move(translator));
  const vorabsTranslatorcoPrf& stored = translators_.last();
  if (!stored.invalid())
    total_ += stored->num_translators();
}

void vorabsTranslatorPtrArray::clear() {
  for (vorabsTranslatorcoPrf& translator : translators_)
    translator.reset();
}
