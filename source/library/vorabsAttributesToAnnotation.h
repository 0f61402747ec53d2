// vorabsAttributesToAnnotation.h - dresses an annotation item in its entity's attributes.
//
// Made from an entity's attribute set (copied deeply) and the item's name,
// used for one apply(owner, item), then dropped. apply gives the item a
// level for the layer, a style set for colour, curve font, line width and
// point form, its hierarchy status and visibility, a properties assignment
// for the user properties (documents only) and its display name. Styles and
// style sets are named from the attributes (the style base name), and one of
// that name and kind already in the document is used instead of a new one.
//
// The owner is the translation's document entity; everything made belongs
// to its document, and this object keeps no handle to any of it. A missing
// attribute takes its default (layer 0, no colour, solid font, line width
// 0.3, hierarchy 3, visible); an attribute whose value is not of its key's
// type counts as missing. An invalid item or a null owner makes nothing.
#pragma once

#include "vorabs_export.h"

#include "vorabsAttributeSet.h"

#include "ann/ann.h"
#include "ut.h"

class vorabsColour;

class VORABS_API vorabsAttributesToAnnotation {
public:
  vorabsAttributesToAnnotation(const vorabsAttributeSet& attributes, const utString& item_name);
  ~vorabsAttributesToAnnotation();

  // The whole mapping: add_level_data, add_style_data, set_hierarchy,
  // set_visibility, add_property_data, add_display_name_data, in this order.
  void apply(annEntity* owner, const annGeometryItemannPtr& item) const;

  // A new level for the layer, unless the item has a level already.
  void add_level_data(annEntity* owner, const annGeometryItemannPtr& item) const;
  // create_style_set's answer, unless the item has a style set already.
  void add_style_data(annEntity* owner, const annGeometryItemannPtr& item) const;
  // Always overwrite the item's setting.
  void set_hierarchy(const annGeometryItemannPtr& item) const;
  void set_visibility(const annGeometryItemannPtr& item) const;
  // A properties assignment attached to the document's model, when the
  // owner is a document and the entity has properties.
  void add_property_data(annEntity* owner, const annGeometryItemannPtr& item) const;
  void add_display_name_data(annEntity* owner, const annGeometryItemannPtr& item) const;

  // The style set of the "geometry_style" attribute, or the one named after
  // the item's kind and the style base name, found or made. Invalid for an
  // item of a kind that no style draws.
  annStyleSetannPtr create_style_set(annEntity* owner, const annGeometryItemannPtr& item) const;
  // Each finds the style of its kind named with the style base name, or
  // makes it.
  annStyleannPtr create_surface_style(annEntity* owner) const;
  annStyleannPtr create_curve_style(annEntity* owner) const;
  annStyleannPtr create_point_style(annEntity* owner) const;
  annStyleannPtr create_workplane_style(annEntity* owner) const;
  annStyleannPtr create_text_style(annEntity* owner) const;
  annStyleannPtr create_area_style(annEntity* owner) const;
  annStyleannPtr create_point_cloud_style(annEntity* owner) const;
  // A new curve font on each call; a dashed, centreline or dotted font is a
  // placeholder for a pattern font, which the host resolves by name.
  annCurveFontannPtr create_curve_font(annEntity* owner) const;
  // A new RGB colour on each call; invalid without a valid colour.
  annColourannPtr create_colour(annEntity* owner) const;

  const vorabsAttributeSet& attributes() const { return attributes_; }
  const utString& item_name() const { return item_name_; }
  // Colour name, one blank and pattern name, with "_angle" for angle points.
  const utString& style_base_name() const { return style_base_name_; }

protected:
  // "no colour", or colour_name of the colour.
  utString find_colour_name() const;
  // The font name ("solid" without one), one blank, the line width and " style".
  utString find_pattern_name() const;
  // "#RRGGBB" of the components truncated to 0 to 255, after the colour's
  // name and one blank when it has a name.
  utString colour_name(const vorabsColour& colour) const;

private:
  // Colour name, one blank, pattern name and the angle ending, made afresh.
  utString make_style_base_name() const;
  // find_pattern_name's text appended to name, without a string of its own.
  void append_pattern_name(utString& name) const;
  vorabsAttributeSet attributes_;
  utString item_name_;
  utString style_base_name_;
};
