// dxfGeometry.cpp - OCS, bulges, curves, meshes and insert placements.
#include "dxfGeometry.h"

#include "dxfImage.h"

#include "velEllipse.h"
#include "velSpline.h"

#include <cmath>

namespace {

const double pi = 3.14159265358979323846;

giVector3 vec(const dxfPoint& p) {
  return giVector3(p.x, p.y, p.z);
}
giPoint3 point(const dxfPoint& p) {
  return giPoint3(p.x, p.y, p.z);
}

// The OCS axes of an extrusion direction (the arbitrary-axis rule).
void ocs_axes(const dxfPoint& extrusion, giVector3& ax, giVector3& ay, giVector3& az) {
  az = vec(extrusion).normalised();
  if (az.length() == 0.0)
    az = giVector3(0, 0, 1);
  if (std::fabs(az.x) < 1.0 / 64 && std::fabs(az.y) < 1.0 / 64)
    ax = giVector3(0, 1, 0).cross(az).normalised();
  else
    ax = giVector3(0, 0, 1).cross(az).normalised();
  ay = az.cross(ax).normalised();
}

bool finite(const dxfPoint& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

velCurvePtr3 circular(const dxfEntity& e, double start, double end, int affine, std::string& why) {
  if (!(e.d40 > 0.0) || !std::isfinite(e.d40) || !finite(e.p[0])) {
    why = "its radius or centre is not usable";
    return velCurvePtr3();
  }
  giVector3 ax, ay, az;
  ocs_axes(e.extrusion, ax, ay, az);
  giPoint3 centre = dxf_ocs_to_wcs(e.extrusion, e.p[0]);
  if (affine)
    return velCurvePtr3(new velEllipse3(centre, ax * e.d40, az, 1.0, start, end));
  return velCurvePtr3(new velCircArc3(centre, az, ax, e.d40, start, end));
}

// The end of a counter-clockwise sweep from start to end, both reduced to
// one turn: above start, by at most a turn. false for angles that are not finite.
bool sweep(double& start, double& end, double turn) {
  if (!std::isfinite(start) || !std::isfinite(end))
    return false;
  start = std::fmod(start, turn);
  end = std::fmod(end, turn);
  if (end <= start)
    end += turn;
  return true;
}

velCurvePtr3 arc(const dxfEntity& e, int affine, std::string& why) {
  double start = e.a50, end = e.a51;
  if (!sweep(start, end, 360.0)) {
    why = "its angles are not usable";
    return velCurvePtr3();
  }
  return circular(e, start * pi / 180.0, end * pi / 180.0, affine, why);
}

velCurvePtr3 ellipse(const dxfEntity& e, std::string& why) {
  double start = e.d41;
  double end = e.d42;
  giVector3 major = vec(e.p[1]);
  double ratio = e.d40;
  if (ratio > 1.0 && std::isfinite(ratio)) {
    // Written with the minor axis as the major one: swap them. A point at
    // parameter t lies at t - pi/2 on the swapped ellipse.
    major = vec(e.extrusion).normalised().cross(major) * ratio;
    ratio = 1.0 / ratio;
    start -= pi / 2;
    end -= pi / 2;
  }
  if (!sweep(start, end, 2 * pi)) {
    why = "its parameters are not usable";
    return velCurvePtr3();
  }
  velEllipse3* made = new velEllipse3(point(e.p[0]), major, vec(e.extrusion), ratio, start, end);
  if (made->invalid()) {
    delete made;
    why = "its axes or ratio are not usable";
    return velCurvePtr3();
  }
  return velCurvePtr3(made);
}

} // namespace

velCurvePtr2 dxf_bulge_segment(const giPoint2& a, const giPoint2& b, double bulge) {
  double dx = b.x - a.x, dy = b.y - a.y;
  double chord = std::sqrt(dx * dx + dy * dy);
  if (bulge == 0.0 || chord == 0.0 || !std::isfinite(bulge))
    return velCurvePtr2(new velLine2(a, b));
  double offset = chord / 2 * (1 - bulge * bulge) / (2 * bulge);
  giPoint2 centre((a.x + b.x) / 2 - dy / chord * offset, (a.y + b.y) / 2 + dx / chord * offset);
  double radius = std::hypot(a.x - centre.x, a.y - centre.y);
  double start = std::atan2(a.y - centre.y, a.x - centre.x);
  double end = std::atan2(b.y - centre.y, b.x - centre.x);
  // atan2 answers within one turn, so one step is enough.
  if (bulge > 0 && end <= start)
    end += 2 * pi;
  else if (bulge < 0 && end >= start)
    end -= 2 * pi;
  return velCurvePtr2(new velCircArc2(centre, radius, start, end));
}

namespace {

// A planar polyline in OCS: a polyline of world points without bulges, a
// chain of lines and arcs on the OCS plane with them.
velCurvePtr3 planar_polyline(const dxfEntity& e, const std::vector<const dxfVertex*>& vertices,
                             int closed, double elevation, std::string& why) {
  if (vertices.size() < 2) {
    why = "it has fewer than two vertices";
    return velCurvePtr3();
  }
  size_t n = vertices.size();
  size_t segments = closed ? n : n - 1;
  bool bulges = false;
  for (size_t i = 0; i < segments; ++i)
    bulges = bulges || vertices[i]->bulge != 0.0;
  if (!bulges) {
    std::vector<giPoint3> points;
    points.reserve(n + 1);
    for (const dxfVertex* v : vertices)
      points.push_back(dxf_ocs_to_wcs(e.extrusion, dxfPoint{v->x, v->y, elevation}));
    if (closed)
      points.push_back(points.front());
    return velCurvePtr3(new velPolyline3(points));
  }
  velCompCurve2* chain = new velCompCurve2(1e-9, 0);
  velCurvePtr2 chain_handle(chain);
  for (size_t i = 0; i < segments; ++i) {
    const dxfVertex* a = vertices[i];
    const dxfVertex* b = vertices[(i + 1) % n];
    if (a->x == b->x && a->y == b->y)
      continue;
    chain->add_segment_end(dxf_bulge_segment(giPoint2(a->x, a->y), giPoint2(b->x, b->y), a->bulge));
  }
  if (chain->num_segments() == 0) {
    why = "all its vertices coincide";
    return velCurvePtr3();
  }
  giVector3 ax, ay, az;
  ocs_axes(e.extrusion, ax, ay, az);
  giWorkplane3 plane(giPoint3(0, 0, 0) + az * elevation, ax, ay);
  return velCurvePtr3(new velCurveOnSurf3(chain_handle, velSurfPtr(new velPlane(plane))));
}

velCurvePtr3 lwpolyline(const dxfEntity& e, std::string& why) {
  std::vector<const dxfVertex*> vertices;
  vertices.reserve(e.vertices.size());
  for (const dxfVertex& v : e.vertices)
    vertices.push_back(&v);
  return planar_polyline(e, vertices, e.i70 & 1, e.p[0].z, why);
}

velCurvePtr3 polyline(const dxfEntity& e, std::string& why) {
  std::vector<const dxfVertex*> vertices;
  vertices.reserve(e.vertices.size());
  for (const dxfVertex& v : e.vertices)
    if (!(v.flags & 16)) // spline frame control points are not on the curve
      vertices.push_back(&v);
  if (!(e.i70 & 8))
    return planar_polyline(e, vertices, e.i70 & 1, e.p[0].z, why);
  if (vertices.size() < 2) {
    why = "it has fewer than two vertices";
    return velCurvePtr3();
  }
  std::vector<giPoint3> points;
  points.reserve(vertices.size() + 1);
  for (const dxfVertex* v : vertices)
    points.push_back(giPoint3(v->x, v->y, v->z));
  if (e.i70 & 1)
    points.push_back(points.front());
  return velCurvePtr3(new velPolyline3(points));
}

velCurvePtr3 spline(const dxfEntity& e, std::string& why) {
  std::vector<giPoint3> control, fit;
  for (const dxfVertex& v : e.vertices)
    (v.flags ? fit : control).push_back(giPoint3(v.x, v.y, v.z));
  if (control.empty()) {
    if (fit.size() < 2) {
      why = "it has neither control points nor two fit points";
      return velCurvePtr3();
    }
    return velCurvePtr3(new velPolyline3(fit));
  }
  static const dxfEntityExtra none;
  const dxfEntityExtra& more = e.extra ? *e.extra : none;
  std::vector<double> weights;
  if (more.weights.size() == control.size()) {
    weights = more.weights;
    bool all_one = true;
    for (double w : weights)
      all_one = all_one && w == 1.0;
    if (all_one)
      weights.clear();
  }
  velBSpline3* made = new velBSpline3(e.i71, control, more.knots, weights);
  if (made->invalid()) {
    delete made;
    why = "its degree, knots, control points and weights do not fit together";
    return velCurvePtr3();
  }
  return velCurvePtr3(made);
}

// The vertices of a LEADER (or the points of a MULTILEADER's leader
// lines), in world coordinates, as one polyline.
velCurvePtr3 leader_line(const dxfEntity& e, std::string& why) {
  std::vector<giPoint3> points;
  points.reserve(e.vertices.size());
  for (const dxfVertex& v : e.vertices)
    if (points.empty() || !(points.back() == giPoint3(v.x, v.y, v.z)))
      points.push_back(giPoint3(v.x, v.y, v.z));
  if (points.size() < 2) {
    why = "it has fewer than two distinct vertices";
    return velCurvePtr3();
  }
  return velCurvePtr3(new velPolyline3(points));
}

struct Mesh {
  giNodeXYZ* nodes;
  giTriArr* triangles;
  // A four-cornered face of a mesh: two triangles on its diagonal a-c, the
  // second beginning where the first ends (c, d, a). A reader of the block
  // can tell such a pair from two faces of their own and show the face's
  // four edges, as a CAD program shows a mesh, without the diagonal.
  void append_quad(int a, int b, int c, int d) const {
    triangles->append(a, b, c);
    triangles->append(c, d, a);
  }
};

bool quad(const dxfPoint (&p)[4], const dxfPoint& extrusion, bool ocs, const int (&order)[4],
          Mesh mesh) {
  for (int i = 0; i < 4; ++i) {
    const dxfPoint& q = p[order[i]];
    if (!finite(q))
      return false;
    mesh.nodes->append(ocs ? dxf_ocs_to_wcs(extrusion, q) : point(q));
  }
  const dxfPoint& c = p[order[2]];
  const dxfPoint& d = p[order[3]];
  mesh.triangles->append(0, 1, 2);
  if (c.x != d.x || c.y != d.y || c.z != d.z)
    mesh.triangles->append(0, 2, 3);
  return true;
}

bool polygon_mesh(const dxfEntity& e, Mesh mesh) {
  long m = e.i71, n = e.i72;
  if (m < 2 || n < 2 || size_t(m) * size_t(n) > e.vertices.size())
    return false;
  for (long i = 0; i < m * n; ++i) {
    const dxfVertex& v = e.vertices[size_t(i)];
    mesh.nodes->append(giPoint3(v.x, v.y, v.z));
  }
  long rows = e.i70 & 1 ? m : m - 1;
  long cols = e.i70 & 32 ? n : n - 1;
  for (long i = 0; i < rows; ++i)
    for (long j = 0; j < cols; ++j) {
      int a = int(i * n + j), b = int(i * n + (j + 1) % n);
      int c = int(((i + 1) % m) * n + (j + 1) % n), d = int(((i + 1) % m) * n + j);
      mesh.append_quad(a, b, c, d);
    }
  return true;
}

bool polyface(const dxfEntity& e, Mesh mesh) {
  int count = 0;
  for (const dxfVertex& v : e.vertices)
    if ((v.flags & 64) && (v.flags & 128)) {
      mesh.nodes->append(giPoint3(v.x, v.y, v.z));
      ++count;
    }
  for (const dxfVertex& v : e.vertices) {
    if ((v.flags & 128) == 0 || (v.flags & 64))
      continue;
    int index[4];
    int corners = 0;
    for (int k = 0; k < 4; ++k) {
      int i = std::abs(v.index[k]);
      if (i == 0)
        break;
      if (i > count) { // a face naming a vertex the mesh lacks is left out
        corners = 0;
        break;
      }
      index[corners++] = i - 1;
    }
    if (corners == 4)
      mesh.append_quad(index[0], index[1], index[2], index[3]);
    else if (corners == 3)
      mesh.triangles->append(index[0], index[1], index[2]);
  }
  return true;
}

// A MESH at level 0: its control vertices, each face a fan of triangles.
bool subdivision_mesh(const dxfEntity& e, Mesh mesh) {
  for (const dxfVertex& v : e.vertices)
    mesh.nodes->append(giPoint3(v.x, v.y, v.z));
  static const std::vector<int> none;
  const std::vector<int>& faces = e.extra ? e.extra->faces : none;
  long count = long(e.vertices.size());
  for (size_t i = 0; i < faces.size();) {
    // A count that is not positive (a default for a bad number, -1) or
    // that runs past the list ends the faces.
    if (faces[i] < 1 || size_t(faces[i]) >= faces.size() - i)
      break;
    const size_t corners = size_t(faces[i]);
    bool usable = true;
    for (size_t k = 1; k <= corners; ++k)
      usable = usable && faces[i + k] >= 0 && faces[i + k] < count;
    if (usable && corners == 4)
      mesh.append_quad(faces[i + 1], faces[i + 2], faces[i + 3], faces[i + 4]);
    else
      for (size_t k = 2; usable && k < corners; ++k)
        mesh.triangles->append(faces[i + 1], faces[i + k], faces[i + k + 1]);
    i += corners + 1;
  }
  return true;
}

double matrix_entry(const double (&m)[4][4], int r, int c) {
  return m[r][c];
}

void multiply(double (&a)[4][4], const double (&b)[4][4]) {
  double r[4][4];
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      r[i][j] = 0;
      for (int k = 0; k < 4; ++k)
        r[i][j] += matrix_entry(a, i, k) * b[k][j];
    }
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      a[i][j] = r[i][j];
}

} // namespace

giPoint3 dxf_ocs_to_wcs(const dxfPoint& extrusion, const dxfPoint& p) {
  if (extrusion.x == 0.0 && extrusion.y == 0.0 && extrusion.z > 0.0)
    return point(p);
  giVector3 ax, ay, az;
  ocs_axes(extrusion, ax, ay, az);
  return giPoint3(0, 0, 0) + ax * p.x + ay * p.y + az * p.z;
}

giXform3 dxf_ocs_xform(const dxfPoint& extrusion) {
  giVector3 ax, ay, az;
  ocs_axes(extrusion, ax, ay, az);
  const double m[4][4] = {
      {ax.x, ay.x, az.x, 0}, {ax.y, ay.y, az.y, 0}, {ax.z, ay.z, az.z, 0}, {0, 0, 0, 1}};
  return giXform3(m);
}

velCurvePtr3 dxf_make_curve(const dxfEntity& e, int affine, std::string& why) {
  switch (e.kind) {
  case dxfKind::LINE:
    if (!finite(e.p[0]) || !finite(e.p[1])) {
      why = "its end points are not usable";
      return velCurvePtr3();
    }
    return velCurvePtr3(new velLine3(point(e.p[0]), point(e.p[1])));
  case dxfKind::CIRCLE:
    return circular(e, 0.0, 2 * pi, affine, why);
  case dxfKind::ARC:
    return arc(e, affine, why);
  case dxfKind::ELLIPSE:
    return ellipse(e, why);
  case dxfKind::LWPOLYLINE:
    return lwpolyline(e, why);
  case dxfKind::POLYLINE:
    return polyline(e, why);
  case dxfKind::SPLINE:
  case dxfKind::HELIX:
    return spline(e, why);
  case dxfKind::LEADER:
  case dxfKind::MULTILEADER:
    return leader_line(e, why);
  case dxfKind::IMAGE:
  case dxfKind::WIPEOUT:
    return dxf_image_boundary(e, why);
  default:
    why = "it is not a curve";
    return velCurvePtr3();
  }
}

std::vector<velCurvePtr3> dxf_polyface_edges(const dxfEntity& e) {
  std::vector<giPoint3> nodes;
  for (const dxfVertex& v : e.vertices)
    if ((v.flags & 64) && (v.flags & 128))
      nodes.emplace_back(v.x, v.y, v.z);
  std::vector<velCurvePtr3> edges;
  for (const dxfVertex& v : e.vertices) {
    if ((v.flags & 128) == 0 || (v.flags & 64) || v.index[2] != 0)
      continue;
    size_t a = size_t(std::abs(v.index[0])), b = size_t(std::abs(v.index[1]));
    if (a >= 1 && b >= 1 && a <= nodes.size() && b <= nodes.size() &&
        !(nodes[a - 1] == nodes[b - 1]))
      edges.emplace_back(new velLine3(nodes[a - 1], nodes[b - 1]));
  }
  return edges;
}

int dxf_polyline_is_mesh(const dxfEntity& e) {
  return e.kind == dxfKind::POLYLINE && (e.i70 & (16 | 64));
}

bool dxf_make_triblock(const dxfEntity& e, giTriBlock& block, std::string& why) {
  Mesh mesh{block.add_feature<giNodeXYZ>(), block.add_feature<giTriArr>()};
  bool made = false;
  if (e.kind == dxfKind::FACE3D)
    made = quad(e.p, e.extrusion, false, {0, 1, 2, 3}, mesh);
  else if (e.kind == dxfKind::SOLID || e.kind == dxfKind::TRACE)
    made = quad(e.p, e.extrusion, true, {0, 1, 3, 2}, mesh);
  else if (e.kind == dxfKind::POLYLINE)
    made = e.i70 & 64 ? polyface(e, mesh) : polygon_mesh(e, mesh);
  else if (e.kind == dxfKind::MESH)
    made = subdivision_mesh(e, mesh);
  if (!made || mesh.triangles->size() == 0)
    why = e.kind == dxfKind::POLYLINE ? "its mesh counts or face indices do not fit its vertices"
                                      : "its corners are not usable";
  return made && mesh.triangles->size() > 0;
}

giXform3 dxf_insert_xform(const dxfEntity& e, const dxfPoint& base, int column, int row) {
  double sx = e.scale_given & 1 ? e.d41 : 1.0;
  double sy = e.scale_given & 2 ? e.d42 : 1.0;
  double sz = e.scale_given & 4 ? e.d43 : 1.0;
  double angle = e.a50 * pi / 180.0;
  double c = std::cos(angle), s = std::sin(angle);
  giVector3 ax, ay, az;
  ocs_axes(e.extrusion, ax, ay, az);
  double m[4][4] = {
      {ax.x, ay.x, az.x, 0}, {ax.y, ay.y, az.y, 0}, {ax.z, ay.z, az.z, 0}, {0, 0, 0, 1}};
  const double place[4][4] = {
      {1, 0, 0, e.p[0].x}, {0, 1, 0, e.p[0].y}, {0, 0, 1, e.p[0].z}, {0, 0, 0, 1}};
  const double rotate[4][4] = {{c, -s, 0, 0}, {s, c, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  const double cell[4][4] = {
      {1, 0, 0, column * e.d44}, {0, 1, 0, row * e.d45}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  const double scale[4][4] = {{sx, 0, 0, 0}, {0, sy, 0, 0}, {0, 0, sz, 0}, {0, 0, 0, 1}};
  const double from_base[4][4] = {
      {1, 0, 0, -base.x}, {0, 1, 0, -base.y}, {0, 0, 1, -base.z}, {0, 0, 0, 1}};
  multiply(m, place);
  multiply(m, rotate);
  multiply(m, cell);
  multiply(m, scale);
  multiply(m, from_base);
  return giXform3(m);
}
