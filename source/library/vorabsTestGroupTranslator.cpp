// vorabsTestGroupTranslator.cpp - a group translator for checks.
#include "vorabsTestGroupTranslator.h"

#include "vorabsAttributePtr.h"
#include "vorabsDefaultNameMangler.h"

vorabsTestGroupTranslator::vorabsTestGroupTranslator(const vorabsContext& context,
                                                     const utString& name,
                                                     const giXform3& transform)
    : vorabsGroupTranslator(sto_class_annGroup(), transform, context), name_(name) {}

vorabsTestGroupTranslator::~vorabsTestGroupTranslator() = default;

void vorabsTestGroupTranslator::attributes(vorabsAttributeSet& set) const {
  vorabsGroupTranslator::attributes(set);
  vorabsNamevorabsAttributePtr name;
  set.check_out(vorabsNAME, name);
  *name = vorabsName(name_, 0);
}

vorabsNameMangler* vorabsTestGroupTranslator::create_name_mangler(utPtrRelease) const {
  return new vorabsDefaultNameMangler(name_);
}
