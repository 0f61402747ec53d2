// annFillArea.cpp - a filled area: an outer boundary curve and its holes.
#include "annFillArea.h"

#include "annKind.h"

#include <ostream>

ANN_DEFINE_KIND(annFillArea, annGeometryItem::sto_static_class(), ANN_NEW_INSTANCE(annFillArea))

annFillArea::~annFillArea() = default;

void annFillArea::set_boundaries(const annCurveannPtr& outer, const annCurveannPtrcoSet& inner) {
  outer_ = outer;
  inner_ = inner;
}

void annFillArea::print_details(std::ostream& out) const {
  annGeometryItem::print_details(out);
  if (!outer_.invalid())
    out << " inner boundaries " << inner_.size();
}

size_t annFillArea::num_members() const {
  return outer_.invalid() ? 0 : 1 + inner_.size();
}

annNamedItem* annFillArea::member(size_t i) const {
  if (i == 0)
    return outer_.pointer();
  return i - 1 < inner_.size() ? inner_[i - 1].pointer() : nullptr;
}

int annFillArea::remove_member(const annNamedItem* item) {
  int removed = 0;
  while (inner_.remove(item))
    removed = 1;
  return removed;
}

annFillAreaannPtr make_annFillArea(annEntity* owner, const annCurveannPtr& outer,
                                   const annCurveannPtrcoSet& inner, const utString& name) {
  if (outer.invalid())
    return annFillAreaannPtr();
  annFillAreaannPtr area = ann_make_item<annFillArea>(owner, name);
  if (!area.invalid())
    area->set_boundaries(outer, inner);
  return area;
}

annFillAreaannPtr make_annFillArea(annEntity* owner, const utString& description,
                                   const utString& name) {
  return ann_make_described<annFillArea>(owner, description, name);
}
