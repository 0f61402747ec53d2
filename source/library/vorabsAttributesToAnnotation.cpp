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
  style_base_name_ = find_colour_name();
  style_base_name_ += ' ';
  append_pattern_name(style_base_name_);
  if (read<giAngle>(attributes_, vorabsANGLEPOINT))
    style_base_name_ += "_angle";
}

vorabsAttributesToAnnotation::~vorabsAttributesToAnnotation() = default;

// --- names ----------------------------------------------------------------------

utString vorabsAttributesToAnnotation::find_colour_name() const {
  static const utString no_colour = ut_lit("no colour");
  const vorabsColour* colour = read<vorabsColour>(attributes_, vorabsCOLOUR);
  return colour ? colour_name(*colour) : no_colour;
}

utString vorabsAttributesToAnnotation::colour_name(const vorabsColour& colour) const {
  char hex[8];
  std::snprintf(hex, sizeof hex, "#%.2X%.2X%.2X", unsigned(colour_byte(colour.red())),
                unsigned(colour_byte(colour.green())), unsigned(colour_byte(colour.blue())));
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
  if (!item.pointer() || !item->level().invalid())
    return;
  const vorabsLayer* given = read<vorabsLayer>(attributes_, vorabsLAYER);
  vorabsLayer layer = given ? *given : vorabsLayer(0);
  utString number("");
  number << layer.layer();
  annLevelannPtr level = make_annLevel(owner, layer.layer(), number);
  if (level.invalid())
    return;
  if (!layer.name().empty())
    level->set_level_name(layer.name());
  item->set_level(level);
}

void vorabsAttributesToAnnotation::add_style_data(annEntity* owner,
                                                  const annGeometryItemannPtr& item) const {
  if (!item.pointer() || !item->style().invalid())
    return;
  item->set_style(create_style_set(owner, item));
}

void vorabsAttributesToAnnotation::set_hierarchy(const annGeometryItemannPtr& item) const {
  if (!item.pointer())
    return;
  const annHierarchy* hierarchy = read<annHierarchy>(attributes_, vorabsHIERARCHY);
  item->set_hierarchy(hierarchy ? *hierarchy : annHIERARCHY_INDEPENDENT);
}

void vorabsAttributesToAnnotation::set_visibility(const annGeometryItemannPtr& item) const {
  if (!item.pointer())
    return;
  const utBool* visible = read<utBool>(attributes_, vorabsVISIBLE);
  item->set_visible(visible ? *visible : 1);
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
  const StyleSetKind* found_kind = nullptr;
  for (const StyleSetKind& candidate : style_set_kinds)
    if (kind->is_kind_of(candidate.tag())) {
      found_kind = &candidate;
      break;
    }
  // Nothing draws an item of any other kind: it gets no style set.
  if (!found_kind)
    return annStyleSetannPtr();

  const utString name = found_kind->prefix + style_base_name_;
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
