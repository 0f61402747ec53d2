// vorabsTestUnlinkedSolidTranslator.cpp - an unlinked solid for checks.
#include "vorabsTestUnlinkedSolidTranslator.h"

#include "vorabsAttributePtr.h"
#include "vorabsDefaultNameMangler.h"

vorabsTestUnlinkedSolidTranslator::vorabsTestUnlinkedSolidTranslator(const vorabsContext& context,
                                                                     const utString& name)
    : vorabsUnlinkedSolidTranslator(giXform3(giXformIdentity), context), name_(name) {}

vorabsTestUnlinkedSolidTranslator::~vorabsTestUnlinkedSolidTranslator() = default;

void vorabsTestUnlinkedSolidTranslator::attributes(vorabsAttributeSet& set) const {
  vorabsUnlinkedSolidTranslator::attributes(set);
  vorabsNamevorabsAttributePtr name;
  set.check_out(vorabsNAME, name);
  *name = vorabsName(name_, 0);
}

vorabsNameMangler* vorabsTestUnlinkedSolidTranslator::create_name_mangler(utPtrRelease) const {
  return new vorabsDefaultNameMangler(name_);
}
