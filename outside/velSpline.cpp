// velSpline.cpp - B-spline curves: validity, de Boor evaluation, affine transforms.
#include "velSpline.h"

#include <algorithm>
#include <cmath>

velBSpline3::velBSpline3(int degree, const std::vector<giPoint3>& control_points,
                         const std::vector<double>& knots, const std::vector<double>& weights)
    : degree_(degree), points_(control_points), knots_(knots), weights_(weights) {
  invalid_ = !check();
}

int velBSpline3::check() const {
  size_t n = points_.size();
  if (degree_ < 1 || n < size_t(degree_) + 1 || knots_.size() != n + size_t(degree_) + 1)
    return 0;
  if (!weights_.empty() && weights_.size() != n)
    return 0;
  for (size_t i = 0; i < knots_.size(); ++i)
    if (!std::isfinite(knots_[i]) || (i > 0 && knots_[i] < knots_[i - 1]))
      return 0;
  for (double w : weights_)
    if (!(w > 0.0) || !std::isfinite(w))
      return 0;
  for (const giPoint3& p : points_)
    if (p.invalid())
      return 0;
  return knots_[size_t(degree_)] < knots_[n];
}

velCurvePtr3 velBSpline3::copy() const {
  return velCurvePtr3(new velBSpline3(*this));
}

int velBSpline3::accepts_transform(const giXform3& xform) const {
  return !xform.invalid() && xform.code() != giXFORM_PROJECTIVE &&
         xform.code() != giXFORM_SINGULAR_PROJECTIVE;
}

void velBSpline3::transform_in_place(const giXform3& xform) {
  if (!accepts_transform(xform))
    return;
  for (giPoint3& p : points_)
    p = xform * p;
}

void velBSpline3::parameter_range(double& t0, double& t1) const {
  if (invalid_) {
    t0 = t1 = 0.0;
    return;
  }
  t0 = knots_[size_t(degree_)];
  t1 = knots_[points_.size()];
}

giPoint3 velBSpline3::position(double t) const {
  if (invalid_)
    return giPoint3();
  const size_t p = size_t(degree_);
  const size_t n = points_.size();
  t = std::min(std::max(t, knots_[p]), knots_[n]);
  // The span k with knot(k) <= t < knot(k + 1), the last one at the end.
  size_t k = size_t(std::upper_bound(knots_.begin() + long(p), knots_.begin() + long(n), t) -
                    knots_.begin()) -
             1;
  // De Boor on homogeneous points (x w, y w, z w, w).
  std::vector<double> d(4 * (p + 1));
  for (size_t j = 0; j <= p; ++j) {
    const giPoint3& c = points_[k - p + j];
    double w = weights_.empty() ? 1.0 : weights_[k - p + j];
    d[4 * j] = c.x * w;
    d[4 * j + 1] = c.y * w;
    d[4 * j + 2] = c.z * w;
    d[4 * j + 3] = w;
  }
  for (size_t r = 1; r <= p; ++r)
    for (size_t j = p; j >= r; --j) {
      size_t i = k - p + j;
      double span = knots_[i + p - r + 1] - knots_[i];
      double a = span > 0.0 ? (t - knots_[i]) / span : 0.0;
      for (size_t c = 0; c < 4; ++c)
        d[4 * j + c] = (1.0 - a) * d[4 * (j - 1) + c] + a * d[4 * j + c];
    }
  double w = d[4 * p + 3];
  return giPoint3(d[4 * p] / w, d[4 * p + 1] / w, d[4 * p + 2] / w);
}
