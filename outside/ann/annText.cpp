// annText.cpp - text items of the annotation model.
#include "annText.h"

#include "annKind.h"

#include <cmath>
#include <ostream>

ANN_DEFINE_KIND(annText, annNamedItem::sto_static_class(), ANN_NEW_INSTANCE(annText))
ANN_DEFINE_KIND(annTextFont, annNamedItem::sto_static_class(), ANN_NEW_INSTANCE(annTextFont))
ANN_DEFINE_KIND(annLCS, annNamedItem::sto_static_class(), ANN_NEW_INSTANCE(annLCS))
ANN_DEFINE_KIND(annTextGeometry, annGeometryItem::sto_static_class(),
                ANN_NEW_INSTANCE(annTextGeometry))

annText::~annText() = default;
annTextFont::~annTextFont() = default;
annLCS::~annLCS() = default;
annTextGeometry::~annTextGeometry() = default;

namespace {

int usable_length(double value) {
  return std::isfinite(value) && value >= 0.0;
}

} // namespace

void annText::print_details(std::ostream& out) const {
  out << " text ";
  ann_print_quoted(out, text_);
}

int annTextFont::set_height(double height) {
  if (!usable_length(height))
    return 0;
  height_ = height;
  return 1;
}

void annTextFont::print_details(std::ostream& out) const {
  if (!family_.is_null()) {
    out << " family ";
    ann_print_quoted(out, family_);
  }
  if (!file_.is_null()) {
    out << " file ";
    ann_print_quoted(out, file_);
  }
  out << " height ";
  ann_print(out, height_);
  if (bold_)
    out << " bold";
  if (italic_)
    out << " italic";
}

void annLCS::print_details(std::ostream& out) const {
  out << " origin ";
  ann_print_point(out, workplane_.origin());
  const giVector3& u = workplane_.u_vector();
  out << " u ";
  ann_print_point(out, giPoint3(u.x, u.y, u.z));
}

void annTextGeometry::set(const annTextannPtr& text, const annTextFontannPtr& font,
                          const annLCSannPtr& lcs, double width) {
  text_ = text;
  font_ = font;
  lcs_ = lcs;
  width_ = width;
}

void annTextGeometry::print_details(std::ostream& out) const {
  annGeometryItem::print_details(out);
  if (text_.invalid())
    return;
  out << " width ";
  ann_print(out, width_);
}

size_t annTextGeometry::num_members() const {
  return text_.invalid() ? 0 : 3;
}

annNamedItem* annTextGeometry::member(size_t i) const {
  const annPtrBase* parts[] = {&text_, &font_, &lcs_};
  return i < 3 ? parts[i]->pointer() : nullptr;
}

annTextannPtr make_annText(annEntity* owner, const utString& text, const utString& name) {
  if (text.empty())
    return annTextannPtr();
  annTextannPtr item = ann_make_item<annText>(owner, name);
  if (!item.invalid())
    item->set_text(text);
  return item;
}

annTextFontannPtr make_annTextFont(annEntity* owner, double height, const utString& name) {
  if (!usable_length(height))
    return annTextFontannPtr();
  annTextFontannPtr font = ann_make_item<annTextFont>(owner, name);
  if (!font.invalid())
    font->set_height(height);
  return font;
}

annLCSannPtr make_annLCS(annEntity* owner, const giWorkplane3& workplane, const utString& name) {
  if (workplane.invalid())
    return annLCSannPtr();
  annLCSannPtr lcs = ann_make_item<annLCS>(owner, name);
  if (!lcs.invalid())
    lcs->set_workplane(workplane);
  return lcs;
}

annTextGeometryannPtr make_annTextGeometry(annEntity* owner, const annTextannPtr& text,
                                           const annTextFontannPtr& font, const annLCSannPtr& lcs,
                                           double width, const utString& name) {
  if (text.invalid() || font.invalid() || lcs.invalid() || !usable_length(width))
    return annTextGeometryannPtr();
  annTextGeometryannPtr item = ann_make_item<annTextGeometry>(owner, name);
  if (!item.invalid())
    item->set(text, font, lcs, width);
  return item;
}

annTextGeometryannPtr make_annTextGeometry(annEntity* owner, const utString& description,
                                           const utString& name) {
  return ann_make_described<annTextGeometry>(owner, description, name);
}
