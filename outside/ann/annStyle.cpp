// annStyle.cpp - styles, style sets, curve fonts and placeholders of the annotation model.
#include "annStyle.h"

#include "annFillArea.h"
#include "annGeometry.h"
#include "annKind.h"
#include "annPointCloud.h"
#include "annText.h"

#include <memory>
#include <ostream>

ANN_DEFINE_KIND(annPlaceHolder, annNamedItem::sto_static_class(), ANN_NEW_INSTANCE(annPlaceHolder))
ANN_DEFINE_KIND(annCurveFont, annNamedItem::sto_static_class(), nullptr)
ANN_DEFINE_KIND(annCurveFontSolid, annCurveFont::sto_static_class(),
                ANN_NEW_INSTANCE(annCurveFontSolid))
ANN_DEFINE_KIND(annCurveFontPattern, annCurveFont::sto_static_class(),
                ANN_NEW_INSTANCE(annCurveFontPattern))
ANN_DEFINE_KIND(annStyle, annNamedItem::sto_static_class(), nullptr)
ANN_DEFINE_KIND(annSurfaceStyle, annStyle::sto_static_class(), ANN_NEW_INSTANCE(annSurfaceStyle))
ANN_DEFINE_KIND(annCurveStyle, annStyle::sto_static_class(), ANN_NEW_INSTANCE(annCurveStyle))
ANN_DEFINE_KIND(annPointStyle, annStyle::sto_static_class(), ANN_NEW_INSTANCE(annPointStyle))
ANN_DEFINE_KIND(annAnglePointStyle, annPointStyle::sto_static_class(),
                ANN_NEW_INSTANCE(annAnglePointStyle))
ANN_DEFINE_KIND(annWorkplaneStyle, annStyle::sto_static_class(),
                ANN_NEW_INSTANCE(annWorkplaneStyle))
ANN_DEFINE_KIND(annTextStyle, annStyle::sto_static_class(), ANN_NEW_INSTANCE(annTextStyle))
ANN_DEFINE_KIND(annAreaSolidPattern, annStyle::sto_static_class(),
                ANN_NEW_INSTANCE(annAreaSolidPattern))
ANN_DEFINE_KIND(annPointCloudStyle, annStyle::sto_static_class(),
                ANN_NEW_INSTANCE(annPointCloudStyle))
ANN_DEFINE_KIND(annStyleSet, annNamedItem::sto_static_class(), ANN_NEW_INSTANCE(annStyleSet))

annPlaceHolder::~annPlaceHolder() = default;
annCurveFont::~annCurveFont() = default;
annCurveFontSolid::~annCurveFontSolid() = default;
annCurveFontPattern::~annCurveFontPattern() = default;
annStyle::~annStyle() = default;
annSurfaceStyle::~annSurfaceStyle() = default;
annCurveStyle::~annCurveStyle() = default;
annPointStyle::~annPointStyle() = default;
annAnglePointStyle::~annAnglePointStyle() = default;
annWorkplaneStyle::~annWorkplaneStyle() = default;
annTextStyle::~annTextStyle() = default;
annAreaSolidPattern::~annAreaSolidPattern() = default;
annPointCloudStyle::~annPointCloudStyle() = default;
annStyleSet::~annStyleSet() = default;

namespace {

// Hands a copy made for original over to the document, with original's name
// and display name.
template <class T>
annNamedItemPtr adopt_copy(annDocument* document, T* made, const annNamedItem& original) {
  if (original.display_name_set())
    made->set_display_name(original.display_name());
  return document->adopt(made, original.name());
}

// The copy of what handle refers to, seen through a handle of the same kind
// as handle, whatever the copy's own kind (a placeholder stays one).
template <class T> annPtr<T> copy_referenced(const annPtr<T>& handle, annEntity* owner) {
  annPtr<T> copied;
  if (!handle.invalid())
    static_cast<annPtrBase&>(copied) = handle.annPtrBase::pointer()->copy(owner);
  return copied;
}

void print_name_of(std::ostream& out, const annPtrBase& handle) {
  ann_print_quoted(out, handle.pointer()->name());
}

} // namespace

// --- placeholders and curve fonts --------------------------------------------

annNamedItemPtr annPlaceHolder::copy(annEntity* owner) const {
  annDocument* document = ann_document_of(owner);
  if (!document)
    return annNamedItemPtr();
  auto* made = new annPlaceHolder();
  made->placed_class_ = placed_class_;
  return adopt_copy(document, made, *this);
}

void annPlaceHolder::print_details(std::ostream& out) const {
  if (placed_class_)
    out << " for " << placed_class_->name();
}

annNamedItemPtr annCurveFontSolid::copy(annEntity* owner) const {
  annDocument* document = ann_document_of(owner);
  if (!document)
    return annNamedItemPtr();
  return adopt_copy(document, new annCurveFontSolid(), *this);
}

double annCurveFontPattern::read_segment(int i) const {
  if (i < 0 || i >= number_of_segments())
    return 0.0;
  return lengths_[size_t(i)];
}

void annCurveFontPattern::set_segments(const coFixedArr<double>& lengths, int first_visible) {
  lengths_ = lengths;
  first_visible_ = first_visible;
}

annNamedItemPtr annCurveFontPattern::copy(annEntity* owner) const {
  annDocument* document = ann_document_of(owner);
  if (!document)
    return annNamedItemPtr();
  auto* made = new annCurveFontPattern();
  made->set_segments(lengths_, first_visible_);
  return adopt_copy(document, made, *this);
}

void annCurveFontPattern::print_details(std::ostream& out) const {
  out << " segments";
  for (double length : lengths_) {
    out << ' ';
    ann_print(out, length);
  }
  if (!first_visible_)
    out << " first hidden";
}

// --- styles ---------------------------------------------------------------------

annNamedItemPtr annStyle::copy(annEntity* owner) const {
  annDocument* document = ann_document_of(owner);
  if (!document)
    return annNamedItemPtr();
  // The kind's own factory makes a blank style of the same kind.
  std::unique_ptr<stoObject> blank(sto_class()->new_instance());
  annStyle* made = annStyle::sto_dynamic_cast(blank.get());
  if (!made)
    return annNamedItemPtr();
  blank.release();
  made->colour_ = copy_referenced(colour_, owner);
  made->copy_details(*this, owner);
  return adopt_copy(document, made, *this);
}

void annStyle::copy_details(const annStyle&, annEntity*) {}

void annStyle::print_details(std::ostream& out) const {
  if (colour_.invalid())
    return;
  out << " colour ";
  print_name_of(out, colour_);
}

void annCurveStyle::copy_details(const annStyle& other, annEntity* owner) {
  const annCurveStyle& curve = static_cast<const annCurveStyle&>(other);
  line_width_ = curve.line_width_;
  pattern_scale_ = curve.pattern_scale_;
  pattern_ = copy_referenced(curve.pattern_, owner);
}

void annCurveStyle::print_details(std::ostream& out) const {
  out << " width ";
  ann_print(out, line_width_);
  if (pattern_scale_ != 1.0) {
    out << " scale ";
    ann_print(out, pattern_scale_);
  }
  if (!pattern_.invalid()) {
    out << " font ";
    print_name_of(out, pattern_);
  }
  annStyle::print_details(out);
}

void annAnglePointStyle::copy_details(const annStyle& other, annEntity*) {
  angle_ = static_cast<const annAnglePointStyle&>(other).angle_;
}

void annAnglePointStyle::print_details(std::ostream& out) const {
  out << " angle ";
  ann_print(out, angle_.value());
  annStyle::print_details(out);
}

// --- style sets -----------------------------------------------------------------

annStyleannPtr annStyleSet::first_of_kind(const stoClass* tag) const {
  for (const annStyleannPtr& style : styles_)
    if (style->sto_class()->is_kind_of(tag))
      return style;
  return annStyleannPtr();
}

annStyleannPtr annStyleSet::get_style(const annNamedItemPtr& item) const {
  if (item.invalid())
    return annStyleannPtr();
  struct Drawn {
    const stoClass* item;
    const stoClass* style;
  };
  const Drawn drawn[] = {
      {sto_class_annSurfaceBase(), sto_class_annSurfaceStyle()},
      {sto_class_annCurveItem(), sto_class_annCurveStyle()},
      {sto_class_annPointItem(), sto_class_annPointStyle()},
      {sto_class_annWorkplaneItem(), sto_class_annWorkplaneStyle()},
      {sto_class_annTextGeometry(), sto_class_annTextStyle()},
      {sto_class_annFillArea(), sto_class_annAreaSolidPattern()},
      {sto_class_annPointCloud(), sto_class_annPointCloudStyle()},
  };
  const stoClass* kind = item->sto_class();
  for (const Drawn& entry : drawn)
    if (kind->is_kind_of(entry.item))
      return first_of_kind(entry.style);
  return styles_.empty() ? annStyleannPtr() : styles_[0];
}

annCurveStyleannPtr annStyleSet::get_curve_style() const {
  return annCurveStyleannPtr::cast(first_of_kind(sto_class_annCurveStyle()));
}

annPointStyleannPtr annStyleSet::get_point_style() const {
  return annPointStyleannPtr::cast(first_of_kind(sto_class_annPointStyle()));
}

annNamedItemPtr annStyleSet::copy(annEntity* owner) const {
  annDocument* document = ann_document_of(owner);
  if (!document)
    return annNamedItemPtr();
  auto* made = new annStyleSet();
  for (const annStyleannPtr& style : styles_)
    made->add_style(copy_referenced(style, owner));
  return adopt_copy(document, made, *this);
}

// --- factories ------------------------------------------------------------------

annStyleSetannPtr make_annStyleSet(annEntity* owner, const utString& name) {
  return ann_make_item<annStyleSet>(owner, name);
}

annStyleSetannPtr make_annStyleSet(annEntity* owner, const annStylePtrcoSet& styles,
                                   const utString& name) {
  annStyleSetannPtr set = ann_make_item<annStyleSet>(owner, name);
  if (!set.invalid())
    for (const annStyleannPtr& style : styles)
      set->add_style(style);
  return set;
}

annSurfaceStyleannPtr make_annSurfaceStyle(annEntity* owner, const utString& name) {
  return ann_make_item<annSurfaceStyle>(owner, name);
}

annCurveStyleannPtr make_annCurveStyle(annEntity* owner, double width, double pattern_scale,
                                       const annCurveFontannPtr& font, const utString& name) {
  annCurveStyleannPtr style = ann_make_item<annCurveStyle>(owner, name);
  if (!style.invalid()) {
    style->set_line_width(width);
    style->set_pattern_scale(pattern_scale);
    style->set_pattern(font);
  }
  return style;
}

annPointStyleannPtr make_annPointStyle(annEntity* owner, const utString& name) {
  return ann_make_item<annPointStyle>(owner, name);
}

annAnglePointStyleannPtr make_annAnglePointStyle(const giAngle& angle, annEntity* owner,
                                                 const utString& name) {
  annAnglePointStyleannPtr style = ann_make_item<annAnglePointStyle>(owner, name);
  if (!style.invalid())
    style->set_angle(angle);
  return style;
}

annWorkplaneStyleannPtr make_annWorkplaneStyle(annEntity* owner, const utString& name) {
  return ann_make_item<annWorkplaneStyle>(owner, name);
}

annTextStyleannPtr make_annTextStyle(annEntity* owner, const utString& name) {
  return ann_make_item<annTextStyle>(owner, name);
}

annAreaSolidPatternannPtr make_annAreaSolidPattern(annEntity* owner, const utString& name) {
  return ann_make_item<annAreaSolidPattern>(owner, name);
}

annPointCloudStyleannPtr make_annPointCloudStyle(annEntity* owner, const utString& name) {
  return ann_make_item<annPointCloudStyle>(owner, name);
}

annCurveFontSolidannPtr make_annCurveFontSolid(annEntity* owner, const utString& name) {
  return ann_make_item<annCurveFontSolid>(owner, name);
}

annCurveFontPatternannPtr make_annCurveFontPattern(annEntity* owner,
                                                   const coFixedArr<double>& lengths,
                                                   int first_visible, const utString& name) {
  annCurveFontPatternannPtr font = ann_make_item<annCurveFontPattern>(owner, name);
  if (!font.invalid())
    font->set_segments(lengths, first_visible);
  return font;
}

annPlaceHolderannPtr make_annPlaceHolder(annEntity* owner, const stoClass* tag,
                                         const utString& name) {
  if (!tag)
    return annPlaceHolderannPtr();
  annPlaceHolderannPtr holder = ann_make_item<annPlaceHolder>(owner, name);
  if (!holder.invalid())
    holder->set_placed_class(tag);
  return holder;
}
