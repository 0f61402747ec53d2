// dxfHatchWriter.h - a fill area written as a DXF HATCH.
//
// The boundaries become polyline paths of lines and bulged arcs, the first
// one the outer boundary; an arc that turns more than half a circle (a full
// circle above all) is written in equal pieces of at most half a turn, since
// one bulge cannot stand for a whole circle. A fill area placed by a group's
// shape-preserving transform is written in the object coordinate system of
// the plane it is placed on (its extrusion the plane's normal), so that a
// mirrored or tilted hatch stays a HATCH. A pattern (dxfHatchPattern.h) is
// written as that pattern, its lines carried by the same placement;
// without one the hatch is solid. A fill area without holes that masks what
// lies beneath (dxfHatchPattern.h) is written as a WIPEOUT instead. The
// caller owns everything passed.
#pragma once

#include "dxfDrawingWriter.h"
#include "dxfHatchPattern.h"

class annFillArea;
class annSPT;

// Writes fill into space; place (may be null) is the transform of the group
// that places it. pattern may be null (solid).
void dxf_write_hatch(dxfDrawingWriter& drawing, int space, const annFillArea& fill,
                     const annSPT* place, const dxfEntityProperties& properties,
                     const dxfFillPattern* pattern);
