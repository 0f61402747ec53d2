// dxfGeometry.h - the kernel objects of DXF entities.
//
// Turns entity records into curves, points and triangle blocks of the
// kernel, in world coordinates: entities stored in their object coordinate
// system (ARC, CIRCLE, LWPOLYLINE, 2D POLYLINE, SOLID, INSERT) are carried
// out of it by the arbitrary-axis rule. Under a transform that does not
// preserve shape, circles and arcs are made as elliptical arcs so that the
// transform can be applied to them. Every function answers an empty or
// unset result, with a reason, for data it cannot use.
#pragma once

#include "dxfRecords.h"

#include "gi.h"
#include "vel.h"

#include <string>
#include <vector>

// The world point of an OCS point.
giPoint3 dxf_ocs_to_wcs(const dxfPoint& extrusion, const dxfPoint& p);
// The transform from an entity's OCS to the world.
giXform3 dxf_ocs_xform(const dxfPoint& extrusion);

// A 2D segment from a to b with a bulge: a line, or an arc turning
// counter-clockwise for a positive bulge.
velCurvePtr2 dxf_bulge_segment(const giPoint2& a, const giPoint2& b, double bulge);

// A curve of a LINE, ARC, CIRCLE, ELLIPSE, LWPOLYLINE, POLYLINE (2D or 3D)
// SPLINE, or the leader line of a LEADER or MULTILEADER; affine: make circular shapes as elliptical
// arcs. An empty handle, with why set, for unusable data.
velCurvePtr3 dxf_make_curve(const dxfEntity& entity, int affine, std::string& why);
// Nonzero when a POLYLINE is a polygon or polyface mesh (a triangle block).
int dxf_polyline_is_mesh(const dxfEntity& entity);
// The edges of a polyface mesh that its face records of two indices give,
// in world coordinates.
std::vector<velCurvePtr3> dxf_polyface_edges(const dxfEntity& entity);
// The triangles of a 3DFACE, SOLID or mesh POLYLINE; false, with why set,
// for unusable data.
bool dxf_make_triblock(const dxfEntity& entity, giTriBlock& block, std::string& why);

// The placement of an INSERT (its cell column, row of an array), block base point
// included.
giXform3 dxf_insert_xform(const dxfEntity& insert, const dxfPoint& base, int column, int row);
