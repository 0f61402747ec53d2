// vorabsAnnotationToAttributes.cpp - reads an annotation item's dress back into attributes.
#include "vorabsAnnotationToAttributes.h"

#include "vorabsAttributeKey.h"
#include "vorabsAttributePtr.h"
#include "vorabsCurveFont.h"
#include "vorabsLayer.h"
#include "vorabsName.h"
#include "vorabsStyle.h"

namespace {

template <class T>
void store(vorabsAttributeSet& attributes, const vorabsAttributeKey& key, const T& value) {
  vorabsAttributePtr<T> stored;
  attributes.check_out(key, stored);
  *stored = value;
}

// The font a curve style draws with: its name, and the pattern of a pattern
// font. A placeholder for a font of the host's is known only by its name.
vorabsCurveFont curve_font_of(const annCurveFontannPtr& handle) {
  vorabsCurveFont font(handle.name());
  if (const annCurveFontPattern* pattern = annCurveFontPatternannPtr::cast(handle).pointer()) {
    font.set_first_visible(pattern->first_segment_visible());
    font.set_num_segments(pattern->number_of_segments());
    for (int i = 0; i < pattern->number_of_segments(); ++i)
      font.set_segment_length(i, pattern->read_segment(i));
  }
  return font;
}

// ASCII lower case, byte by byte: colour words are English.
utString lower_case(const utString& text) {
  utString lowered("");
  for (size_t i = 0; i < text.length(); ++i) {
    char c = text[i];
    lowered += c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
  }
  return lowered;
}

} // namespace

vorabsAnnotationToAttributes::vorabsAnnotationToAttributes(const annGeometryItemannPtr& item)
    : item_(item) {}

vorabsAnnotationToAttributes::~vorabsAnnotationToAttributes() = default;

void vorabsAnnotationToAttributes::merge_attributes(vorabsAttributeSet& attributes) const {
  process_name(attributes);
  process_level(attributes);
  process_style(attributes);
  process_hierarchy(attributes);
  process_visibility(attributes);
  process_name_space(attributes);
  process_display_name(attributes);
}

void vorabsAnnotationToAttributes::process_name(vorabsAttributeSet& attributes) const {
  const annGeometryItem* item = item_.pointer();
  if (!item)
    return;
  store(attributes, vorabsNAME, vorabsName(item->name(), 0));
}

void vorabsAnnotationToAttributes::process_level(vorabsAttributeSet& attributes) const {
  const annGeometryItem* item = item_.pointer();
  if (!item)
    return;
  if (const annLevel* level = item->level().pointer())
    store(attributes, vorabsLAYER, vorabsLayer(level->level(), level->level_name()));
}

void vorabsAnnotationToAttributes::process_hierarchy(vorabsAttributeSet& attributes) const {
  const annGeometryItem* item = item_.pointer();
  if (!item)
    return;
  store(attributes, vorabsHIERARCHY, item->hierarchy_status());
}

void vorabsAnnotationToAttributes::process_visibility(vorabsAttributeSet& attributes) const {
  const annGeometryItem* item = item_.pointer();
  if (!item)
    return;
  store<utBool>(attributes, vorabsVISIBLE, item->visible());
}

void vorabsAnnotationToAttributes::process_name_space(vorabsAttributeSet& attributes) const {
  const annGeometryItem* item = item_.pointer();
  if (!item)
    return;
  if (item->name_space())
    store(attributes, vorabsNAME_SPACE_PATH, annNameSpacePath(item->name_space()));
}

void vorabsAnnotationToAttributes::process_display_name(vorabsAttributeSet& attributes) const {
  const annGeometryItem* item = item_.pointer();
  if (!item)
    return;
  if (item->display_name_set())
    store(attributes, vorabsDISPLAYNAME, vorabsName(item->display_name(), 0));
}

void vorabsAnnotationToAttributes::process_style(vorabsAttributeSet& attributes) const {
  const annGeometryItem* item = item_.pointer();
  if (!item)
    return;
  const annStyleSetannPtr& style_set = item->style();
  if (!style_set.pointer())
    return;

  annAnglePointStyleannPtr angle_point =
      annAnglePointStyleannPtr::cast(style_set->get_point_style());
  if (!angle_point.invalid())
    store(attributes, vorabsANGLEPOINT, angle_point->angle());

  annStyleannPtr colour_source;
  annCurveStyleannPtr curve_style = style_set->get_curve_style();
  if (!curve_style.invalid()) {
    store(attributes, vorabsLINEWIDTH, curve_style->line_width());
    store(attributes, vorabsCURVEFONT, curve_font_of(curve_style->pattern()));
    colour_source = curve_style;
  } else {
    colour_source = style_set->get_style(item_);
  }
  vorabsColour colour = vorabs_colour_from_ann_style(colour_source);
  if (!colour.invalid())
    store(attributes, vorabsCOLOUR, colour);

  if (!context_.invalid())
    copy_style_set(style_set, attributes);
}

void vorabsAnnotationToAttributes::copy_style_set(const annStyleSetannPtr& style_set,
                                                  vorabsAttributeSet& attributes) const {
  annDocument* document = context_.document();
  annNameSpacePtr previous = document->current_name_space();
  if (item_->name_space())
    document->set_name_space(annNameSpaceCopier(item_->name_space(), document).copied_name_space());

  annNamedItemPtr copied = style_set->copy(document);
  annStyleSetannPtr copy(style_set.name(), annStyleSet::sto_dynamic_cast(copied.pointer()));
  copy.set_name_space(copied.name_space());
  if (!copy.invalid())
    store(attributes, vorabsGEOMETRYSTYLE, vorabsStyle(copy));

  // Restored even when it was none, so that what the document makes next
  // does not land in the copied name space.
  document->set_name_space(previous);
}

vorabsColour vorabs_colour_from_ann_style(annStyleannPtr& style) {
  if (!style.pointer() || style->colour().invalid())
    return vorabsColour();
  const annColourannPtr& colour = style->colour();
  utString name = colour.name();
  if (const annRGBColour* rgb = annRGBColour::sto_dynamic_cast(colour.annPtrBase::pointer()))
    return vorabsColour(name, rgb->red(), rgb->green(), rgb->blue(), -1);

  // The words of the standard colours 0 to 7, tried in this order: the
  // first the name holds wins, so "reddish white" is white.
  static const char* const words[8] = {"black", "white", "red",     "green",
                                       "blue",  "cyan",  "magenta", "yellow"};
  utString lowered = lower_case(name);
  for (int number = 0; number < 8; ++number)
    if (lowered.contains(utString(words[number])))
      return vorabsColour(number);
  return vorabsColour();
}
