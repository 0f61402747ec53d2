// vorabsTestUnlinkedSolidTranslator.h - an unlinked solid for checks, known by a stored name.
//
// Stays where it is (identity transform); its stored name is the solid's
// name, its identifier as parent of every face, and what names made while
// its contents are flattened get appended.
#pragma once

#include "vorabsUnlinkedSolidTranslator.h"

class VORABS_API vorabsTestUnlinkedSolidTranslator : public vorabsUnlinkedSolidTranslator {
public:
  vorabsTestUnlinkedSolidTranslator(const vorabsContext& context, const utString& name);
  ~vorabsTestUnlinkedSolidTranslator() override;
  // The solid's attributes, named with the stored name.
  void attributes(vorabsAttributeSet& set) const override;

protected:
  vorabsNameMangler* create_name_mangler(utPtrRelease release) const override;
  utString parent_id() const override { return name_; }

private:
  utString name_;
};
