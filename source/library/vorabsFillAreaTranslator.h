// vorabsFillAreaTranslator.h - the translator of a filled area with holes.
//
// A format library supplies the outer boundary and the holes as 2D curves
// of the world plane, each with its own attributes, and may finish the
// fill area once it is made. Under a transform other than the identity each
// boundary is carried through space and laid back into the plane. An
// invalid or empty hole is left out; an invalid outer boundary fails the
// entity. An entity without a name takes "unnamed N", N counted for the
// whole process and safe to take from several threads at once.
#pragma once

#include "vorabs_export.h"

#include "vorabsAnnotationTranslator.h"

#include "ann/ann.h"
#include "gi.h"
#include "vel.h"

class VORABS_API vorabsFillAreaTranslator : public vorabsAnnotationTranslator {
public:
  explicit vorabsFillAreaTranslator(const vorabsContext& context)
      : vorabsAnnotationTranslator(context) {}
  ~vorabsFillAreaTranslator() override;
  int non_spts_supported() const override;

protected:
  vorabsTranslationStatus create_annotation(const vorabsAttributeSet& attributes,
                                            const giXform3& transform,
                                            annGeometryItemannPtr& item) override;
  // Asked again after every hole, so it may change while holes are read.
  virtual int num_inner_boundaries() = 0;
  virtual void inner_boundary(velCurvePtr2& curve, int index, vorabsAttributeSet& attributes) = 0;
  virtual void outer_boundary(velCurvePtr2& curve, vorabsAttributeSet& attributes) = 0;
  // Called with every fill area made, before it is sent.
  virtual void complete_fill_area(annFillAreaannPtr& fill_area) = 0;

  // The boundary carried by transform and laid back into the world plane;
  // an empty handle when it cannot be.
  velCurvePtr2 transform_boundary(const velCurvePtr2& curve, const giXform3& transform);

private:
  // One boundary, transformed unless the transform is the identity, as a
  // curve item dressed in its own attributes; invalid when it cannot be made.
  annCurveannPtr make_boundary(velCurvePtr2 curve, const giXform3& transform,
                               const vorabsAttributeSet& boundary_attributes, const utString& name);
};
