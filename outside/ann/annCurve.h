// annCurve.h - the curve item that shows a 2D curve of the world plane.
//
// It shares the curve through its handle; a caller that goes on changing a
// curve it handed over copies it first.
#pragma once

#include "annGeometry.h"
#include "vel.h"

class VOROUT_API annCurve final : public annCurveItem {
  ANN_ITEM_KIND(annCurve)
public:
  ~annCurve() override;
  const velCurvePtr2& curve() const { return curve_; }
  void set_curve(const velCurvePtr2& curve) { curve_ = curve; }
  // " curve <kind> from x y to x y", with " segments N" for a composite curve.
  void print_details(std::ostream& out) const override;

private:
  velCurvePtr2 curve_;
};

using annCurveannPtr = annPtr<annCurve>;
using annCurveannPtrcoSet = annPtrcoSet<annCurve>;

inline const stoClass* sto_class_annCurve() {
  return annCurve::sto_static_class();
}

// A new curve item owned by the owner's document; invalid without an owner
// or for an empty curve handle.
VOROUT_API annCurveannPtr make_annCurve(annEntity* owner, const velCurvePtr2& curve,
                                        const utString& name);
