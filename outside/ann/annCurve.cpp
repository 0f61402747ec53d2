// annCurve.cpp - the curve item that shows a 2D curve of the world plane.
#include "annCurve.h"

#include "annKind.h"

#include <ostream>

ANN_DEFINE_KIND(annCurve, annCurveItem::sto_static_class(), ANN_NEW_INSTANCE(annCurve))

annCurve::~annCurve() = default;

namespace {

void print_point2(std::ostream& out, const giPoint2& point) {
  if (point.invalid()) {
    out << "unset";
    return;
  }
  ann_print(out, point.x);
  out << ' ';
  ann_print(out, point.y);
}

} // namespace

void annCurve::print_details(std::ostream& out) const {
  if (curve_.invalid())
    return;
  out << " curve " << curve_->kind() << " from ";
  print_point2(out, curve_->start_position());
  out << " to ";
  print_point2(out, curve_->end_position());
  if (const auto* composite = dynamic_cast<const velCompCurve2*>(curve_.pointer()))
    out << " segments " << composite->num_segments();
}

annCurveannPtr make_annCurve(annEntity* owner, const velCurvePtr2& curve, const utString& name) {
  if (curve.invalid())
    return annCurveannPtr();
  annCurveannPtr item = ann_make_item<annCurve>(owner, name);
  if (!item.invalid())
    item->set_curve(curve);
  return item;
}
