// vorabsWitnessTranslator.h - a witness line, tied to the point it dimensions.
//
// The compound object is an annWitnessLine group made in the context's
// document; the lines of the witness line arrive as its members. The
// translator keeps the point the line ties its dimension to, unchanged for
// its life, and gives the witness line a point item there, named with the
// line's name and " dimensioned point" and dressed in the translator's own
// attributes. An unset point gives a witness line without one. The document
// owns the group and the point. Format libraries supply attributes and
// create_name_mangler.
#pragma once

#include "vorabs_export.h"

#include "vorabsGroupTranslator.h"

class VORABS_API vorabsWitnessTranslator : public vorabsGroupTranslator {
public:
  vorabsWitnessTranslator(const giPoint3& dimensioned_point, const giXform3& transform,
                          const vorabsContext& context);
  ~vorabsWitnessTranslator() override;

  const giPoint3& dimensioned_point() const { return dimensioned_point_; }

protected:
  annNamedItemPtr make_compound_object(const utString& name) override;
  // "witness line".
  utString type_name() const override;

private:
  giPoint3 dimensioned_point_;
};
