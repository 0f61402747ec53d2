// vorabsAnnotationToAttributes.h - reads an annotation item's dress back into attributes.
//
// The way back from the document to a format writer: made for one geometry
// item, it writes what the item carries (name, level, colour, line width,
// curve font, angle point form, hierarchy status, visibility, name space
// and display name) into an attribute set. Given a context, it also copies
// the item's whole style set into the context's document and hands the copy
// over as the "geometry_style" attribute, so that a writer into that
// document can use it as it is.
//
// The converter holds a handle to the item and refers to the context's
// document without owning it; the copied style set belongs to that
// document. An invalid item (or a handle to a placeholder) yields nothing.
#pragma once

#include "vorabs_export.h"

#include "vorabsAttributeSet.h"
#include "vorabsColour.h"
#include "vorabsContext.h"

#include "ann/ann.h"

class VORABS_API vorabsAnnotationToAttributes {
public:
  explicit vorabsAnnotationToAttributes(const annGeometryItemannPtr& item);
  ~vorabsAnnotationToAttributes();

  // The document into which merge_attributes copies the style set.
  void set_context(const vorabsContext& context) { context_ = context; }

  // Writes the item's attributes into attributes, replacing those of the
  // same keys and leaving the others: process_name, process_level,
  // process_style, process_hierarchy, process_visibility,
  // process_name_space and process_display_name, in this order.
  void merge_attributes(vorabsAttributeSet& attributes) const;

protected:
  // The item's name, always.
  void process_name(vorabsAttributeSet& attributes) const;
  // The level's number and name as the layer, when the item has a level.
  void process_level(vorabsAttributeSet& attributes) const;
  // Angle point form, line width, curve font and colour from the item's
  // style set, and with a context the copy of the set itself.
  void process_style(vorabsAttributeSet& attributes) const;
  // The hierarchy status and the visibility, always.
  void process_hierarchy(vorabsAttributeSet& attributes) const;
  void process_visibility(vorabsAttributeSet& attributes) const;
  // The path of the item's name space, when it has one.
  void process_name_space(vorabsAttributeSet& attributes) const;
  // The display name, when one is set.
  void process_display_name(vorabsAttributeSet& attributes) const;

private:
  // Copies style_set into the context's document, in the document's copy of
  // the item's name space, and stores the copy under "geometry_style". The
  // document's current name space is left as it was found.
  void copy_style_set(const annStyleSetannPtr& style_set, vorabsAttributeSet& attributes) const;

  annGeometryItemannPtr item_;
  vorabsContext context_;
};

// The colour of style: the components of an RGB colour under the colour
// item's name (the number derived from them), or for any other colour the
// first standard colour whose word ("black", "white", "red", "green",
// "blue", "cyan", "magenta", "yellow", in this order) the colour's name
// holds, in any case. Invalid for an invalid style, a style without colour
// or a name with none of the words.
VORABS_API vorabsColour vorabs_colour_from_ann_style(annStyleannPtr& style);
