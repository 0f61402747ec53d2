// vorabsOrdinateDimensionTranslator.h - an ordinate dimension, measured from an origin.
//
// The compound object is an annOrdinateDimension group made in the
// context's document; the lines, arrows and text of the dimension arrive as
// its members. The translator keeps the origin the distance is measured
// from, unchanged for its life, and gives the dimension a point item there,
// named with the dimension's name and " origin" and dressed in the
// translator's own attributes. An unset origin gives a dimension without
// one. The document owns the group and the point. Format libraries supply
// attributes and create_name_mangler.
#pragma once

#include "vorabs_export.h"

#include "vorabsGroupTranslator.h"

class VORABS_API vorabsOrdinateDimensionTranslator : public vorabsGroupTranslator {
public:
  vorabsOrdinateDimensionTranslator(const giPoint3& origin, const giXform3& transform,
                                    const vorabsContext& context);
  ~vorabsOrdinateDimensionTranslator() override;

  const giPoint3& origin() const { return origin_; }

protected:
  annNamedItemPtr make_compound_object(const utString& name) override;
  // "dimension".
  utString type_name() const override;

private:
  giPoint3 origin_;
};
