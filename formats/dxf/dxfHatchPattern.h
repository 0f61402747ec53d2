// dxfHatchPattern.h - a hatch pattern kept as user properties of its fill area, and read back.
//
// The framework's fill area carries a solid area style only. A patterned
// HATCH (ANSI31, BRICK, a user-defined set of lines ...) therefore becomes
// a fill area with the user properties below, so that a writer can write
// the pattern back and a plot library can draw it. A solid hatch has none
// of them. The reader attaches them to the fill area's translator: a sink
// finds them in the attribute set it receives with the fill area (under
// the properties key), and the document holds them as the properties
// assignment of the fill area.
//
// Every property has the type "fill pattern" and a text value; numbers are
// written in C locale ("%.10g"), angles in degrees counter-clockwise from
// the x axis, lengths in drawing units.
//
//   title            value
//   "pattern name"   the pattern's name: "ANSI31", "BRICK", "_USER" ...
//   "pattern kind"   "predefined", "user-defined" or "custom"
//   "pattern angle"  the angle the pattern was turned by ("45")
//   "pattern scale"  the scale (or, for a user-defined pattern, the line
//                    spacing) it was drawn at ("2.5")
//   "pattern double" "1" when a user-defined pattern is crossed by a second
//                    set at right angles, else "0"
//   "pattern lines"  the line families to draw, separated by ";", each
//                    "angle,x,y,dx,dy" followed by ",dash" for each dash:
//                    lines at angle through the point (x, y), repeated at
//                    every whole multiple of the offset vector (dx, dy),
//                    infinitely in both directions; the dashes repeat along
//                    each line from (x, y): a positive length is drawn, a
//                    negative one is a gap, 0 is a dot; no dash at all
//                    means a continuous line. Example (ANSI31 at scale 1):
//                    "45,0,0,-2.245064030,2.245064030"
//
// The angle and scale are already applied to the lines: to draw, clip the
// line families of "pattern lines" to the fill area (its outer boundary
// minus its holes) and stroke them in the fill area's colour; the name,
// kind, angle, scale and double flag only describe where they came from.
// The lines are in the coordinates of the fill area's boundary curves: a
// group that places the fill area places its pattern the same way.
#pragma once

#include "dxfRecords.h"

#include "ut.h"
#include "vorabsContext.h"

#include <string>
#include <vector>

class vorabsAttributeSet;
class vorabsTranslator;

// Adds the pattern properties of a patterned hatch to the translator of its
// fill area; name is the pattern's name as text. Nothing for a solid hatch.
void dxf_add_pattern_properties(vorabsTranslator& translator, const vorabsContext& context,
                                const dxfHatch& hatch, const utString& name);

// A pattern as a writer needs it: the properties above, read back.
struct dxfFillPattern {
  std::string name; // UTF-8
  int kind = 1;     // 0 user-defined, 1 predefined, 2 custom
  double angle = 0.0;
  double scale = 1.0;
  int twice = 0;
  std::vector<dxfPatternLine> lines;
  int mask = 0; // the fill area masks what lies beneath (a "fill mask" property "mask" = "1")
};

// The pattern carried by the properties in attributes; 0 when they carry
// none (a solid fill) or its lines cannot be read, and the fill is no mask.
int dxf_fill_pattern(const vorabsAttributeSet& attributes, dxfFillPattern& pattern);
