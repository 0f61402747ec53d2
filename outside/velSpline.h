// velSpline.h - a B-spline curve in space, for the curve and surface library.
//
// Degree, control points, a knot vector and optional weights (empty for a
// non-rational curve, else one positive weight per control point). The
// parameter runs over [knot(degree), knot(n)] for n control points. A curve
// whose counts do not fit (fewer than degree + 1 points, not n + degree + 1
// knots, knots that decrease or weights of the wrong count) is invalid and
// traces unset points. Affine transforms move the control points exactly;
// perspective maps are refused.
#pragma once

#include "vel.h"

#include <vector>

class VOROUT_API velBSpline3 final : public velCurve3 {
public:
  velBSpline3(int degree, const std::vector<giPoint3>& control_points,
              const std::vector<double>& knots, const std::vector<double>& weights);

  velCurvePtr3 copy() const override;
  void transform_in_place(const giXform3& xform) override;
  int accepts_transform(const giXform3& xform) const override;
  giPoint3 position(double t) const override;
  void parameter_range(double& t0, double& t1) const override;
  const char* kind() const override { return "B-spline"; }

  int invalid() const { return invalid_; }
  int degree() const { return degree_; }
  int rational() const { return !weights_.empty(); }
  const std::vector<giPoint3>& control_points() const { return points_; }
  const std::vector<double>& knots() const { return knots_; }
  const std::vector<double>& weights() const { return weights_; }

private:
  int check() const;
  int degree_;
  std::vector<giPoint3> points_;
  std::vector<double> knots_;
  std::vector<double> weights_;
  int invalid_;
};
