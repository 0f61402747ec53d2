// dxfHatch.h - the boundary paths of a HATCH as 2D curves of its object coordinate system.
//
// A polyline path becomes a chain of lines and arcs (its bulges); an edge
// path a chain of its line, arc, elliptic-arc and spline edges, the last two
// as polylines within a small tolerance of the true curve. The caller owns
// the curves made.
#pragma once

#include "dxfRecords.h"

#include "vel.h"

#include <string>

// The index of the path that bounds the hatch from outside: the first one
// flagged external or outermost, else the first; -1 when there is none.
int dxf_outer_path(const dxfHatch& hatch);

// The closed 2D curve of a boundary path; an empty handle, with why set,
// for a path that has no usable edges or whose edges do not join. Edges
// that do not follow one another end to start are chained in whatever
// order and direction joins them, gaps up to gap bridged by lines.
velCurvePtr2 dxf_make_boundary(const dxfHatchPath& path, double gap, std::string& why);

// How wide a gap between the edges of a path may be bridged: a thousandth
// of the drawing's size (its extents, or the path's own size when the file
// gives none that fit).
double dxf_boundary_gap(const dxfFile& file, const dxfHatchPath& path);
