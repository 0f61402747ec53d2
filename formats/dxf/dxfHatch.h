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
// for a path that has no usable edges or whose edges do not join.
velCurvePtr2 dxf_make_boundary(const dxfHatchPath& path, std::string& why);
