// vorabsRadialDimensionTranslator.h - a radius dimension, measured from an arc centre.
//
// The compound object is an annRadiusDimension group made in the context's
// document; the lines, arrows and text of the dimension arrive as its
// members. The translator keeps the centre of the arc, unchanged for its
// life, and gives the dimension a point item there, named with the
// dimension's name and " arc centre" and dressed in the translator's own
// attributes; an unset centre is given too. The document owns the group and
// the point. Format libraries supply attributes and create_name_mangler.
#pragma once

#include "vorabs_export.h"

#include "vorabsGroupTranslator.h"

class VORABS_API vorabsRadialDimensionTranslator : public vorabsGroupTranslator {
public:
  vorabsRadialDimensionTranslator(const giPoint3& centre, const giXform3& transform,
                                  const vorabsContext& context);
  ~vorabsRadialDimensionTranslator() override;

  const giPoint3& centre() const { return centre_; }

protected:
  annNamedItemPtr make_compound_object(const utString& name) override;
  // "dimension".
  utString type_name() const override;

private:
  giPoint3 centre_;
};
