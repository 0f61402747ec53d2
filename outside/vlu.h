// vlu.h - curve utilities of the kernel: laying a 3D curve into the parameter plane of a surface.
//
// The embedder is made for one surface, which it shares. embed_curve
// answers the 2D pieces, in curve order, that trace the 3D curve in the
// surface's parameters. Only planes are embedded into; the curve must lie
// in the plane within the curve-on-surface tolerance at every point the
// embedder looks at, or nothing is answered. Lines, polylines and circular
// arcs come back as exactly that; a curve on a plane whose own 2D pieces
// survive the way onto this plane (lines, polylines, arcs that stay round)
// comes back piece by piece; any other curve comes back as a polyline that
// stays within the polygonisation tolerance of the curve.
#pragma once

#include "vel.h"
#include "vorout_export.h"

class VOROUT_API vluCurveEmbedder {
public:
  explicit vluCurveEmbedder(const velSurfPtr& surface) : surface_(surface) {}

  // Nonzero on success, with the pieces appended to pieces; 0 (pieces
  // unchanged) for an empty curve, a surface that is no plane, a curve
  // that leaves the plane or passes through an unset point, or tolerances
  // that are not positive.
  int embed_curve(const velCurvePtr3& curve, double polygonisation_tolerance,
                  double curve_on_surface_tolerance, velCurvePtr2coPageArr& pieces) const;

private:
  velSurfPtr surface_;
};
