// vel.cpp - the curve and surface library: evaluation, copies and transforms.
#include "vel.h"

#include <cmath>

namespace {

// The homogeneous weight that xform gives p: 1 for an affine transform.
double weight(const giXform3& xform, const giPoint3& p) {
  return giXform3Acc::matrix_value(xform, 3, 0) * p.x +
         giXform3Acc::matrix_value(xform, 3, 1) * p.y +
         giXform3Acc::matrix_value(xform, 3, 2) * p.z + giXform3Acc::matrix_value(xform, 3, 3);
}

// Nonzero when xform maps every point of the chain to a finite point: the
// weights of all its points are of one strict sign, so no segment crosses
// the plane that a perspective sends to infinity.
int keeps_finite(const giXform3& xform, const giPoint3* points, size_t count) {
  if (xform.invalid())
    return 0;
  int positive = 0;
  int negative = 0;
  for (size_t i = 0; i < count; ++i) {
    double w = weight(xform, points[i]);
    positive |= w > 0.0;
    negative |= w < 0.0;
    if (w == 0.0 || (positive && negative))
      return 0;
  }
  return 1;
}

giPoint3 between(const giPoint3& a, const giPoint3& b, double f) {
  if (a.invalid() || b.invalid())
    return giPoint3();
  return a + (b - a) * f;
}

giPoint2 between(const giPoint2& a, const giPoint2& b, double f) {
  if (a.invalid() || b.invalid())
    return giPoint2();
  return giPoint2(a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f);
}

// The position on a chain of points at t in [0, n - 1]; t outside that
// range extends the first or last segment.
template <class Point> Point chain_position(const std::vector<Point>& points, double t) {
  if (points.empty())
    return Point();
  if (points.size() == 1)
    return points[0];
  double last = double(points.size() - 2);
  double segment = std::floor(t);
  segment = segment < 0.0 ? 0.0 : segment > last ? last : segment;
  size_t i = size_t(segment);
  return between(points[i], points[i + 1], t - segment);
}

} // namespace

// --- 3D curves ----------------------------------------------------------------
velCurve3::~velCurve3() = default;

int velCurve3::accepts_transform(const giXform3& xform) const {
  return !xform.invalid();
}

int velCurve3::transform(const velCurvePtr3& curve, const giXform3& xform) {
  if (curve.invalid() || xform.invalid())
    return 0;
  if (xform.identity())
    return 1;
  if (!curve->accepts_transform(xform))
    return 0;
  curve->transform_in_place(xform);
  return 1;
}

velCurvePtr3 velLine3::copy() const {
  return velCurvePtr3(new velLine3(*this));
}

int velLine3::accepts_transform(const giXform3& xform) const {
  giPoint3 ends[2] = {start_, end_};
  return keeps_finite(xform, ends, 2);
}

void velLine3::transform_in_place(const giXform3& xform) {
  if (!accepts_transform(xform))
    return;
  start_ = xform * start_;
  end_ = xform * end_;
}

giPoint3 velLine3::position(double t) const {
  return between(start_, end_, t);
}

void velLine3::parameter_range(double& t0, double& t1) const {
  t0 = 0.0;
  t1 = 1.0;
}

velCircArc3::velCircArc3(const giPoint3& centre, const giVector3& normal,
                         const giVector3& reference, double radius, double start_angle,
                         double end_angle)
    : radius_(radius), start_angle_(start_angle), end_angle_(end_angle) {
  giVector3 n = normal.normalised();
  giVector3 u = reference - n * reference.dot(n);
  if (n.length() == 0.0)
    return; // frame_ stays unset
  frame_ = giWorkplane3(centre, u, n.cross(u));
}

velCurvePtr3 velCircArc3::copy() const {
  return velCurvePtr3(new velCircArc3(*this));
}

int velCircArc3::accepts_transform(const giXform3& xform) const {
  return xform.shape_preserving();
}

void velCircArc3::transform_in_place(const giXform3& xform) {
  if (!accepts_transform(xform))
    return;
  // A similarity carries u and v onto the scaled images of each other's
  // perpendiculars, so the frame moves exactly and the radius scales.
  radius_ *= frame_.transform(xform);
}

giPoint3 velCircArc3::position(double t) const {
  if (invalid())
    return giPoint3();
  return frame_.origin() + frame_.u_vector() * (radius_ * std::cos(t)) +
         frame_.v_vector() * (radius_ * std::sin(t));
}

void velCircArc3::parameter_range(double& t0, double& t1) const {
  t0 = start_angle_;
  t1 = end_angle_;
}

velCurvePtr3 velPolyline3::copy() const {
  return velCurvePtr3(new velPolyline3(*this));
}

int velPolyline3::accepts_transform(const giXform3& xform) const {
  return keeps_finite(xform, points_.data(), points_.size());
}

void velPolyline3::transform_in_place(const giXform3& xform) {
  if (!accepts_transform(xform))
    return;
  for (giPoint3& p : points_)
    p = xform * p;
}

giPoint3 velPolyline3::position(double t) const {
  return chain_position(points_, t);
}

void velPolyline3::parameter_range(double& t0, double& t1) const {
  t0 = 0.0;
  t1 = points_.empty() ? 0.0 : double(points_.size() - 1);
}

// --- 2D curves ----------------------------------------------------------------
velCurve2::~velCurve2() = default;

giPoint2 velCurve2::start_position() const {
  double t0 = 0.0, t1 = 0.0;
  parameter_range(t0, t1);
  return position(t0);
}

giPoint2 velCurve2::end_position() const {
  double t0 = 0.0, t1 = 0.0;
  parameter_range(t0, t1);
  return position(t1);
}

velCurvePtr2 velLine2::copy() const {
  return velCurvePtr2(new velLine2(*this));
}

giPoint2 velLine2::position(double t) const {
  return between(start_, end_, t);
}

void velLine2::parameter_range(double& t0, double& t1) const {
  t0 = 0.0;
  t1 = 1.0;
}

velCurvePtr2 velCircArc2::copy() const {
  return velCurvePtr2(new velCircArc2(*this));
}

giPoint2 velCircArc2::position(double t) const {
  if (centre_.invalid() || !(radius_ > 0.0))
    return giPoint2();
  return giPoint2(centre_.x + radius_ * std::cos(t), centre_.y + radius_ * std::sin(t));
}

void velCircArc2::parameter_range(double& t0, double& t1) const {
  t0 = start_angle_;
  t1 = end_angle_;
}

velCurvePtr2 velPolyline2::copy() const {
  return velCurvePtr2(new velPolyline2(*this));
}

giPoint2 velPolyline2::position(double t) const {
  return chain_position(points_, t);
}

void velPolyline2::parameter_range(double& t0, double& t1) const {
  t0 = 0.0;
  t1 = points_.empty() ? 0.0 : double(points_.size() - 1);
}

namespace {

int within(const giPoint2& a, const giPoint2& b, double tolerance) {
  if (a.invalid() || b.invalid())
    return 0;
  return std::hypot(a.x - b.x, a.y - b.y) <= tolerance;
}

} // namespace

velCompCurve2::velCompCurve2(double closure_tolerance, int options)
    : tolerance_(closure_tolerance), options_(options) {}

int velCompCurve2::add_segment_end(const velCurvePtr2& segment) {
  if (segment.invalid())
    return 0;
  if (!segments_.empty() &&
      !within(segments_.back()->end_position(), segment->start_position(), tolerance_))
    return 0;
  segments_.push_back(segment);
  return 1;
}

velCurvePtr2 velCompCurve2::copy() const {
  velCompCurve2* made = new velCompCurve2(tolerance_, options_);
  for (const velCurvePtr2& s : segments_)
    made->segments_.push_back(s->copy());
  return velCurvePtr2(made);
}

giPoint2 velCompCurve2::position(double t) const {
  if (segments_.empty())
    return giPoint2();
  double last = double(segments_.size() - 1);
  double segment = std::floor(t);
  segment = segment < 0.0 ? 0.0 : segment > last ? last : segment;
  const velCurve2& curve = *segments_[size_t(segment)];
  double t0 = 0.0, t1 = 0.0;
  curve.parameter_range(t0, t1);
  return curve.position(t0 + (t - segment) * (t1 - t0));
}

void velCompCurve2::parameter_range(double& t0, double& t1) const {
  t0 = 0.0;
  t1 = double(segments_.size());
}

int velCompCurve2::closed() const {
  return !segments_.empty() &&
         within(segments_.back()->end_position(), segments_.front()->start_position(), tolerance_);
}

// --- surfaces -----------------------------------------------------------------
velSurf::~velSurf() = default;

int velSurf::accepts_transform(const giXform3& xform) const {
  return !xform.invalid();
}

giPoint3 velSurf::position(double, double) const {
  return giPoint3();
}

int velSurf::transform(const velSurfPtr& surface, const giXform3& xform) {
  if (surface.invalid() || xform.invalid())
    return 0;
  if (xform.identity())
    return 1;
  if (!surface->accepts_transform(xform))
    return 0;
  surface->transform_in_place(xform);
  return 1;
}

velSurfPtr velPlane::copy() const {
  return velSurfPtr(new velPlane(*this));
}

int velPlane::accepts_transform(const giXform3& xform) const {
  return xform.shape_preserving();
}

void velPlane::transform_in_place(const giXform3& xform) {
  if (!accepts_transform(xform))
    return;
  scale_ *= workplane_.transform(xform);
}

giPoint3 velPlane::position(double u, double v) const {
  if (workplane_.invalid())
    return giPoint3();
  return workplane_.origin() + (workplane_.u_vector() * u + workplane_.v_vector() * v) * scale_;
}

velSurfPtr velCylinder::copy() const {
  return velSurfPtr(new velCylinder(*this));
}

int velCylinder::accepts_transform(const giXform3& xform) const {
  return xform.shape_preserving();
}

void velCylinder::transform_in_place(const giXform3& xform) {
  if (!accepts_transform(xform))
    return;
  double magnification = axis_frame_.transform(xform);
  radius_ *= magnification;
  scale_ *= magnification;
}

giPoint3 velCylinder::position(double u, double v) const {
  if (axis_frame_.invalid() || !(radius_ > 0.0))
    return giPoint3();
  return axis_frame_.origin() + axis_frame_.u_vector() * (radius_ * std::cos(u)) +
         axis_frame_.v_vector() * (radius_ * std::sin(u)) + axis_frame_.normal() * (v * scale_);
}

// --- curves on surfaces -------------------------------------------------------
velCurvePtr3 velCurveOnSurf3::copy() const {
  return velCurvePtr3(new velCurveOnSurf3(curve_.invalid() ? curve_ : curve_->copy(),
                                          surface_.invalid() ? surface_ : surface_->copy(),
                                          placement_));
}

int velCurveOnSurf3::accepts_transform(const giXform3& xform) const {
  return !surface_.invalid() && !xform.invalid();
}

void velCurveOnSurf3::transform_in_place(const giXform3& xform) {
  if (!accepts_transform(xform))
    return;
  if (placement_.identity() && surface_->accepts_transform(xform)) {
    velSurfPtr moved = surface_->copy();
    moved->transform_in_place(xform);
    surface_ = moved;
    return;
  }
  placement_.premultiply(xform);
}

giPoint3 velCurveOnSurf3::position(double t) const {
  if (curve_.invalid() || surface_.invalid())
    return giPoint3();
  giPoint2 uv = curve_->position(t);
  if (uv.invalid())
    return giPoint3();
  giPoint3 on_surface = surface_->position(uv.x, uv.y);
  return placement_.identity() ? on_surface : placement_ * on_surface;
}

void velCurveOnSurf3::parameter_range(double& t0, double& t1) const {
  if (curve_.invalid()) {
    t0 = t1 = 0.0;
    return;
  }
  curve_->parameter_range(t0, t1);
}
