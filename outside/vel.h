// vel.h - the curve and surface library: 2D and 3D curves, surfaces and their shared handles.
//
// Curves and surfaces are polymorphic objects reached through reference-
// counted handles (velCurvePtr3, velCurvePtr2, velSurfPtr): a handle made
// from a new object claims it, copies of a handle share the object, and the
// object is deleted with its last handle. A handle may be empty (invalid()).
// copy() makes an independent deep copy behind a new handle; transforming
// an object in place changes it for every handle that shares it, so a
// caller that must keep the original copies first.
//
// Not every curve survives every transform: a circular arc, a plane or a
// cylinder cannot stay what it is under a transform that does not preserve
// shape, and a line cannot stay a segment when a perspective sends part of
// it to infinity. The static transform() operations ask the object first
// and leave it unchanged when it refuses.
#pragma once

#include "co.h"
#include "gi.h"
#include "vorout_export.h"

#include <cfloat>
#include <memory>
#include <vector>

// --- handles ------------------------------------------------------------------
// The common part of the shared handles. Counts are atomic.
template <class T> class velHandle {
public:
  velHandle() = default; // empty
  // Claims a new object: it is deleted with the last handle sharing it.
  explicit velHandle(T* claimed) : ref_(claimed) {}

  int invalid() const { return ref_ == nullptr; }
  T* pointer() const { return ref_.get(); }
  T* operator->() const { return ref_.get(); }
  T& operator*() const { return *ref_; }
  long use_count() const { return ref_.use_count(); }
  void reset() { ref_.reset(); }
  // Nonzero when both handles share the same object (or both are empty).
  friend int operator==(const velHandle& a, const velHandle& b) { return a.ref_ == b.ref_; }
  friend int operator!=(const velHandle& a, const velHandle& b) { return a.ref_ != b.ref_; }

private:
  std::shared_ptr<T> ref_;
};

class velCurve3;
class velCurve2;
class velSurf;

class VOROUT_API velCurvePtr3 : public velHandle<velCurve3> {
public:
  using velHandle::velHandle;
};

class VOROUT_API velCurvePtr2 : public velHandle<velCurve2> {
public:
  using velHandle::velHandle;
};

class VOROUT_API velSurfPtr : public velHandle<velSurf> {
public:
  using velHandle::velHandle;
};

using velCurvePtr2coPageArr = coPageArr<velCurvePtr2>;
using velCurvePtr3coPageArr = coPageArr<velCurvePtr3>;

// --- 2D points ----------------------------------------------------------------
// A point of a parameter plane. Unset like giPoint3: x is +DBL_MAX or
// -DBL_MAX, or y is DBL_MAX.
class VOROUT_API giPoint2 {
public:
  giPoint2() = default; // unset
  giPoint2(double x_, double y_) : x(x_), y(y_) {}

  int invalid() const { return x == DBL_MAX || x == -DBL_MAX || y == DBL_MAX; }
  // Exact comparison of the coordinates.
  friend int operator==(const giPoint2& a, const giPoint2& b) { return a.x == b.x && a.y == b.y; }
  friend int operator!=(const giPoint2& a, const giPoint2& b) { return !(a == b); }

  double x = DBL_MAX;
  double y = 0.0;
};

// --- 3D curves ----------------------------------------------------------------
// A bounded curve in space, traced by position(t) for t from t0 to t1 of
// parameter_range. A curve that was built from unusable data (a zero
// normal, a negative radius, no points) traces unset points.
class VOROUT_API velCurve3 {
public:
  virtual ~velCurve3();

  virtual velCurvePtr3 copy() const = 0;
  // Moves the curve by xform. Called only with transforms the curve
  // accepts; a curve handed one it refuses is left as it is.
  virtual void transform_in_place(const giXform3& xform) = 0;
  // Nonzero when the curve keeps its kind under xform (a set transform).
  // The default accepts every set transform.
  virtual int accepts_transform(const giXform3& xform) const;
  virtual giPoint3 position(double t) const = 0;
  virtual void parameter_range(double& t0, double& t1) const = 0;
  // The kind in words: "line", "circular arc", "polyline", ...
  virtual const char* kind() const = 0;

  // Transforms the curve behind the handle in place; nonzero on success.
  // 0, with the curve unchanged, for an empty handle, an unset transform or
  // a transform the curve refuses. The identity is accepted and not applied.
  static int transform(const velCurvePtr3& curve, const giXform3& xform);
};

// A straight segment; t runs from 0 at start to 1 at end.
class VOROUT_API velLine3 final : public velCurve3 {
public:
  velLine3(const giPoint3& start, const giPoint3& end) : start_(start), end_(end) {}

  velCurvePtr3 copy() const override;
  void transform_in_place(const giXform3& xform) override;
  // Any set transform that keeps the whole segment finite.
  int accepts_transform(const giXform3& xform) const override;
  giPoint3 position(double t) const override;
  void parameter_range(double& t0, double& t1) const override;
  const char* kind() const override { return "line"; }

  const giPoint3& start() const { return start_; }
  const giPoint3& end() const { return end_; }

private:
  giPoint3 start_;
  giPoint3 end_;
};

// A circular arc in the plane through centre at right angles to normal. The
// parameter is the angle in radians, measured from reference (made
// perpendicular to normal) towards normal x reference, from start_angle to
// end_angle. A zero normal, a reference along the normal or a radius that is
// not positive leaves the arc invalid. Only shape-preserving transforms are
// accepted: under any other transform a circle becomes an ellipse.
class VOROUT_API velCircArc3 final : public velCurve3 {
public:
  velCircArc3(const giPoint3& centre, const giVector3& normal, const giVector3& reference,
              double radius, double start_angle, double end_angle);

  velCurvePtr3 copy() const override;
  void transform_in_place(const giXform3& xform) override;
  int accepts_transform(const giXform3& xform) const override;
  giPoint3 position(double t) const override;
  void parameter_range(double& t0, double& t1) const override;
  const char* kind() const override { return "circular arc"; }

  int invalid() const { return frame_.invalid() || !(radius_ > 0.0); }
  const giPoint3& centre() const { return frame_.origin(); }
  const giVector3& normal() const { return frame_.normal(); }
  // The unit direction of angle 0.
  const giVector3& reference() const { return frame_.u_vector(); }
  double radius() const { return radius_; }
  double start_angle() const { return start_angle_; }
  double end_angle() const { return end_angle_; }

private:
  // Angle 0 along u, angle pi/2 along v; a mirror keeps this and turns the
  // normal over.
  giWorkplane3 frame_;
  double radius_;
  double start_angle_;
  double end_angle_;
};

// A chain of straight segments through its points; t runs from 0 at the
// first point to n - 1 at the last, segment i covering [i, i + 1].
class VOROUT_API velPolyline3 final : public velCurve3 {
public:
  explicit velPolyline3(const std::vector<giPoint3>& points) : points_(points) {}

  velCurvePtr3 copy() const override;
  void transform_in_place(const giXform3& xform) override;
  // Any set transform that keeps every segment finite.
  int accepts_transform(const giXform3& xform) const override;
  giPoint3 position(double t) const override;
  void parameter_range(double& t0, double& t1) const override;
  const char* kind() const override { return "polyline"; }

  int num_points() const { return int(points_.size()); }
  const giPoint3& point(int i) const { return points_[size_t(i)]; }

private:
  std::vector<giPoint3> points_;
};

// --- 2D curves ----------------------------------------------------------------
// A bounded curve in a parameter plane, as velCurve3 without transforms.
class VOROUT_API velCurve2 {
public:
  virtual ~velCurve2();

  virtual velCurvePtr2 copy() const = 0;
  virtual giPoint2 position(double t) const = 0;
  virtual void parameter_range(double& t0, double& t1) const = 0;
  virtual const char* kind() const = 0;

  // The positions at the two ends of the parameter range.
  giPoint2 start_position() const;
  giPoint2 end_position() const;
};

// A straight segment; t runs from 0 to 1.
class VOROUT_API velLine2 final : public velCurve2 {
public:
  velLine2(const giPoint2& start, const giPoint2& end) : start_(start), end_(end) {}

  velCurvePtr2 copy() const override;
  giPoint2 position(double t) const override;
  void parameter_range(double& t0, double& t1) const override;
  const char* kind() const override { return "line"; }

  const giPoint2& start() const { return start_; }
  const giPoint2& end() const { return end_; }

private:
  giPoint2 start_;
  giPoint2 end_;
};

// A circular arc; the parameter is the angle in radians counter-clockwise
// from the x direction. A start angle above the end angle traces the arc
// clockwise. A radius that is not positive traces unset points.
class VOROUT_API velCircArc2 final : public velCurve2 {
public:
  velCircArc2(const giPoint2& centre, double radius, double start_angle, double end_angle)
      : centre_(centre), radius_(radius), start_angle_(start_angle), end_angle_(end_angle) {}

  velCurvePtr2 copy() const override;
  giPoint2 position(double t) const override;
  void parameter_range(double& t0, double& t1) const override;
  const char* kind() const override { return "circular arc"; }

  const giPoint2& centre() const { return centre_; }
  double radius() const { return radius_; }
  double start_angle() const { return start_angle_; }
  double end_angle() const { return end_angle_; }

private:
  giPoint2 centre_;
  double radius_;
  double start_angle_;
  double end_angle_;
};

// A chain of straight segments; t runs from 0 to n - 1 as for velPolyline3.
class VOROUT_API velPolyline2 final : public velCurve2 {
public:
  explicit velPolyline2(const std::vector<giPoint2>& points) : points_(points) {}

  velCurvePtr2 copy() const override;
  giPoint2 position(double t) const override;
  void parameter_range(double& t0, double& t1) const override;
  const char* kind() const override { return "polyline"; }

  int num_points() const { return int(points_.size()); }
  const giPoint2& point(int i) const { return points_[size_t(i)]; }

private:
  std::vector<giPoint2> points_;
};

// A chain of 2D segments, each starting where the one before it ends. It
// shares the segments it is given. The parameter runs from 0 to the number
// of segments, segment i covering [i, i + 1] whatever its own range.
class VOROUT_API velCompCurve2 final : public velCurve2 {
public:
  // closure_tolerance: how far a segment may start from the end of the one
  // before it, and the end of the last from the start of the first for the
  // chain to count as closed. options: none is defined; pass 0.
  velCompCurve2(double closure_tolerance, int options);

  // Appends the segment when it is the first or starts within the
  // tolerance of where the chain ends; nonzero when appended. An empty
  // handle is refused.
  int add_segment_end(const velCurvePtr2& segment);

  // Copies the segments too.
  velCurvePtr2 copy() const override;
  giPoint2 position(double t) const override;
  void parameter_range(double& t0, double& t1) const override;
  const char* kind() const override { return "composite curve"; }

  int num_segments() const { return int(segments_.size()); }
  const velCurvePtr2& segment(int i) const { return segments_[size_t(i)]; }
  // Nonzero when there are segments and the chain ends where it starts.
  int closed() const;
  double closure_tolerance() const { return tolerance_; }

private:
  double tolerance_;
  int options_;
  std::vector<velCurvePtr2> segments_;
};

// --- surfaces -----------------------------------------------------------------
// A surface, parametrised by position(u, v). The default position answers
// an unset point for a surface kind that cannot evaluate itself.
class VOROUT_API velSurf {
public:
  virtual ~velSurf();

  virtual velSurfPtr copy() const = 0;
  // Moves the surface by xform; as for velCurve3, only called with
  // transforms the surface accepts.
  virtual void transform_in_place(const giXform3& xform) = 0;
  // Nonzero when the surface keeps its kind under xform; the default
  // accepts every set transform.
  virtual int accepts_transform(const giXform3& xform) const;
  virtual giPoint3 position(double u, double v) const;
  virtual const char* kind() const = 0;

  // As velCurve3::transform.
  static int transform(const velSurfPtr& surface, const giXform3& xform);
};

// The plane of a workplane. Parameters are lengths along the workplane's u
// and v axes, in the plane's own units: a plane scaled by s puts (u, v) at
// origin + s (u U + v V), so that a curve drawn on it moves with it. Only
// shape-preserving transforms are accepted (the frame stays orthonormal).
class VOROUT_API velPlane final : public velSurf {
public:
  explicit velPlane(const giWorkplane3& workplane) : workplane_(workplane) {}

  velSurfPtr copy() const override;
  void transform_in_place(const giXform3& xform) override;
  int accepts_transform(const giXform3& xform) const override;
  giPoint3 position(double u, double v) const override;
  const char* kind() const override { return "plane"; }

  const giWorkplane3& workplane() const { return workplane_; }
  double scale() const { return scale_; }

private:
  giWorkplane3 workplane_;
  double scale_ = 1.0;
};

// A cylinder of the given radius about the normal of axis_frame through its
// origin. u is the angle from the frame's u axis towards its v axis, v the
// length along the axis (scaled with the cylinder, as for velPlane). Only
// shape-preserving transforms are accepted: a non-uniform scale makes the
// section an ellipse.
class VOROUT_API velCylinder final : public velSurf {
public:
  velCylinder(const giWorkplane3& axis_frame, double radius)
      : axis_frame_(axis_frame), radius_(radius) {}

  velSurfPtr copy() const override;
  void transform_in_place(const giXform3& xform) override;
  int accepts_transform(const giXform3& xform) const override;
  giPoint3 position(double u, double v) const override;
  const char* kind() const override { return "cylinder"; }

  const giWorkplane3& axis_frame() const { return axis_frame_; }
  double radius() const { return radius_; }

private:
  giWorkplane3 axis_frame_;
  double radius_;
  double scale_ = 1.0;
};

// --- curves on surfaces -------------------------------------------------------
// A curve drawn in the parameter plane of a surface: position(t) is the
// surface at the 2D curve's position(t), carried by the placement. It
// shares the curve and the surface it is made with; copy() copies both. A
// transform the surface accepts moves a private copy of the surface, never
// the shared one; any other set transform joins the placement (identity
// until then), so that the curve follows a stretch its surface cannot take.
class VOROUT_API velCurveOnSurf3 final : public velCurve3 {
public:
  velCurveOnSurf3(const velCurvePtr2& curve, const velSurfPtr& surface)
      : curve_(curve), surface_(surface), placement_(giXformIdentity) {}
  velCurveOnSurf3(const velCurvePtr2& curve, const velSurfPtr& surface, const giXform3& placement)
      : curve_(curve), surface_(surface), placement_(placement) {}

  velCurvePtr3 copy() const override;
  void transform_in_place(const giXform3& xform) override;
  // Any set transform; nothing without a surface.
  int accepts_transform(const giXform3& xform) const override;
  giPoint3 position(double t) const override;
  void parameter_range(double& t0, double& t1) const override;
  const char* kind() const override { return "curve on surface"; }

  const velCurvePtr2& curve() const { return curve_; }
  const velSurfPtr& surface() const { return surface_; }
  // Applied after the surface; the identity unless a transform the surface
  // refused was taken.
  const giXform3& placement() const { return placement_; }

private:
  velCurvePtr2 curve_;
  velSurfPtr surface_;
  giXform3 placement_;
};
