// dxfHatchWriter.cpp - fill areas as HATCH entities: paths, placement and pattern.
#include "dxfHatchWriter.h"

#include "dxfTagWriter.h"

#include "ann/annFillArea.h"
#include "ann/annGroup.h"
#include "vel.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const double pi = 3.14159265358979323846;

double dot(const giVector3& a, const giVector3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
giVector3 cross(const giVector3& a, const giVector3& b) {
  return giVector3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}
giVector3 unit(const giVector3& v) {
  double length = std::sqrt(dot(v, v));
  return length > 0 ? giVector3(v.x / length, v.y / length, v.z / length) : v;
}

// Carries the 2D coordinates of a fill area's curves to the object
// coordinate system the hatch is written in: through the placing group's
// transform to the world, then into the OCS of the placed plane's normal
// (the arbitrary-axis rule).
class Placement {
public:
  explicit Placement(const annSPT* place) {
    if (place) {
      const giWorkplane3& frame = place->workplane();
      origin_ = giVector3(frame.origin().x, frame.origin().y, frame.origin().z);
      scale_ = place->scale();
      u_ = frame.u_vector();
      v_ = frame.v_vector();
    }
    z_ = unit(cross(u_, v_));
    const double limit = 1.0 / 64.0;
    giVector3 world = std::fabs(z_.x) < limit && std::fabs(z_.y) < limit ? giVector3(0, 1, 0)
                                                                         : giVector3(0, 0, 1);
    x_ = unit(cross(world, z_));
    y_ = cross(z_, x_);
  }
  // The world point of a point of the curves' plane.
  giVector3 world(double x, double y) const {
    return giVector3(origin_.x + scale_ * (x * u_.x + y * v_.x),
                     origin_.y + scale_ * (x * u_.y + y * v_.y),
                     origin_.z + scale_ * (x * u_.z + y * v_.z));
  }
  // Its OCS point.
  giVector3 point(double x, double y) const {
    giVector3 w = world(x, y);
    return giVector3(dot(w, x_), dot(w, y_), dot(w, z_));
  }
  // The OCS vector of a vector of the curves' plane.
  giVector3 vector(double x, double y) const {
    giVector3 p = point(x, y), o = point(0, 0);
    return giVector3(p.x - o.x, p.y - o.y, 0.0);
  }
  double scale() const { return scale_; }
  const giVector3& normal() const { return z_; }

private:
  giVector3 origin_{0, 0, 0};
  double scale_ = 1.0;
  giVector3 u_{1, 0, 0}, v_{0, 1, 0};
  giVector3 x_, y_, z_;
};

// A vertex of a polyline path: a point and the bulge of the piece that
// starts there.
struct Vertex {
  double x, y, bulge;
};

void add_arc(const velCircArc2& arc, std::vector<Vertex>& out) {
  double t0 = 0.0, t1 = 0.0;
  arc.parameter_range(t0, t1);
  // A bulge is the tangent of a quarter of the sweep: a whole turn has none.
  int pieces = std::max(1, int(std::ceil(std::fabs(t1 - t0) / pi - 1e-9)));
  double step = (t1 - t0) / pieces;
  for (int i = 0; i < pieces; ++i) {
    giPoint2 at = arc.position(t0 + step * i);
    out.push_back({at.x, at.y, std::tan(step / 4)});
  }
  giPoint2 end = arc.position(t1);
  out.push_back({end.x, end.y, 0.0});
}

// The vertices of a boundary made of lines, arcs and polylines; false for
// any other kind of piece.
bool add_curve(const velCurvePtr2& curve, std::vector<Vertex>& out) {
  if (auto* composite = dynamic_cast<const velCompCurve2*>(curve.pointer())) {
    for (int i = 0; i < composite->num_segments(); ++i)
      if (!add_curve(composite->segment(i), out))
        return false;
    return true;
  }
  if (auto* line = dynamic_cast<const velLine2*>(curve.pointer())) {
    out.push_back({line->start().x, line->start().y, 0.0});
    out.push_back({line->end().x, line->end().y, 0.0});
    return true;
  }
  if (auto* arc = dynamic_cast<const velCircArc2*>(curve.pointer())) {
    add_arc(*arc, out);
    return true;
  }
  if (auto* polyline = dynamic_cast<const velPolyline2*>(curve.pointer())) {
    for (int i = 0; i < polyline->num_points(); ++i)
      out.push_back({polyline->point(i).x, polyline->point(i).y, 0.0});
    return true;
  }
  return false;
}

bool near(const Vertex& a, const Vertex& b) {
  double scale = std::fmax(1.0, std::fmax(std::fabs(a.x), std::fabs(a.y)));
  return std::fabs(a.x - b.x) <= 1e-9 * scale && std::fabs(a.y - b.y) <= 1e-9 * scale;
}

// The path's vertices without the repeated ends of its pieces, and without
// the closing repeat of the first one.
std::vector<Vertex> path_vertices(const annCurveannPtr& boundary) {
  std::vector<Vertex> pieces, joined;
  if (boundary.invalid() || boundary->curve().invalid() || !add_curve(boundary->curve(), pieces))
    return joined;
  for (const Vertex& v : pieces) {
    if (!joined.empty() && joined.back().bulge == 0.0 && near(joined.back(), v)) {
      joined.back().bulge = v.bulge;
      continue;
    }
    joined.push_back(v);
  }
  if (joined.size() > 2 && near(joined.back(), joined.front()))
    joined.pop_back();
  return joined;
}

void write_path(dxfDrawingWriter& d, dxfTagWriter& tags, const std::vector<Vertex>& vertices,
                int outer, const Placement& place) {
  bool bulges = false;
  for (const Vertex& v : vertices)
    bulges = bulges || v.bulge != 0.0;
  tags.integer(92, outer ? 3 : 2); // a polyline path, external for the outer one
  tags.integer(72, bulges);
  tags.integer(73, 1);
  tags.integer(93, static_cast<long long>(vertices.size()));
  for (const Vertex& v : vertices) {
    giVector3 at = place.point(v.x, v.y);
    tags.point2(10, at.x, at.y);
    if (bulges)
      tags.real(42, v.bulge);
    giVector3 world = place.world(v.x, v.y);
    d.extend(world.x, world.y, world.z);
  }
  tags.integer(97, 0);
}

void write_pattern(dxfTagWriter& tags, const dxfFillPattern& pattern, const Placement& place) {
  tags.integer(76, pattern.kind);
  tags.real(52, pattern.angle);
  tags.real(41, pattern.scale);
  tags.integer(77, pattern.twice);
  tags.integer(78, static_cast<long long>(pattern.lines.size()));
  for (const dxfPatternLine& line : pattern.lines) {
    double a = line.angle * pi / 180;
    giVector3 direction = place.vector(std::cos(a), std::sin(a));
    giVector3 base = place.point(line.x, line.y);
    giVector3 offset = place.vector(line.dx, line.dy);
    tags.real(53, std::atan2(direction.y, direction.x) * 180 / pi);
    tags.real(43, base.x);
    tags.real(44, base.y);
    tags.real(45, offset.x);
    tags.real(46, offset.y);
    tags.integer(79, static_cast<long long>(line.dashes.size()));
    for (double dash : line.dashes)
      tags.real(49, dash * place.scale());
  }
}

} // namespace

namespace {

// A masking fill area as a WIPEOUT: one square pixel over its box, the
// boundary a polygon in pixel coordinates (rows counted from the top).
void write_wipeout(dxfDrawingWriter& d, int space, const std::vector<Vertex>& outline,
                   const Placement& place, const dxfEntityProperties& properties) {
  std::vector<giVector3> corners;
  for (const Vertex& v : outline)
    corners.push_back(place.world(v.x, v.y));
  double low_x = corners[0].x, low_y = corners[0].y, high_x = low_x, high_y = low_y;
  for (const giVector3& c : corners) {
    low_x = std::min(low_x, c.x), high_x = std::max(high_x, c.x);
    low_y = std::min(low_y, c.y), high_y = std::max(high_y, c.y);
  }
  double side = std::max({high_x - low_x, high_y - low_y, 1e-9});
  dxfTagWriter& tags = d.tags(space);
  d.begin_entity(space, "WIPEOUT", properties);
  tags.tag(100, "AcDbWipeout");
  tags.integer(90, 0);
  tags.point(10, low_x, low_y, corners[0].z);
  tags.point(11, side, 0, 0);
  tags.point(12, 0, side, 0);
  tags.point2(13, 1, 1);
  tags.tag(340, "0");
  tags.integer(70, 7);
  tags.integer(280, 1);
  tags.integer(281, 50);
  tags.integer(282, 50);
  tags.integer(283, 0);
  tags.integer(71, 2);
  tags.integer(91, static_cast<long long>(corners.size() + 1));
  corners.push_back(corners.front());
  for (const giVector3& c : corners) {
    tags.point2(14, (c.x - low_x) / side - 0.5, 0.5 - (c.y - low_y) / side);
    d.extend(c.x, c.y, c.z);
  }
}

} // namespace

void dxf_write_hatch(dxfDrawingWriter& d, int space, const annFillArea& fill, const annSPT* place,
                     const dxfEntityProperties& properties, const dxfFillPattern* pattern) {
  Placement placement(place);
  if (pattern && pattern->mask && fill.inner_boundaries().empty()) {
    std::vector<Vertex> outline = path_vertices(fill.outer_boundary());
    if (outline.size() >= 3) {
      write_wipeout(d, space, outline, placement, properties);
      return;
    }
  }
  std::vector<std::vector<Vertex>> paths{path_vertices(fill.outer_boundary())};
  for (const annCurveannPtr& inner : fill.inner_boundaries())
    paths.push_back(path_vertices(inner));
  // Only ASCII names are safe in every code page; a pattern named
  // otherwise keeps its lines under a neutral name.
  bool solid = !pattern || pattern->name.empty();
  std::string name = solid ? "SOLID" : pattern->name;
  for (char c : name)
    if (static_cast<unsigned char>(c) >= 0x80 || static_cast<unsigned char>(c) < 0x20)
      name = "_USER";
  dxfTagWriter& tags = d.tags(space);
  d.begin_entity(space, "HATCH", properties);
  tags.tag(100, "AcDbHatch");
  giVector3 elevation = placement.point(0, 0);
  tags.point(10, 0, 0, elevation.z);
  const giVector3& normal = placement.normal();
  tags.point(210, normal.x, normal.y, normal.z);
  tags.tag(2, name);
  tags.integer(70, solid);
  tags.integer(71, 0);
  tags.integer(91, static_cast<long long>(paths.size()));
  for (size_t i = 0; i < paths.size(); ++i)
    write_path(d, tags, paths[i], i == 0, placement);
  tags.integer(75, 0);
  if (solid)
    tags.integer(76, 1);
  else
    write_pattern(tags, *pattern, placement);
  tags.integer(98, 0);
}
