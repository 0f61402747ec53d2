// vorabsTestPointTranslator.h - a point translator that delivers a stored point under a stored
// name.
#pragma once

#include "vorabsPointTranslator.h"

class VORABS_API vorabsTestPointTranslator : public vorabsPointTranslator {
public:
  vorabsTestPointTranslator(const vorabsContext& context, const utString& name,
                            const giPoint3& point)
      : vorabsPointTranslator(context), name_(name), point_(point) {}
  ~vorabsTestPointTranslator() override;
  // The point's attributes, named with the stored name.
  void attributes(vorabsAttributeSet& set) const override;

protected:
  vorabsTranslationStatus create_point(giPoint3& point) override;

private:
  utString name_;
  giPoint3 point_;
};
