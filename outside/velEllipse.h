// velEllipse.h - an elliptical arc in space, for the curve and surface library.
//
// The arc is held by its centre and two conjugate semi-diameters u and v:
// position(t) = centre + cos(t) u + sin(t) v for t from start to end (radians).
// Built from a major axis, a plane normal and a minor-to-major ratio, u and
// v are the principal semi-axes; an affine map keeps the curve an ellipse and
// is applied exactly to the three vectors, after which u and v are conjugate
// but no longer perpendicular. Perspective maps are refused. A zero major
// axis, a zero normal or a ratio that is not in (0, 1] leaves it invalid.
#pragma once

#include "vel.h"

class VOROUT_API velEllipse3 final : public velCurve3 {
public:
  velEllipse3(const giPoint3& centre, const giVector3& major_axis, const giVector3& normal,
              double ratio, double start, double end);

  velCurvePtr3 copy() const override;
  void transform_in_place(const giXform3& xform) override;
  // Affine transforms only.
  int accepts_transform(const giXform3& xform) const override;
  giPoint3 position(double t) const override;
  void parameter_range(double& t0, double& t1) const override;
  const char* kind() const override { return "elliptical arc"; }

  int invalid() const { return invalid_; }
  const giPoint3& centre() const { return centre_; }
  const giVector3& u_axis() const { return u_; }
  const giVector3& v_axis() const { return v_; }

private:
  velEllipse3() = default;
  giPoint3 centre_;
  giVector3 u_;
  giVector3 v_;
  double start_ = 0.0;
  double end_ = 0.0;
  int invalid_ = 1;
};
