// velEllipse.cpp - elliptical arcs: construction, evaluation and affine transforms.
#include "velEllipse.h"

#include <cmath>

velEllipse3::velEllipse3(const giPoint3& centre, const giVector3& major_axis,
                         const giVector3& normal, double ratio, double start, double end)
    : centre_(centre), u_(major_axis), start_(start), end_(end) {
  giVector3 minor = normal.cross(major_axis).normalised() * (major_axis.length() * ratio);
  v_ = minor;
  invalid_ = centre.invalid() || !(major_axis.length() > 0.0) || !(minor.length() > 0.0) ||
             !(ratio > 0.0 && ratio <= 1.0) || !std::isfinite(start) || !std::isfinite(end);
}

velCurvePtr3 velEllipse3::copy() const {
  return velCurvePtr3(new velEllipse3(*this));
}

int velEllipse3::accepts_transform(const giXform3& xform) const {
  return !xform.invalid() && xform.code() != giXFORM_PROJECTIVE &&
         xform.code() != giXFORM_SINGULAR_PROJECTIVE;
}

void velEllipse3::transform_in_place(const giXform3& xform) {
  if (!accepts_transform(xform))
    return;
  centre_ = xform * centre_;
  u_ = xform * u_;
  v_ = xform * v_;
  invalid_ = invalid_ || centre_.invalid() || !(u_.cross(v_).length() > 0.0);
}

giPoint3 velEllipse3::position(double t) const {
  if (invalid_)
    return giPoint3();
  return centre_ + u_ * std::cos(t) + v_ * std::sin(t);
}

void velEllipse3::parameter_range(double& t0, double& t1) const {
  t0 = start_;
  t1 = end_;
}
