// dxfHatch.cpp - hatch boundary paths: bulges, edges, and polylines of ellipses and splines.
#include "dxfHatch.h"

#include "dxfGeometry.h"

#include "velSpline.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const double pi = 3.14159265358979323846;
// How far a polyline standing for an ellipse or spline may stray from it,
// relative to the curve's size, and the most points it may take.
const double relative_tolerance = 1e-4;
const int max_points = 4096;

bool finite(double a, double b) {
  return std::isfinite(a) && std::isfinite(b);
}

// Joins the segments end to end; how far one may start from the end of the
// one before it is relative to the size of the path.
class Chain {
public:
  explicit Chain(double size) : chain_(new velCompCurve2(std::max(1e-9, size * 1e-7), 0)) {}

  bool add(const velCurvePtr2& segment) {
    velCompCurve2* chain = static_cast<velCompCurve2*>(chain_.pointer());
    return segment.invalid() || chain->add_segment_end(segment);
  }
  // The chain; an empty handle, with why set to empty, when it has no segment.
  velCurvePtr2 result(const char* empty, std::string& why) const {
    if (static_cast<velCompCurve2*>(chain_.pointer())->num_segments())
      return chain_;
    why = empty;
    return velCurvePtr2();
  }

private:
  velCurvePtr2 chain_;
};

double path_size(const dxfHatchPath& path) {
  double size = 0.0;
  for (const dxfVertex& v : path.vertices)
    size = std::max({size, std::fabs(v.x), std::fabs(v.y)});
  for (const dxfHatchEdge& e : path.edges)
    size = std::max({size, std::fabs(e.p0.x), std::fabs(e.p0.y), std::fabs(e.r)});
  return std::isfinite(size) ? size : 0.0;
}

velCurvePtr2 polyline_path(const dxfHatchPath& path, std::string& why) {
  Chain chain(path_size(path));
  size_t n = path.vertices.size();
  for (size_t i = 0; i < n; ++i) {
    const dxfVertex& a = path.vertices[i];
    const dxfVertex& b = path.vertices[(i + 1) % n];
    if (!finite(a.x, a.y) || (a.x == b.x && a.y == b.y))
      continue;
    if (!chain.add(dxf_bulge_segment(giPoint2(a.x, a.y), giPoint2(b.x, b.y), a.bulge))) {
      why = "its polyline path does not join up";
      return velCurvePtr2();
    }
  }
  return chain.result("a boundary path has fewer than two distinct vertices", why);
}

// An arc edge turns counter-clockwise from a0 to a1 unless flagged
// clockwise, when its angles are those of the mirrored arc.
void edge_sweep(const dxfHatchEdge& e, double& start, double& end) {
  start = std::fmod(e.a0, 360.0) * pi / 180.0;
  end = std::fmod(e.a1, 360.0) * pi / 180.0;
  if (e.ccw) {
    if (end <= start)
      end += 2 * pi;
    return;
  }
  start = -start;
  end = -end;
  if (end >= start)
    end -= 2 * pi;
}

velCurvePtr2 arc_edge(const dxfHatchEdge& e) {
  if (!(e.r > 0.0) || !finite(e.r, e.p0.x) || !finite(e.p0.y, e.a0) || !std::isfinite(e.a1))
    return velCurvePtr2();
  double start = 0.0, end = 0.0;
  edge_sweep(e, start, end);
  return velCurvePtr2(new velCircArc2(giPoint2(e.p0.x, e.p0.y), e.r, start, end));
}

velCurvePtr2 ellipse_edge(const dxfHatchEdge& e) {
  double major = std::hypot(e.p1.x, e.p1.y);
  if (!(major > 0.0) || !(e.r > 0.0) || !finite(major, e.r) || !finite(e.p0.x, e.p0.y) ||
      !finite(e.a0, e.a1))
    return velCurvePtr2();
  double start = 0.0, end = 0.0;
  edge_sweep(e, start, end);
  // The angles are those of points on the ellipse; its parameters follow.
  auto parameter = [&](double angle) {
    double t = std::atan2(std::sin(angle) / e.r, std::cos(angle));
    return t + 2 * pi * std::round((angle - t) / (2 * pi));
  };
  start = parameter(start);
  end = parameter(end);
  double step = 2 * std::acos(std::max(-1.0, 1.0 - relative_tolerance));
  int n = std::min(max_points, std::max(2, int(std::ceil(std::fabs(end - start) / step))));
  double ux = e.p1.x, uy = e.p1.y, vx = -e.p1.y * e.r, vy = e.p1.x * e.r;
  std::vector<giPoint2> points;
  points.reserve(size_t(n) + 1);
  for (int i = 0; i <= n; ++i) {
    double t = start + (end - start) * i / n;
    points.emplace_back(e.p0.x + ux * std::cos(t) + vx * std::sin(t),
                        e.p0.y + uy * std::cos(t) + vy * std::sin(t));
  }
  return velCurvePtr2(new velPolyline2(points));
}

velCurvePtr2 spline_edge(const dxfHatchEdge& e) {
  std::vector<giPoint3> control;
  std::vector<double> weights;
  bool rational = false;
  for (const dxfVertex& v : e.control) {
    control.emplace_back(v.x, v.y, 0.0);
    weights.push_back(v.bulge);
    rational = rational || v.bulge != 1.0;
  }
  if (!rational)
    weights.clear();
  velBSpline3 spline(e.degree, control, e.knots, weights);
  if (spline.invalid())
    return velCurvePtr2();
  double t0 = 0.0, t1 = 0.0;
  spline.parameter_range(t0, t1);
  int n = std::min(max_points, 16 * int(control.size()));
  std::vector<giPoint2> points;
  points.reserve(size_t(n) + 1);
  for (int i = 0; i <= n; ++i) {
    giPoint3 p = spline.position(t0 + (t1 - t0) * i / n);
    points.emplace_back(p.x, p.y);
  }
  return velCurvePtr2(new velPolyline2(points));
}

velCurvePtr2 edge(const dxfHatchEdge& e) {
  switch (e.type) {
  case 1:
    if (!finite(e.p0.x, e.p0.y) || !finite(e.p1.x, e.p1.y) ||
        (e.p0.x == e.p1.x && e.p0.y == e.p1.y))
      return velCurvePtr2();
    return velCurvePtr2(new velLine2(giPoint2(e.p0.x, e.p0.y), giPoint2(e.p1.x, e.p1.y)));
  case 2:
    return arc_edge(e);
  case 3:
    return ellipse_edge(e);
  case 4:
    return spline_edge(e);
  default:
    return velCurvePtr2();
  }
}

giPoint2 start_of(const velCurvePtr2& c) {
  double t0 = 0.0, t1 = 0.0;
  c->parameter_range(t0, t1);
  return c->position(t0);
}
giPoint2 end_of(const velCurvePtr2& c) {
  double t0 = 0.0, t1 = 0.0;
  c->parameter_range(t0, t1);
  return c->position(t1);
}
double distance(const giPoint2& a, const giPoint2& b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

// The edge traced the other way.
velCurvePtr2 reversed(const velCurvePtr2& c) {
  if (auto* line = dynamic_cast<const velLine2*>(c.pointer()))
    return velCurvePtr2(new velLine2(line->end(), line->start()));
  if (auto* arc = dynamic_cast<const velCircArc2*>(c.pointer()))
    return velCurvePtr2(
        new velCircArc2(arc->centre(), arc->radius(), arc->end_angle(), arc->start_angle()));
  auto* polyline = static_cast<const velPolyline2*>(c.pointer()); // ellipses and splines
  std::vector<giPoint2> points;
  for (int i = polyline->num_points() - 1; i >= 0; --i)
    points.push_back(polyline->point(i));
  return velCurvePtr2(new velPolyline2(points));
}

// Chains the edges in whatever order and direction they join, bridging a
// gap of at most gap with a line; an empty handle when some edge is
// farther than that from every other end.
velCurvePtr2 loose_chain(std::vector<velCurvePtr2> edges, double gap) {
  auto* chain = new velCompCurve2(gap, 0);
  velCurvePtr2 result(chain);
  chain->add_segment_end(edges.front());
  giPoint2 end = end_of(edges.front());
  edges.erase(edges.begin());
  while (!edges.empty()) {
    size_t best = 0;
    bool flip = false;
    double nearest = HUGE_VAL;
    for (size_t i = 0; i < edges.size(); ++i)
      for (bool reverse : {false, true}) {
        double d = distance(end, reverse ? end_of(edges[i]) : start_of(edges[i]));
        if (d < nearest)
          nearest = d, best = i, flip = reverse;
      }
    if (!(nearest <= gap))
      return velCurvePtr2();
    velCurvePtr2 next = flip ? reversed(edges[best]) : edges[best];
    edges.erase(edges.begin() + long(best));
    if (nearest > 0.0)
      chain->add_segment_end(velCurvePtr2(new velLine2(end, start_of(next))));
    chain->add_segment_end(next);
    end = end_of(next);
  }
  giPoint2 first = start_of(chain->segment(0));
  double closing = distance(end, first);
  if (closing > gap)
    return velCurvePtr2();
  if (closing > 0.0)
    chain->add_segment_end(velCurvePtr2(new velLine2(end, first)));
  return result;
}

velCurvePtr2 edge_path(const dxfHatchPath& path, double gap, std::string& why) {
  Chain chain(path_size(path));
  std::vector<velCurvePtr2> edges;
  bool joined = true;
  for (const dxfHatchEdge& e : path.edges) {
    velCurvePtr2 made = edge(e);
    if (made.invalid())
      continue;
    edges.push_back(made);
    joined = joined && chain.add(made);
  }
  if (joined)
    return chain.result("a boundary path has no usable edge", why);
  // Older programs write edges out of order, reversed, with small gaps.
  velCurvePtr2 loose = loose_chain(edges, std::max(gap, path_size(path) * 1e-7));
  if (loose.invalid())
    why = "the edges of a boundary path do not join up";
  return loose;
}

} // namespace

int dxf_outer_path(const dxfHatch& hatch) {
  for (size_t i = 0; i < hatch.paths.size(); ++i)
    if (hatch.paths[i].flags & (1 | 16))
      return int(i);
  return hatch.paths.empty() ? -1 : 0;
}

velCurvePtr2 dxf_make_boundary(const dxfHatchPath& path, double gap, std::string& why) {
  return path.flags & 2 ? polyline_path(path, why) : edge_path(path, gap, why);
}

double dxf_boundary_gap(const dxfFile& file, const dxfHatchPath& path) {
  double size = path_size(path);
  const dxfPoint &low = file.extent_min, &high = file.extent_max;
  double drawing = std::hypot(high.x - low.x, high.y - low.y);
  // Extents some programs leave at their initial huge values say nothing.
  if (file.has_extent && std::isfinite(drawing) && drawing > 0.0 && drawing < 1e6 * (size + 1))
    size = drawing;
  return size * 1e-3;
}
