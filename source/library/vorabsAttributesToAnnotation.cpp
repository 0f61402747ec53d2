// vorabsAttributesToAnnotation.cpp - dresses an annotation item in its entity's attributes.
#include "vorabsAttributesToAnnotation.h"

#include "kapProperties.h"
#include "kapPropertyPtrArray.h"
#include "vorabsAttributeKey.h"
#include "vorabsAttributePtr.h"
#include "vorabsColour.h"
#include "vorabsCurveFont.h"
#include "vorabsLayer.h"
#include "vorabsName.h"
#include "vorabsStyle.h"

#include <atomic>
#include <climits>
#include <cmath>
#include <cstdio>

namespace {

// The value under key, or null when it is absent or not of type T.
template <class T> const T* read(const vorabsAttributeSet& set, const vorabsAttributeKey& key) {
  vorabsAttributePtr<T> value;
  if (!set.get(key, value) || value.invalid())
    return nullptr;
  return &*value;
}

const double default_line_width = 0.3;

double line_width_of(const vorabsAttributeSet& set) {
  const double* width = read<double>(set, vorabsLINEWIDTH);
  return width ? *width : default_line_width;
}

// A colour component scaled to 0 to 255 and truncated toward zero; values
// outside any int (and NaN) are held at the limits so the conversion is
// defined.
int colour_byte(double component) {
  double scaled = component * 255.0;
  if (std::isnan(scaled))
    return 0;
  if (scaled <= double(INT_MIN))
    return INT_MIN;
  if (scaled >= double(INT_MAX))
    return INT_MAX;
  return int(scaled);
}

// The prefix of the style set name of each item kind, tested in this order.
struct StyleSetKind {
  const stoClass* (*tag)();
  const char* prefix;
};
const StyleSetKind style_set_kinds[] = {
    {&sto_class_annSurfaceBase, "surface style "},
    {&sto_class_annCurveItem, "curve style "},
    {&sto_class_annPointItem, "point style "},
    {&sto_class_annWorkplaneItem, "workplane style "},
    {&sto_class_annTextGeometry, "text style "},
    {&sto_class_annFillArea, "fill area style "},
    {&sto_class_annPointCloud, "point cloud style "},
    {&sto_class_annGroup, "group style "},
};

constexpr size_t num_style_set_kinds = sizeof style_set_kinds / sizeof style_set_kinds[0];

// Most entities carry no colour, font, line width or angle: their style base
// name and style set names are the same every time, so they are made once
// per process and shared.
int plain_look(const vorabsAttributeSet& set) {
  return !read<vorabsColour>(set, vorabsCOLOUR) && !read<vorabsCurveFont>(set, vorabsCURVEFONT) &&
         !read<double>(set, vorabsLINEWIDTH) && !read<giAngle>(set, vorabsANGLEPOINT);
}

struct PlainNames {
  explicit PlainNames(const utString& base_name) : base(base_name) {
    for (size_t i = 0; i < num_style_set_kinds; ++i)
      style_sets[i] = style_set_kinds[i].prefix + base;
  }
  utString base;
  utString style_sets[num_style_set_kinds];
};

// Published once made, so that a style set name is recognised as plain by
// its shared text without looking the attributes up again.
std::atomic<const PlainNames*> published_plain_names{nullptr};

// Made, once, from the base name that make gives for a plain set.
template <class Make> const PlainNames& plain_names(Make make) {
  static const PlainNames names(make());
  static const bool published =
      (published_plain_names.store(&names, std::memory_order_release), true);
  (void)published;
  return names;
}

// The style of tag named name in the owner's document, or the one make makes.
template <class Make>
annStyleannPtr find_or_make(annEntity* owner, const utString& name, const stoClass* tag,
                            Make make) {
  annStyleannPtr found = annStyleannPtr::find_item(owner, name, tag);
  if (!found.invalid())
    return found;
  return make();
}

} // namespace

vorabsAttributesToAnnotation::vorabsAttributesToAnnotation(const vorabsAttributeSet& attributes,
                                                           const utString& item_name)
    : attributes_(utCopy, attributes), item_name_(item_name) {
  if (plain_look(attributes_)) {
    style_base_name_ = plain_names([this] { return make_style_base_name(); }).base;
    return;
  }
  style_base_name_ = make_style_base_name();
}

utString vorabsAttributesToAnnotation::make_style_base_name() const {
  utString name = find_colour_name();
  name += ' ';
  append_pattern_name(name);
  if (read<giAngle>(attributes_, vorabsANGLEPOINT))
    name += "_angle";
  return name;
}

vorabsAttributesToAnnotation::~vorabsAttributesToAnnotation() = default;

// --- names ----------------------------------------------------------------------

utString vorabsAttributesToAnnotation::find_colour_name() const {
  static const utString no_colour = ut_lit("no colour");
  const vorabsColour* colour = read<vorabsColour>(attributes_, vorabsCOLOUR);
  return colour ? colour_name(*colour) : no_colour;
}

utString vorabsAttributesToAnnotation::colour_name(const vorabsColour& colour) const {
  // Made for every item: written by hand where each component is a byte,
  // through snprintf (which cuts the longer text short) where one is not.
  const int bytes[3] = {colour_byte(colour.red()), colour_byte(colour.green()),
                        colour_byte(colour.blue())};
  char hex[8];
  if (bytes[0] >= 0 && bytes[0] <= 255 && bytes[1] >= 0 && bytes[1] <= 255 && bytes[2] >= 0 &&
      bytes[2] <= 255) {
    static const char digits[] = "0123456789ABCDEF";
    hex[0] = '#';
    for (int i = 0; i < 3; ++i) {
      hex[1 + 2 * i] = digits[bytes[i] >> 4];
      hex[2 + 2 * i] = digits[bytes[i] & 15];
    }
    hex[7] = '\0';
  } else {
    std::snprintf(hex, sizeof hex, "#%.2X%.2X%.2X", unsigned(bytes[0]), unsigned(bytes[1]),
                  unsigned(bytes[2]));
  }
  utString name = colour.name();
  if (name.empty())
    return utString(hex);
  return name + " " + hex;
}

utString vorabsAttributesToAnnotation::find_pattern_name() const {
  utString name("");
  append_pattern_name(name);
  return name;
}

void vorabsAttributesToAnnotation::append_pattern_name(utString& name) const {
  const vorabsCurveFont* font = read<vorabsCurveFont>(attributes_, vorabsCURVEFONT);
  if (font && !font->name().empty())
    name += font->name();
  else
    name += "solid";
  name += ' ';
  name << line_width_of(attributes_);
  name += " style";
}

// --- the steps ------------------------------------------------------------------

void vorabsAttributesToAnnotation::apply(annEntity* owner,
                                         const annGeometryItemannPtr& item) const {
  add_level_data(owner, item);
  add_style_data(owner, item);
  set_hierarchy(item);
  set_visibility(item);
  add_property_data(owner, item);
  add_display_name_data(owner, item);
}

void vorabsAttributesToAnnotation::add_level_data(annEntity* owner,
                                                  const annGeometryItemannPtr& item) const {
  annGeometryItem* target = item.pointer();
  if (!target || !target->level().invalid())
    return;
  const vorabsLayer* given = read<vorabsLayer>(attributes_, vorabsLAYER);
  const int number = given ? given->layer() : 0;
  // Layer 0, the default, is named by one shared text.
  static const utString zero = ut_lit("0");
  utString number_text = zero;
  if (number != 0) {
    number_text = utString("");
    number_text << number;
  }
  annLevelannPtr level = make_annLevel(owner, number, number_text);
  if (level.invalid())
    return;
  if (given && !given->name().empty())
    level->set_level_name(given->name());
  target->set_level(level);
}

void vorabsAttributesToAnnotation::add_style_data(annEntity* owner,
                                                  const annGeometryItemannPtr& item) const {
  annGeometryItem* target = item.pointer();
  if (!target || !target->style().invalid())
    return;
  target->set_style(create_style_set(owner, item));
}

void vorabsAttributesToAnnotation::set_hierarchy(const annGeometryItemannPtr& item) const {
  annGeometryItem* target = item.pointer();
  if (!target)
    return;
  const annHierarchy* hierarchy = read<annHierarchy>(attributes_, vorabsHIERARCHY);
  target->set_hierarchy(hierarchy ? *hierarchy : annHIERARCHY_INDEPENDENT);
}

void vorabsAttributesToAnnotation::set_visibility(const annGeometryItemannPtr& item) const {
  annGeometryItem* target = item.pointer();
  if (!target)
    return;
  const utBool* visible = read<utBool>(attributes_, vorabsVISIBLE);
  target->set_visible(visible ? *visible : 1);
}

void vorabsAttributesToAnnotation::add_property_data(annEntity* owner,
                                                     const annGeometryItemannPtr& item) const {
  const kapProperties* properties = read<kapProperties>(attributes_, vorabsPROPERTIES);
  if (!properties || properties->invalid() || properties->properties()->num_properties() == 0)
    return;
  annDocument* document = dynamic_cast<annDocument*>(owner);
  if (!document || !item.pointer())
    return;
  annPropertiesAssignmentannPtr assignment = properties->properties()->create_item(item);
  if (!assignment.invalid())
    document->model()->add_properties_assignment(assignment, document);
}

void vorabsAttributesToAnnotation::add_display_name_data(annEntity*,
                                                         const annGeometryItemannPtr& item) const {
  const vorabsName* name = read<vorabsName>(attributes_, vorabsDISPLAYNAME);
  if (name && item.pointer())
    item->set_display_name(name->string());
}

// --- style sets and styles ------------------------------------------------------

annStyleSetannPtr
vorabsAttributesToAnnotation::create_style_set(annEntity* owner,
                                               const annGeometryItemannPtr& item) const {
  const vorabsStyle* given = read<vorabsStyle>(attributes_, vorabsGEOMETRYSTYLE);
  if (given && !given->invalid())
    return given->style();
  if (!item.pointer())
    return annStyleSetannPtr();

  const stoClass* kind = item->sto_class();
  size_t kind_index = 0;
  while (kind_index < num_style_set_kinds && !kind->is_kind_of(style_set_kinds[kind_index].tag()))
    ++kind_index;
  // Nothing draws an item of any other kind: it gets no style set.
  if (kind_index == num_style_set_kinds)
    return annStyleSetannPtr();
  const StyleSetKind* found_kind = &style_set_kinds[kind_index];

  const PlainNames* plain = published_plain_names.load(std::memory_order_acquire);
  const utString name = plain && plain->base.c_str() == style_base_name_.c_str()
                            ? plain->style_sets[kind_index]
                            : found_kind->prefix + style_base_name_;
  annStyleSetannPtr existing = annStyleSetannPtr::find_item(owner, name, sto_class_annStyleSet());
  if (!existing.invalid())
    return existing;

  if (found_kind->tag() == sto_class_annGroup()) {
    annColourannPtr colour = create_colour(owner);
    annStyleannPtr styles[] = {
        create_surface_style(owner),     create_curve_style(owner), create_point_style(owner),
        create_workplane_style(owner),   create_text_style(owner),  create_area_style(owner),
        create_point_cloud_style(owner),
    };
    annStylePtrcoSet set(4, 50);
    for (annStyleannPtr& style : styles) {
      if (style.pointer())
        style->set_colour(colour);
      set.add(style);
    }
    return make_annStyleSet(owner, set, name);
  }

  annStyleannPtr style;
  if (kind->is_kind_of(sto_class_annSurfaceBase()))
    style = create_surface_style(owner);
  else if (kind->is_kind_of(sto_class_annCurveItem()))
    style = create_curve_style(owner);
  else if (kind->is_kind_of(sto_class_annPointItem()))
    style = create_point_style(owner);
  else if (kind->is_kind_of(sto_class_annWorkplaneItem()))
    style = create_workplane_style(owner);
  else if (kind->is_kind_of(sto_class_annTextGeometry()))
    style = create_text_style(owner);
  else if (kind->is_kind_of(sto_class_annFillArea()))
    style = create_area_style(owner);
  else
    style = create_point_cloud_style(owner);
  annColourannPtr colour = create_colour(owner);
  if (style.pointer())
    style->set_colour(colour);
  annStylePtrcoSet set(1, 50);
  set.add(style);
  return make_annStyleSet(owner, set, name);
}

annStyleannPtr vorabsAttributesToAnnotation::create_surface_style(annEntity* owner) const {
  return find_or_make(owner, style_base_name_, sto_class_annSurfaceStyle(), [&] {
    return annStyleannPtr(make_annSurfaceStyle(owner, style_base_name_));
  });
}

annStyleannPtr vorabsAttributesToAnnotation::create_curve_style(annEntity* owner) const {
  return find_or_make(owner, style_base_name_, sto_class_annCurveStyle(), [&] {
    return annStyleannPtr(make_annCurveStyle(owner, line_width_of(attributes_), 1.0,
                                             create_curve_font(owner), style_base_name_));
  });
}

annStyleannPtr vorabsAttributesToAnnotation::create_point_style(annEntity* owner) const {
  if (const giAngle* angle = read<giAngle>(attributes_, vorabsANGLEPOINT))
    return find_or_make(owner, style_base_name_, sto_class_annAnglePointStyle(), [&] {
      return annStyleannPtr(make_annAnglePointStyle(*angle, owner, style_base_name_));
    });
  return find_or_make(owner, style_base_name_, sto_class_annPointStyle(),
                      [&] { return annStyleannPtr(make_annPointStyle(owner, style_base_name_)); });
}

annStyleannPtr vorabsAttributesToAnnotation::create_workplane_style(annEntity* owner) const {
  return find_or_make(owner, style_base_name_, sto_class_annWorkplaneStyle(), [&] {
    return annStyleannPtr(make_annWorkplaneStyle(owner, style_base_name_));
  });
}

annStyleannPtr vorabsAttributesToAnnotation::create_text_style(annEntity* owner) const {
  return find_or_make(owner, style_base_name_, sto_class_annTextStyle(),
                      [&] { return annStyleannPtr(make_annTextStyle(owner, style_base_name_)); });
}

annStyleannPtr vorabsAttributesToAnnotation::create_area_style(annEntity* owner) const {
  return find_or_make(owner, style_base_name_, sto_class_annAreaSolidPattern(), [&] {
    return annStyleannPtr(make_annAreaSolidPattern(owner, style_base_name_));
  });
}

annStyleannPtr vorabsAttributesToAnnotation::create_point_cloud_style(annEntity* owner) const {
  return find_or_make(owner, style_base_name_, sto_class_annPointCloudStyle(), [&] {
    return annStyleannPtr(make_annPointCloudStyle(owner, style_base_name_));
  });
}

// --- curve fonts and colours ----------------------------------------------------

annCurveFontannPtr vorabsAttributesToAnnotation::create_curve_font(annEntity* owner) const {
  const vorabsCurveFont* given = read<vorabsCurveFont>(attributes_, vorabsCURVEFONT);
  vorabsCurveFont font = given ? *given : vorabsCurveFont();
  utString name = font.name().empty() ? utString("solid") : font.name();

  // The host keeps its own dashed, centreline and dotted fonts: refer to
  // them by name and let the host resolve them.
  for (const char* named : {"dashed", "centreline", "dotted"})
    if (name.contains(utString(named))) {
      annCurveFontannPtr wrapped = ann_wrap_placeholder<annCurveFont>(
          make_annPlaceHolder(owner, sto_class_annCurveFontPattern(), name));
      if (!wrapped.invalid())
        wrapped.set_name_space(owner->document()->current_name_space());
      return wrapped;
    }

  if (font.name().empty() || name.contains(utString("solid")) || font.num_segments() < 2)
    return make_annCurveFontSolid(owner, name);
  coFixedArr<double> lengths(size_t(font.num_segments()));
  for (int i = 0; i < font.num_segments(); ++i)
    lengths[size_t(i)] = font.segment_length(i);
  return make_annCurveFontPattern(owner, lengths, font.first_visible(), name);
}

annColourannPtr vorabsAttributesToAnnotation::create_colour(annEntity* owner) const {
  const vorabsColour* colour = read<vorabsColour>(attributes_, vorabsCOLOUR);
  if (!colour || colour->invalid())
    return annColourannPtr();
  utString name = colour_name(*colour);
  annRGBColourannPtr made =
      make_annRGBColour(owner, colour->red(), colour->green(), colour->blue(), name);
  if (!made.invalid() && !colour->name().empty() && colour->name() != name)
    made->set_display_name(colour->name());
  return made;
}
