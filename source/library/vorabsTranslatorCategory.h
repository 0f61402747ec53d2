// vorabsTranslatorCategory.h - the kind of translator family an endpoint belongs to.
//
// The name decides the group order: "APPLICATION", "KERNEL", "NEUTRAL" and
// "TRIANGLE" are group 1, "FOOTWEAR" and "DENTAL" group 2 (exact,
// case-sensitive); any other name is group 0. Endpoints share a category
// through vorabsTranslatorCategorycoPrf.
#pragma once

#include "vorabs_export.h"

#include "co.h"
#include "ut.h"

class VORABS_API vorabsTranslatorCategory {
public:
  explicit vorabsTranslatorCategory(const utString& name);
  ~vorabsTranslatorCategory();

  int group_order() const { return group_order_; }
  const utString& name() const { return name_; }

private:
  int group_order_ = 0;
  utString name_;
};

using vorabsTranslatorCategorycoPrf = coPrf<vorabsTranslatorCategory>;
