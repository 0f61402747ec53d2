// dxfPolylineWidth.h - the widths of a wide polyline, kept as a user property of its curve.
//
// A DXF polyline may be drawn as a band: of one width all along
// (LWPOLYLINE 43) or with each segment tapering from a start width to an
// end width (40 and 41 of each vertex, or of the POLYLINE for all). The
// framework's curve knows a pen's line width in millimetres, not a band in
// drawing units, so the reader keeps the widths as a user property of the
// curve's translator: a sink finds it with the curve (properties key), the
// document as the curve's properties assignment. An endpoint reads it
// without knowing DXF:
//
//   type "polyline width", title "widths": the start and end width of each
//   segment in drawing units, "start end" pairs separated by "; ", in the
//   order of the segments (the closing one last); a single pair when the
//   width is the same all along. A polyline drawn as a line has none.
#pragma once

#include "dxfRecords.h"
#include "dxf_export.h"

#include <utility>
#include <vector>

class vorabsAttributeSet;
class vorabsContext;
class vorabsTranslator;

using dxfSegmentWidths = std::vector<std::pair<double, double>>;

// The widths of a LWPOLYLINE or 2D POLYLINE, one pair per segment (a
// single pair when constant); empty when it is drawn as a line.
DXF_API dxfSegmentWidths dxf_polyline_widths(const dxfEntity& polyline);
// Attaches the property when there are widths.
DXF_API void dxf_add_width_property(vorabsTranslator& translator, const vorabsContext& context,
                                    const dxfSegmentWidths& widths);
// The widths a sink call carries; empty when none (or when they do not read).
DXF_API dxfSegmentWidths dxf_widths_of(const vorabsAttributeSet& attributes);
