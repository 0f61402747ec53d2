// vlu.cpp - laying a 3D curve into the parameter plane of a surface.
#include "vlu.h"

#include <cmath>
#include <vector>

namespace {

constexpr double pi = 3.14159265358979323846;
// Sampled curves start from this many spans and split a span at most this
// often, so that a curve that never settles cannot run away.
constexpr int initial_spans = 16;
constexpr int max_depth = 24;

using Pieces = std::vector<velCurvePtr2>;

// The frame of the target plane: maps points of space to its parameters.
class PlaneMap {
public:
  PlaneMap(const velPlane& plane, double tolerance)
      : frame_(plane.workplane()), scale_(plane.scale()), tolerance_(tolerance) {}

  int usable() const { return !frame_.invalid() && scale_ > 0.0 && std::isfinite(scale_); }
  // Nonzero when p is set and within the tolerance of the plane.
  int map(const giPoint3& p, giPoint2& uv) const {
    if (p.invalid())
      return 0;
    giVector3 d = p - frame_.origin();
    if (!(std::fabs(d.dot(frame_.normal())) <= tolerance_))
      return 0;
    uv = giPoint2(d.dot(frame_.u_vector()) / scale_, d.dot(frame_.v_vector()) / scale_);
    return 1;
  }
  const giVector3& normal() const { return frame_.normal(); }
  double scale() const { return scale_; }
  double tolerance() const { return tolerance_; }

private:
  giWorkplane3 frame_;
  double scale_;
  double tolerance_;
};

struct Embedding {
  const PlaneMap& plane;
  double polygonisation_tolerance;
  Pieces& pieces;
};

int embed(const velCurve3& curve, const Embedding& e);

int embed_line(const velLine3& line, const Embedding& e) {
  giPoint2 start, end;
  if (!e.plane.map(line.start(), start) || !e.plane.map(line.end(), end))
    return 0;
  e.pieces.emplace_back(new velLine2(start, end));
  return 1;
}

int embed_polyline(const velPolyline3& polyline, const Embedding& e) {
  std::vector<giPoint2> points(size_t(polyline.num_points()));
  for (int i = 0; i < polyline.num_points(); ++i)
    if (!e.plane.map(polyline.point(i), points[size_t(i)]))
      return 0;
  if (points.empty())
    return 0;
  e.pieces.emplace_back(new velPolyline2(points));
  return 1;
}

double angle_of(const giPoint2& p, const giPoint2& centre) {
  return std::atan2(p.y - centre.y, p.x - centre.x);
}

int embed_arc(const velCircArc3& arc, const Embedding& e) {
  if (arc.invalid())
    return 0;
  // Off the plane by at most the centre's distance plus r sin(tilt).
  const double tilt = arc.normal().cross(e.plane.normal()).length();
  giPoint2 centre, start, quarter;
  double t0 = 0.0, t1 = 0.0;
  arc.parameter_range(t0, t1);
  if (!(arc.radius() * tilt <= e.plane.tolerance()) || !e.plane.map(arc.centre(), centre) ||
      !e.plane.map(arc.position(t0), start) || !e.plane.map(arc.position(t0 + pi / 2), quarter))
    return 0;
  // The arc runs clockwise in the plane when its quarter point lies clockwise.
  const double a0 = angle_of(start, centre);
  const double turn = std::sin(angle_of(quarter, centre) - a0) > 0.0 ? 1.0 : -1.0;
  e.pieces.emplace_back(
      new velCircArc2(centre, arc.radius() / e.plane.scale(), a0, a0 + turn * (t1 - t0)));
  return 1;
}

// Splits [a, b] until the middle of every span is within the tolerance of
// its chord; appends the points after a.
int sample_span(const velCurve3& curve, const Embedding& e, double a, const giPoint3& pa, double b,
                const giPoint3& pb, int depth, std::vector<giPoint2>& points) {
  const double m = 0.5 * (a + b);
  const giPoint3 pm = curve.position(m);
  giPoint2 uv;
  if (!e.plane.map(pm, uv))
    return 0;
  const giVector3 chord = pb - pa;
  const double length = chord.length();
  const giVector3 off = pm - pa;
  const double deviation = length > 0.0 ? off.cross(chord).length() / length : off.length();
  if (deviation > e.polygonisation_tolerance && depth < max_depth)
    return sample_span(curve, e, a, pa, m, pm, depth + 1, points) &&
           sample_span(curve, e, m, pm, b, pb, depth + 1, points);
  giPoint2 end;
  if (!e.plane.map(pb, end))
    return 0;
  points.push_back(end);
  return 1;
}

int embed_sampled(const velCurve3& curve, const Embedding& e) {
  double t0 = 0.0, t1 = 0.0;
  curve.parameter_range(t0, t1);
  if (!std::isfinite(t0) || !std::isfinite(t1))
    return 0;
  std::vector<giPoint2> points(1);
  giPoint3 previous = curve.position(t0);
  if (!e.plane.map(previous, points[0]))
    return 0;
  for (int i = 1; i <= initial_spans; ++i) {
    const double a = t0 + (t1 - t0) * (i - 1) / initial_spans;
    const double b = t0 + (t1 - t0) * i / initial_spans;
    const giPoint3 next = curve.position(b);
    if (!sample_span(curve, e, a, previous, b, next, 0, points))
      return 0;
    previous = next;
  }
  e.pieces.emplace_back(new velPolyline2(points));
  return 1;
}

int affine(const giXform3& xform) {
  return giXform3Acc::matrix_value(xform, 3, 0) == 0.0 &&
         giXform3Acc::matrix_value(xform, 3, 1) == 0.0 &&
         giXform3Acc::matrix_value(xform, 3, 2) == 0.0 &&
         giXform3Acc::matrix_value(xform, 3, 3) == 1.0;
}

// A 2D arc drawn on a plane and carried by an affine map stays round when
// the images of two perpendicular radii stay perpendicular and equal.
int embed_arc_on_plane(const velCurveOnSurf3& on, const velCircArc2& arc, const Embedding& e) {
  const velSurf& surface = *on.surface();
  const giXform3& placement = on.placement();
  auto image = [&](double u, double v) { return placement * surface.position(u, v); };
  const giPoint2 c = arc.centre();
  const giPoint3 centre = image(c.x, c.y);
  const giPoint3 a_end = image(c.x + arc.radius(), c.y);
  const giPoint3 b_end = image(c.x, c.y + arc.radius());
  if (centre.invalid() || a_end.invalid() || b_end.invalid())
    return 0;
  const giVector3 a = a_end - centre;
  const giVector3 b = b_end - centre;
  const double tolerance = e.polygonisation_tolerance;
  if (std::fabs(a.length() - b.length()) > tolerance ||
      std::fabs(a.dot(b)) > tolerance * a.length())
    return embed_sampled(on, e);
  velCircArc3 round(centre, a.cross(b), a, a.length(), arc.start_angle(), arc.end_angle());
  return embed_arc(round, e);
}

// A curve on a plane under an affine map is embedded piece by piece, each
// piece keeping its kind where the map lets it.
int embed_on_surface(const velCurveOnSurf3& on, const Embedding& e) {
  if (on.curve().invalid() || on.surface().invalid() ||
      !dynamic_cast<const velPlane*>(on.surface().pointer()) || !affine(on.placement()))
    return embed_sampled(on, e);
  const velCurve2& curve2 = *on.curve();
  if (const auto* composite = dynamic_cast<const velCompCurve2*>(&curve2)) {
    for (int i = 0; i < composite->num_segments(); ++i) {
      velCurveOnSurf3 piece(composite->segment(i), on.surface(), on.placement());
      if (!embed(piece, e))
        return 0;
    }
    return composite->num_segments() > 0;
  }
  double t0 = 0.0, t1 = 0.0;
  curve2.parameter_range(t0, t1);
  if (dynamic_cast<const velLine2*>(&curve2))
    return embed_line(velLine3(on.position(t0), on.position(t1)), e);
  if (const auto* polyline = dynamic_cast<const velPolyline2*>(&curve2)) {
    std::vector<giPoint3> points;
    for (int i = 0; i < polyline->num_points(); ++i)
      points.push_back(on.position(double(i)));
    return embed_polyline(velPolyline3(points), e);
  }
  if (const auto* arc = dynamic_cast<const velCircArc2*>(&curve2))
    return embed_arc_on_plane(on, *arc, e);
  return embed_sampled(on, e);
}

int embed(const velCurve3& curve, const Embedding& e) {
  if (const auto* line = dynamic_cast<const velLine3*>(&curve))
    return embed_line(*line, e);
  if (const auto* polyline = dynamic_cast<const velPolyline3*>(&curve))
    return embed_polyline(*polyline, e);
  if (const auto* arc = dynamic_cast<const velCircArc3*>(&curve))
    return embed_arc(*arc, e);
  if (const auto* on = dynamic_cast<const velCurveOnSurf3*>(&curve))
    return embed_on_surface(*on, e);
  return embed_sampled(curve, e);
}

} // namespace

int vluCurveEmbedder::embed_curve(const velCurvePtr3& curve, double polygonisation_tolerance,
                                  double curve_on_surface_tolerance,
                                  velCurvePtr2coPageArr& pieces) const {
  const auto* plane = dynamic_cast<const velPlane*>(surface_.pointer());
  if (curve.invalid() || !plane || !(polygonisation_tolerance > 0.0) ||
      !(curve_on_surface_tolerance > 0.0))
    return 0;
  const PlaneMap map(*plane, curve_on_surface_tolerance);
  if (!map.usable())
    return 0;
  Pieces made;
  if (!embed(*curve, Embedding{map, polygonisation_tolerance, made}))
    return 0;
  for (const velCurvePtr2& piece : made)
    pieces.append(piece);
  return 1;
}
