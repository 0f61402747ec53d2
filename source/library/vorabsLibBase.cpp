// vorabsLibBase.cpp - the root of every endpoint.
#include "vorabsLibBase.h"

vorabsLibBase::vorabsLibBase(const utString& category_name)
    : category_(new vorabsTranslatorCategory(category_name)) {}

vorabsLibBase::~vorabsLibBase() = default;

vorabsTranslatorCategorycoPrf vorabsLibBase::translator_category() {
  return category_;
}
