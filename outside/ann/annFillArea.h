// annFillArea.h - a filled area: an outer boundary curve and the holes cut out of it.
//
// The fill area shares its boundary curves (annCurve items of the document)
// through handles; the document prints them under it, outer one first.
#pragma once

#include "annCurve.h"
#include "annGeometry.h"

class VOROUT_API annFillArea final : public annGeometryItem {
  ANN_ITEM_KIND(annFillArea)
public:
  ~annFillArea() override;
  // Invalid for a fill area made from a description.
  const annCurveannPtr& outer_boundary() const { return outer_; }
  const annCurveannPtrcoSet& inner_boundaries() const { return inner_; }
  void set_boundaries(const annCurveannPtr& outer, const annCurveannPtrcoSet& inner);
  // The description when there is one, then " inner boundaries N" for a
  // fill area made of curves.
  void print_details(std::ostream& out) const override;
  size_t num_members() const override;
  annNamedItem* member(size_t i) const override;
  // Takes a hole out; the outer boundary stays.
  int remove_member(const annNamedItem* item) override;

private:
  annCurveannPtr outer_;
  annCurveannPtrcoSet inner_;
};

using annFillAreaannPtr = annPtr<annFillArea>;

inline const stoClass* sto_class_annFillArea() {
  return annFillArea::sto_static_class();
}

// A new fill area owned by the owner's document; invalid without an owner
// or an outer boundary.
VOROUT_API annFillAreaannPtr make_annFillArea(annEntity* owner, const annCurveannPtr& outer,
                                              const annCurveannPtrcoSet& inner,
                                              const utString& name);
// A fill area known only by a description of what it was made from.
VOROUT_API annFillAreaannPtr make_annFillArea(annEntity* owner, const utString& description,
                                              const utString& name);
