// vorabsDefaultNameMangler.h - appends "_" and a tag, then passes the name outwards.
//
// With live default manglers tagged T1 (outermost) to T3 (innermost), the
// name N becomes N_T3_T2_T1.
#pragma once

#include "vorabsNameMangler.h"

class VORABS_API vorabsDefaultNameMangler : public vorabsNameMangler {
public:
  explicit vorabsDefaultNameMangler(const utString& tag) : tag_(tag) {}
  ~vorabsDefaultNameMangler() override;

protected:
  utString do_mangling(const utString& name) const override;

private:
  utString tag_;
};
