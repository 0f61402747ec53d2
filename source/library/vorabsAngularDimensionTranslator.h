// vorabsAngularDimensionTranslator.h - an angular dimension, drawn about a vertex.
//
// The compound object is an annAngularDimension group made in the context's
// document; the lines, arrows and text of the dimension arrive as its
// members. The translator keeps the vertex of the angle and the radius of
// its arc, unchanged for its life, and gives the dimension a point item at
// the vertex, named with the dimension's name and " arc vertex" and dressed
// in the translator's own attributes, then the radius; an unset vertex is
// given too. The document owns the group and the point. Format libraries
// supply attributes and create_name_mangler.
#pragma once

#include "vorabs_export.h"

#include "vorabsGroupTranslator.h"

class VORABS_API vorabsAngularDimensionTranslator : public vorabsGroupTranslator {
public:
  vorabsAngularDimensionTranslator(const giPoint3& vertex, double radius, const giXform3& transform,
                                   const vorabsContext& context);
  ~vorabsAngularDimensionTranslator() override;

  const giPoint3& vertex() const { return vertex_; }
  double radius() const { return radius_; }

protected:
  annNamedItemPtr make_compound_object(const utString& name) override;
  // "dimension".
  utString type_name() const override;

private:
  giPoint3 vertex_;
  double radius_;
};
