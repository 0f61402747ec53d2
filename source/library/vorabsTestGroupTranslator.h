// vorabsTestGroupTranslator.h - a group translator for checks, named and mangling with its name.
//
// Makes plain annotation groups; while its contents are flattened, names
// made inside it get "_" and its name appended.
#pragma once

#include "vorabsGroupTranslator.h"

class VORABS_API vorabsTestGroupTranslator : public vorabsGroupTranslator {
public:
  vorabsTestGroupTranslator(const vorabsContext& context, const utString& name,
                            const giXform3& transform);
  ~vorabsTestGroupTranslator() override;
  // The group's attributes, named with the stored name.
  void attributes(vorabsAttributeSet& set) const override;

protected:
  vorabsNameMangler* create_name_mangler(utPtrRelease release) const override;

private:
  utString name_;
};
