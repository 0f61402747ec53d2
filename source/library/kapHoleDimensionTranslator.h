// kapHoleDimensionTranslator.h - a hole dimension: the sizes of a drilled hole.
//
// The compound object is an annHoleDimension group made in the context's
// document; the lines, arrows and text of the dimension arrive as its
// members. The format library's subclass reports the hole through
// hole_information each time the group is made; the group gets the hole
// diameter always, the counterbore and countersink sizes only when above 0
// and the countersink angle only when set. The document owns the group.
// Format libraries supply attributes, create_name_mangler and
// hole_information.
#pragma once

#include "vorabs_export.h"

#include "kapHoleInformation.h"
#include "vorabsGroupTranslator.h"

class VORABS_API kapHoleDimensionTranslator : public vorabsGroupTranslator {
public:
  kapHoleDimensionTranslator(const giXform3& transform, const vorabsContext& context);
  ~kapHoleDimensionTranslator() override;

  // Fills the record passed in, which arrives at its defaults; what is left
  // alone keeps them.
  virtual void hole_information(kapHoleInformation& information) = 0;

protected:
  annNamedItemPtr make_compound_object(const utString& name) override;
  // "dimension".
  utString type_name() const override;
};
