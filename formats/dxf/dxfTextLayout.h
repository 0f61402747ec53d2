// dxfTextLayout.h - where a text sits on its frame's origin, carried as user properties.
//
// The framework's text is characters, a font, a frame (origin; u along the
// baseline, v up) and a width. A DXF text is also anchored: a centred TEXT
// has its frame origin at the middle of its baseline, an MTEXT at one of
// nine points of its block of lines. The reader does not move the origin to
// the start of the baseline (that needs the font's metrics, which a drawing
// endpoint has and a reader does not); it keeps the anchor and states it as
// user properties of the text's translator, of type "text layout". They
// reach every sink with the text: in the "properties" attribute of the
// annotation call (kapProperties), and as the item's properties assignment
// in the document. An endpoint reads them without knowing DXF:
//
//   title          value
//   "alignment"    "<horizontal> <vertical>". horizontal: left, center,
//                  right, or fit / aligned (see "fit length"); vertical:
//                  baseline, bottom, middle, top. The frame origin is that
//                  point of the text: for one line, bottom is the lowest
//                  descender, top the top of the capitals, middle halfway
//                  between baseline and top; for a paragraph, top is the top
//                  of its first line, bottom the bottom of its last, middle
//                  halfway between. Absent: "left baseline".
//   "fit length"   with fit or aligned: the text fills the baseline from the
//                  frame origin along u for this length, given in font
//                  heights so that it follows the text through any
//                  placement. fit stretches the characters' width only;
//                  aligned scales them whole (height included).
//   "paragraph"    "wrap": a paragraph (MTEXT). Its lines break at '\n' and
//                  the item's width is the width they wrap at (0: they do
//                  not wrap) instead of a width factor.
//   "line spacing" a paragraph's distance between baselines as a factor of
//                  the usual one, when not 1.
//   "oblique"      a line's slant: how far its characters lean right of
//                  upright, in degrees (left when negative).
//   "frame"        a rectangle drawn around the text's lines, this far from
//                  them in font heights; a paragraph with a width spans it
//                  whole.
//   "background"   "<colour> <gap>": a rectangle filled behind the text,
//                  gap font heights past its lines, across a paragraph's
//                  width as the frame. colour:
//                  "#RRGGBB", "foreground" (the colour that shows against the
//                  background: black on white) or "canvas" (the background's
//                  own, to mask what lies beneath).
//   "markup"       a paragraph's characters with their inline formatting
//                  (MTEXT codes such as \L underline), when it had any: for a
//                  writer of the same format, valid only while its plain
//                  reading equals the item's text.
//   "runs"         the stretches of a text formatted apart from the rest,
//                  separated by "; ": each "FIRST COUNT" (characters of
//                  the item's text) and then "|key=value" for what
//                  differs: height (times the text's height), font (a font
//                  family, or a font file by its name), bold and italic (0
//                  or 1), colour (as the background's), oblique (the
//                  characters' slant in degrees), rise (its
//                  baseline above the line's, in the text's heights; below
//                  when negative: a stacked fraction's parts), underline,
//                  overline, strike (1).
//
// Texts without properties are single lines anchored at the left of their
// baseline, with the width a width factor.
#pragma once

#include "dxfRecords.h"
#include "dxf_export.h"

#include "ut.h"

#include <string>
#include <utility>
#include <vector>

class vorabsAttributeSet;
class vorabsTranslator;
class dxfTextDecoder;

struct DXF_API dxfTextLayout {
  enum Horizontal { LEFT, CENTER, RIGHT, FIT, ALIGNED };
  enum Vertical { BASELINE, BOTTOM, MIDDLE, TOP };

  int horizontal = LEFT;
  int vertical = BASELINE;
  double fit_length = 0.0; // in font heights, with FIT and ALIGNED
  int paragraph = 0;
  double line_spacing = 1.0;
  double oblique = 0.0;   // a line's slant in degrees (TEXT 51)
  double frame = -1.0;    // the gap of a frame around the lines, in font heights; negative: none
  std::string background; // the "background" colour; empty when there is none
  double background_gap = 0.0; // its gap, in font heights
  utString markup;             // null when there is none
  std::string runs;            // the "runs" property's value; empty when there is none

  // A TEXT, ATTRIB or ATTDEF (72, 73, 51 and its two points; the font
  // height height) or an MTEXT (71, 44, its background settings and its raw
  // text).
  static dxfTextLayout of_entity(const dxfEntity& text, double height,
                                 const dxfTextDecoder& decoder);
  // The layout given by the properties of a sink call; the default one when
  // there are none.
  static dxfTextLayout of_attributes(const vorabsAttributeSet& attributes);

  // Attaches the properties that differ from a left-aligned line.
  void add_properties(vorabsTranslator& translator) const;

  // A line of text (UTF-8) in pieces, each after the %%u, %%o and %%k
  // codes that turn the runs' underline, overline and strike-through on
  // and off before it; one piece when there are none.
  std::vector<std::pair<std::string, std::string>> line_pieces(const std::string& text) const;

  // The DXF codes of the layout: TEXT's 72 and 73, MTEXT's 71 (1 to 9).
  int text_72() const;
  int text_73() const;
  int mtext_attachment() const;
};

// The anchor of a TEXT in its object coordinates: 11 when aligned anywhere
// but left on the baseline (and 11 was read), else 10; 10 also for a text
// fitted between 10 and 11.
DXF_API const dxfPoint& dxf_text_anchor(const dxfEntity& text);
