// annStyle.h - styles, style sets, curve fonts and placeholders of the annotation model.
//
// A style says how one kind of geometry item is drawn: a colour for every
// kind, a line width and a curve font for curves, an angle for angle points.
// A style set gathers the styles an item is drawn with and answers the one
// for a given item (get_style). A curve font is solid or a dash pattern of
// segment lengths. A placeholder stands for an item known only by its name
// and kind (a curve font of the host's own library, say), which the host
// resolves later; wrapped as a handle of that kind (ann_wrap_placeholder) it
// is valid and has its name, but its pointer() is null.
//
// The document owns all of these; a style refers to its colour and font and
// a style set to its styles through handles, so what is in use stays alive.
// A style set prints its styles under itself, as a group its members.
#pragma once

#include "annItem.h"
#include "annLevel.h"
#include "co.h"
#include "gi.h"

class annPlaceHolder;
class annCurveFont;
class annCurveFontSolid;
class annCurveFontPattern;
class annStyle;
class annSurfaceStyle;
class annCurveStyle;
class annPointStyle;
class annAnglePointStyle;
class annWorkplaneStyle;
class annTextStyle;
class annAreaSolidPattern;
class annPointCloudStyle;
using annPlaceHolderannPtr = annPtr<annPlaceHolder>;
using annCurveFontannPtr = annPtr<annCurveFont>;
using annCurveFontSolidannPtr = annPtr<annCurveFontSolid>;
using annCurveFontPatternannPtr = annPtr<annCurveFontPattern>;
using annStyleannPtr = annPtr<annStyle>;
using annSurfaceStyleannPtr = annPtr<annSurfaceStyle>;
using annCurveStyleannPtr = annPtr<annCurveStyle>;
using annPointStyleannPtr = annPtr<annPointStyle>;
using annAnglePointStyleannPtr = annPtr<annAnglePointStyle>;
using annWorkplaneStyleannPtr = annPtr<annWorkplaneStyle>;
using annTextStyleannPtr = annPtr<annTextStyle>;
using annAreaSolidPatternannPtr = annPtr<annAreaSolidPattern>;
using annPointCloudStyleannPtr = annPtr<annPointCloudStyle>;
using annStylePtrcoSet = annPtrcoSet<annStyle>;

// Stands for an item of another kind that is known only by name.
class VOROUT_API annPlaceHolder final : public annNamedItem {
  ANN_ITEM_KIND(annPlaceHolder)
public:
  ~annPlaceHolder() override;
  // The kind stood for; null only in a temporary instance.
  const stoClass* placed_class() const { return placed_class_; }
  void set_placed_class(const stoClass* tag) { placed_class_ = tag; }
  annNamedItemPtr copy(annEntity* owner) const override;
  // " for Kind".
  void print_details(std::ostream& out) const override;

private:
  const stoClass* placed_class_ = nullptr;
};

// The placeholder as a handle of kind T, under its name and name space;
// invalid unless the placeholder stands for T or a kind derived from it.
template <class T> annPtr<T> ann_wrap_placeholder(const annPlaceHolderannPtr& holder) {
  annPtr<T> wrapped;
  const annPlaceHolder* placed = holder.pointer();
  if (placed && placed->placed_class() && placed->placed_class()->is_kind_of(T::sto_static_class()))
    static_cast<annPtrBase&>(wrapped) = holder;
  return wrapped;
}

// The base of the curve fonts (no factory of its own).
class VOROUT_API annCurveFont : public annNamedItem {
  ANN_ITEM_KIND(annCurveFont)
public:
  ~annCurveFont() override;
};

// A font that draws the whole curve.
class VOROUT_API annCurveFontSolid final : public annCurveFont {
  ANN_ITEM_KIND(annCurveFontSolid)
public:
  ~annCurveFontSolid() override;
  annNamedItemPtr copy(annEntity* owner) const override;
};

// A dash pattern: segments drawn and skipped in turn, starting with a drawn
// one when the first segment is visible.
class VOROUT_API annCurveFontPattern final : public annCurveFont {
  ANN_ITEM_KIND(annCurveFontPattern)
public:
  ~annCurveFontPattern() override;
  int number_of_segments() const { return int(lengths_.size()); }
  // The length of segment i; 0 for an index outside 0 to number_of_segments() - 1.
  double read_segment(int i) const;
  int first_segment_visible() const { return first_visible_; }
  void set_segments(const coFixedArr<double>& lengths, int first_visible);
  annNamedItemPtr copy(annEntity* owner) const override;
  // " segments l1 l2 ...", then " first hidden" when the first segment is not drawn.
  void print_details(std::ostream& out) const override;

private:
  coFixedArr<double> lengths_;
  int first_visible_ = 1;
};

// The base of the styles (no factory of its own): a colour, invalid until set.
class VOROUT_API annStyle : public annNamedItem {
  ANN_ITEM_KIND(annStyle)
public:
  ~annStyle() override;
  const annColourannPtr& colour() const { return colour_; }
  void set_colour(const annColourannPtr& colour) { colour_ = colour; }
  // A style of the same kind with copies of its colour and of what its kind
  // refers to.
  annNamedItemPtr copy(annEntity* owner) const override;
  // " colour "name"" when a colour is set.
  void print_details(std::ostream& out) const override;

protected:
  // Fills this new style with the kind's own data of other (which is of the
  // same kind), copying what that refers to into owner. Nothing by default.
  virtual void copy_details(const annStyle& other, annEntity* owner);

private:
  annColourannPtr colour_;
};

class VOROUT_API annSurfaceStyle final : public annStyle {
  ANN_ITEM_KIND(annSurfaceStyle)
public:
  ~annSurfaceStyle() override;
};

// How curves are drawn: a line width, a scale of the font's pattern and a
// curve font (invalid until set; possibly a wrapped placeholder).
class VOROUT_API annCurveStyle final : public annStyle {
  ANN_ITEM_KIND(annCurveStyle)
public:
  ~annCurveStyle() override;
  double line_width() const { return line_width_; }
  double pattern_scale() const { return pattern_scale_; }
  const annCurveFontannPtr& pattern() const { return pattern_; }
  void set_line_width(double width) { line_width_ = width; }
  void set_pattern_scale(double scale) { pattern_scale_ = scale; }
  void set_pattern(const annCurveFontannPtr& font) { pattern_ = font; }
  // " width w", " scale s" when s is not 1, " font "name"" when a font is
  // set, then the colour.
  void print_details(std::ostream& out) const override;

protected:
  void copy_details(const annStyle& other, annEntity* owner) override;

private:
  double line_width_ = 0.0;
  double pattern_scale_ = 1.0;
  annCurveFontannPtr pattern_;
};

class VOROUT_API annPointStyle : public annStyle {
  ANN_ITEM_KIND(annPointStyle)
public:
  ~annPointStyle() override;
};

// Points drawn as an angle mark.
class VOROUT_API annAnglePointStyle final : public annPointStyle {
  ANN_ITEM_KIND(annAnglePointStyle)
public:
  ~annAnglePointStyle() override;
  const giAngle& angle() const { return angle_; }
  void set_angle(const giAngle& angle) { angle_ = angle; }
  // " angle a" (radians), then the colour.
  void print_details(std::ostream& out) const override;

protected:
  void copy_details(const annStyle& other, annEntity* owner) override;

private:
  giAngle angle_;
};

class VOROUT_API annWorkplaneStyle final : public annStyle {
  ANN_ITEM_KIND(annWorkplaneStyle)
public:
  ~annWorkplaneStyle() override;
};

class VOROUT_API annTextStyle final : public annStyle {
  ANN_ITEM_KIND(annTextStyle)
public:
  ~annTextStyle() override;
};

// How fill areas are drawn: solid in the style's colour.
class VOROUT_API annAreaSolidPattern final : public annStyle {
  ANN_ITEM_KIND(annAreaSolidPattern)
public:
  ~annAreaSolidPattern() override;
};

class VOROUT_API annPointCloudStyle final : public annStyle {
  ANN_ITEM_KIND(annPointCloudStyle)
public:
  ~annPointCloudStyle() override;
};

// A named collection of styles applied to an item, in the order added.
class VOROUT_API annStyleSet : public annNamedItem {
  ANN_ITEM_KIND(annStyleSet)
public:
  ~annStyleSet() override;
  // Nonzero when added (valid and not yet held).
  int add_style(const annStyleannPtr& style) { return styles_.add(style); }
  const annStylePtrcoSet& styles() const { return styles_; }
  // The style the set gives for item: the first style of the kind that
  // draws the item's kind (surface style for surfaces, faces and solids,
  // curve style for curves, point style for points, workplane, text, area
  // solid pattern and point cloud styles for the others). For an item of
  // any other kind (a group, say) the set's first style. Invalid when the
  // set has none that fits, or for an invalid item.
  annStyleannPtr get_style(const annNamedItemPtr& item) const;
  // The first curve style; invalid when there is none.
  annCurveStyleannPtr get_curve_style() const;
  // The first point style, angle point styles included; invalid when none.
  annPointStyleannPtr get_point_style() const;
  // A style set of the same name in the owner's document holding copies of
  // the styles.
  annNamedItemPtr copy(annEntity* owner) const override;

  size_t num_members() const override { return styles_.size(); }
  annNamedItem* member(size_t i) const override { return styles_[i].annPtrBase::pointer(); }
  int remove_member(const annNamedItem* item) override { return styles_.remove(item); }

private:
  annStyleannPtr first_of_kind(const stoClass* tag) const;
  annStylePtrcoSet styles_;
};

#define ANN_STYLE_TAG(Kind)                                                                        \
  inline const stoClass* sto_class_##Kind() {                                                      \
    return Kind::sto_static_class();                                                               \
  }
ANN_STYLE_TAG(annPlaceHolder)
ANN_STYLE_TAG(annCurveFont)
ANN_STYLE_TAG(annCurveFontSolid)
ANN_STYLE_TAG(annCurveFontPattern)
ANN_STYLE_TAG(annStyle)
ANN_STYLE_TAG(annSurfaceStyle)
ANN_STYLE_TAG(annCurveStyle)
ANN_STYLE_TAG(annPointStyle)
ANN_STYLE_TAG(annAnglePointStyle)
ANN_STYLE_TAG(annWorkplaneStyle)
ANN_STYLE_TAG(annTextStyle)
ANN_STYLE_TAG(annAreaSolidPattern)
ANN_STYLE_TAG(annPointCloudStyle)
ANN_STYLE_TAG(annStyleSet)
#undef ANN_STYLE_TAG

// Factories: a new item of the kind in the owner's document, named name; an
// invalid handle without an owner.
VOROUT_API annStyleSetannPtr make_annStyleSet(annEntity* owner, const utString& name);
// A style set holding the valid handles of styles, in their order.
VOROUT_API annStyleSetannPtr make_annStyleSet(annEntity* owner, const annStylePtrcoSet& styles,
                                              const utString& name);
VOROUT_API annSurfaceStyleannPtr make_annSurfaceStyle(annEntity* owner, const utString& name);
VOROUT_API annCurveStyleannPtr make_annCurveStyle(annEntity* owner, double width,
                                                  double pattern_scale,
                                                  const annCurveFontannPtr& font,
                                                  const utString& name);
VOROUT_API annPointStyleannPtr make_annPointStyle(annEntity* owner, const utString& name);
VOROUT_API annAnglePointStyleannPtr make_annAnglePointStyle(const giAngle& angle, annEntity* owner,
                                                            const utString& name);
VOROUT_API annWorkplaneStyleannPtr make_annWorkplaneStyle(annEntity* owner, const utString& name);
VOROUT_API annTextStyleannPtr make_annTextStyle(annEntity* owner, const utString& name);
VOROUT_API annAreaSolidPatternannPtr make_annAreaSolidPattern(annEntity* owner,
                                                              const utString& name);
VOROUT_API annPointCloudStyleannPtr make_annPointCloudStyle(annEntity* owner, const utString& name);
VOROUT_API annCurveFontSolidannPtr make_annCurveFontSolid(annEntity* owner, const utString& name);
VOROUT_API annCurveFontPatternannPtr make_annCurveFontPattern(annEntity* owner,
                                                              const coFixedArr<double>& lengths,
                                                              int first_visible,
                                                              const utString& name);
// A placeholder for an item of the kind tag; invalid handle also for a null tag.
VOROUT_API annPlaceHolderannPtr make_annPlaceHolder(annEntity* owner, const stoClass* tag,
                                                    const utString& name);
