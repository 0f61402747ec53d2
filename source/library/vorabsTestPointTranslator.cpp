// vorabsTestPointTranslator.cpp - a point translator that delivers a stored point.
#include "vorabsTestPointTranslator.h"

#include "vorabsAttributePtr.h"

vorabsTestPointTranslator::~vorabsTestPointTranslator() = default;

void vorabsTestPointTranslator::attributes(vorabsAttributeSet& set) const {
  vorabsPointTranslator::attributes(set);
  vorabsNamevorabsAttributePtr name;
  set.check_out(vorabsNAME, name);
  *name = vorabsName(name_, 0);
}

vorabsTranslationStatus vorabsTestPointTranslator::create_point(giPoint3& point) {
  point = point_;
  return vorabsSTATUS_OK;
}
