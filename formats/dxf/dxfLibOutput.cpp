// dxfLibOutput.cpp - entities and their attributes as DXF.
#include "dxfLibOutput.h"

#include "dxfAttributes.h"
#include "dxfDrawingWriter.h"

#include "kapString.h"
#include "vorabsColour.h"
#include "vorabsCurveFont.h"
#include "vorabsLayer.h"
#include "vorabsName.h"
#include "vorabsOutput.h"

#include "gi.h"
#include "vel.h"
#include "velEllipse.h"
#include "velSpline.h"
#include "vorabsOfStream.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr double pi = 3.14159265358979323846;

// Gives the writer the framework's code-page conversions.
class dxfCodePageText : public kapString {
public:
  explicit dxfCodePageText(const utString& text) : kapString(text) {}
  dxfCodePageText(unsigned int code_page, const std::string& bytes)
      : kapString(kapSTRING_CP, &code_page, reinterpret_cast<const unsigned char*>(bytes.data()),
                  bytes.size()) {}
  void to_code_page(unsigned int code_page, charcoDynArr& bytes) const {
    convert(kapSTRING_CP, &code_page, bytes);
  }
  static unsigned int number_of(const std::string& name) {
    unsigned int number = 0;
    // "ANSI_1252" and the like name their number after the underscore.
    size_t underscore = name.rfind('_');
    std::string digits = underscore == std::string::npos ? name : name.substr(underscore + 1);
    if (!recognize_code_page(utString(digits.c_str()), &number))
      return 0;
    return number;
  }
};

bool finite(const giPoint3& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z) && !p.invalid();
}
bool finite(const giVector3& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

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
giVector3 scaled(const giVector3& v, double s) {
  return giVector3(v.x * s, v.y * s, v.z * s);
}
giVector3 sum(const giVector3& a, const giVector3& b) {
  return giVector3(a.x + b.x, a.y + b.y, a.z + b.z);
}
giVector3 as_vector(const giPoint3& p) {
  return giVector3(p.x, p.y, p.z);
}

// The object coordinate system of an extrusion direction: the arbitrary-axis rule.
struct dxfOcs {
  explicit dxfOcs(const giVector3& normal) : z(unit(normal)) {
    const double limit = 1.0 / 64.0;
    giVector3 world =
        std::fabs(z.x) < limit && std::fabs(z.y) < limit ? giVector3(0, 1, 0) : giVector3(0, 0, 1);
    x = unit(cross(world, z));
    y = cross(z, x);
  }
  giVector3 of(const giVector3& v) const { return giVector3(dot(v, x), dot(v, y), dot(v, z)); }
  giVector3 x, y, z;
};

void write_extrusion(dxfTagWriter& tags, const giVector3& normal) {
  if (std::fabs(normal.x) > 1e-12 || std::fabs(normal.y) > 1e-12 || normal.z < 0)
    tags.point(210, normal.x, normal.y, normal.z);
}

// The lineweights DXF knows, in hundredths of a millimetre.
int nearest_lineweight(double millimetres) {
  static const int weights[] = {0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,  50,
                                53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
  int best = 0;
  for (int w : weights)
    if (std::fabs(w - millimetres * 100) < std::fabs(best - millimetres * 100))
      best = w;
  return best;
}

// The ACI colour whose components are exactly these, or 0.
int exact_aci(double red, double green, double blue) {
  for (int aci = 1; aci <= 255; ++aci) {
    double r, g, b;
    dxfTables::aci_rgb(aci, r, g, b);
    if (std::lround(r * 255) == std::lround(red * 255) &&
        std::lround(g * 255) == std::lround(green * 255) &&
        std::lround(b * 255) == std::lround(blue * 255))
      return aci;
  }
  return 0;
}

long true_colour(double red, double green, double blue) {
  auto byte = [](double c) { return std::lround(std::fmin(std::fmax(c, 0.0), 1.0) * 255); };
  return (byte(red) << 16) | (byte(green) << 8) | byte(blue);
}

bool forbidden_in_name(const std::string& name) {
  if (name.empty())
    return true;
  for (char c : name)
    if (std::string("<>/\\\":;?*|=`").find(c) != std::string::npos ||
        static_cast<unsigned char>(c) < 0x20)
      return true;
  return false;
}

utString entity_name(const vorabsAttributeSet& attributes) {
  vorabsNamevorabsAttributePtr name;
  return attributes.get(vorabsNAME, name) ? name->string() : utString();
}

// One vertex of a light-weight polyline: a world point and the bulge of
// the segment that starts there.
struct dxfBulgeVertex {
  giPoint3 point;
  double bulge;
};

// The vertices of a 2D curve made of lines, arcs and polylines, on plane;
// false for any other kind of piece.
bool bulge_vertices(const velCurvePtr2& curve, const velSurf& plane,
                    std::vector<dxfBulgeVertex>& out) {
  auto at = [&](const giPoint2& p) { return plane.position(p.x, p.y); };
  if (auto* composite = dynamic_cast<const velCompCurve2*>(curve.pointer())) {
    for (int i = 0; i < composite->num_segments(); ++i)
      if (!bulge_vertices(composite->segment(i), plane, out))
        return false;
    return true;
  }
  if (auto* line = dynamic_cast<const velLine2*>(curve.pointer())) {
    out.push_back({at(line->start()), 0.0});
    out.push_back({at(line->end()), 0.0});
    return true;
  }
  if (auto* arc = dynamic_cast<const velCircArc2*>(curve.pointer())) {
    double t0, t1;
    arc->parameter_range(t0, t1);
    out.push_back({at(arc->position(t0)), std::tan((t1 - t0) / 4)});
    out.push_back({at(arc->position(t1)), 0.0});
    return true;
  }
  if (auto* polyline = dynamic_cast<const velPolyline2*>(curve.pointer())) {
    for (int i = 0; i < polyline->num_points(); ++i)
      out.push_back({at(polyline->point(i)), 0.0});
    return true;
  }
  return false;
}

bool near(const giPoint3& a, const giPoint3& b) {
  double scale =
      std::fmax(1.0, std::fmax(std::fabs(a.x), std::fmax(std::fabs(a.y), std::fabs(a.z))));
  return std::fabs(a.x - b.x) <= 1e-9 * scale && std::fabs(a.y - b.y) <= 1e-9 * scale &&
         std::fabs(a.z - b.z) <= 1e-9 * scale;
}

// Drops each vertex that repeats the end of the piece before it, keeping
// the bulge of the piece that starts there.
void join_pieces(std::vector<dxfBulgeVertex>& vertices) {
  std::vector<dxfBulgeVertex> joined;
  for (const dxfBulgeVertex& v : vertices) {
    if (!joined.empty() && joined.back().bulge == 0.0 && near(joined.back().point, v.point)) {
      joined.back().bulge = v.bulge;
      continue;
    }
    joined.push_back(v);
  }
  vertices.swap(joined);
}

// Nonzero for the four corners and one or two triangles that a 3DFACE makes.
bool is_face(const giNodeXYZ& nodes, const giTriArr& triangles) {
  auto is = [](const giTriangle& t, int a, int b, int c) {
    return t.a == a && t.b == b && t.c == c;
  };
  return nodes.size() == 4 && is(triangles[0], 0, 1, 2) &&
         (triangles.size() == 1 || (triangles.size() == 2 && is(triangles[1], 0, 2, 3)));
}

} // namespace

dxfLibOutput::dxfLibOutput(vorabsOfStream* stream, const vorabsAppInfo* app)
    : vorabsLibOutput(stream, app) {}

dxfLibOutput::~dxfLibOutput() = default;

void dxfLibOutput::add_file_types(intcoSet& types) const {
  types.add(28);
}

void dxfLibOutput::add_extensions(utStringcoSet& extensions) const {
  extensions.add(utString("dxf"));
}

int dxfLibOutput::set_version(const std::string& version, const std::string& code_page) {
  if (drawing_ || version.size() != 6 || version.compare(0, 2, "AC") != 0 || version < "AC1015" ||
      version > "AC1032")
    return 0;
  unsigned int number = 0;
  if (version < "AC1021") {
    number = dxfCodePageText::number_of(code_page);
    if (number == 0)
      return 0;
  }
  version_ = version;
  code_page_name_ = version < "AC1021" ? code_page : "ANSI_1252";
  code_page_ = number;
  return 1;
}

void dxfLibOutput::set_units(const vorLengthUnit& unit) {
  static const int insunits[] = {4, 5, 6, 1, 2, 13, 7, 3, 10};
  units_ = unit >= 0 && unit <= 8 ? insunits[unit] : 0;
}

int dxfLibOutput::valid_units(vorLengthUnit&) const {
  return 1;
}

int dxfLibOutput::supported(const vorabsAttributeSet& attributes) const {
  return attributes.member(vorabsCURVE) || attributes.member(vorabsPOINT) ||
         attributes.member(vorabsTRIANGLEBLOCK) || attributes.member(vorabsWORKPLANE);
}

int dxfLibOutput::encode(const utString& text, std::string& bytes) const {
  bytes.assign(text.c_str(), text.length());
  bool ascii = true;
  for (char c : bytes)
    ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii || code_page_ == 0)
    return 1;
  charcoDynArr converted;
  dxfCodePageText(text).to_code_page(code_page_, converted);
  std::string out(converted.data(), converted.count());
  while (!out.empty() && out.back() == '\0')
    out.pop_back();
  // A character the code page lacks does not come back.
  if (dxfCodePageText(code_page_, out).string() != text)
    return 0;
  bytes = out;
  return 1;
}

vorabsTranslationStatus dxfLibOutput::fail(const vorabsAttributeSet& attributes, const char* why) {
  ++failed_;
  if (vorabsOutput* channel = error())
    channel->tprintf(
        "vorabs", "Error : Entity %s has failed: %s.\n",
        entity_name(attributes).empty() ? "without a name" : entity_name(attributes).c_str(), why);
  return vorabsTranslationStatus(vorabsSTATUS_FAILED);
}

vorabsTranslationStatus dxfLibOutput::done() {
  ++written_;
  return vorabsTranslationStatus(vorabsSTATUS_OK);
}

int dxfLibOutput::properties_of(const vorabsAttributeSet& attributes,
                                dxfEntityProperties& properties) {
  if (!drawing_)
    drawing_ = std::make_unique<dxfDrawingWriter>(version_, code_page_name_);
  vorabsLayervorabsAttributePtr layer;
  if (attributes.get(vorabsLAYER, layer) && !layer->invalid()) {
    utString name = layer->name();
    if (name.empty())
      name = utString("") << layer->layer();
    if (!encode(name, properties.layer) || forbidden_in_name(properties.layer)) {
      fail(attributes, "its layer name cannot be written in DXF");
      return 0;
    }
    dxfLayerRecord record;
    record.name = properties.layer;
    drawing_->add_layer(record);
  }
  vorabsColourvorabsAttributePtr colour;
  if (attributes.get(vorabsCOLOUR, colour)) {
    int aci = 0;
    utString name = colour->name();
    if (std::sscanf(name.c_str(), "ACI %d", &aci) != 1 || aci < 1 || aci > 255)
      aci = exact_aci(colour->red(), colour->green(), colour->blue());
    if (aci)
      properties.colour = aci;
    else
      properties.true_colour = true_colour(colour->red(), colour->green(), colour->blue());
  }
  vorabsCurveFontvorabsAttributePtr font;
  if (attributes.get(vorabsCURVEFONT, font) && !font->invalid() && font->num_segments() > 0) {
    std::string name;
    if (!encode(font->name(), name) || forbidden_in_name(name)) {
      fail(attributes, "its linetype name cannot be written in DXF");
      return 0;
    }
    dxfLinetypeRecord linetype{name, name, {}};
    int visible = font->first_visible();
    for (int i = 0; i < font->num_segments(); ++i, visible = !visible)
      linetype.pattern.push_back(visible ? font->segment_length(i) : -font->segment_length(i));
    drawing_->add_linetype(linetype);
    properties.linetype = name;
  }
  doublevorabsAttributePtr width;
  if (attributes.get(vorabsLINEWIDTH, width) && std::isfinite(*width) && *width >= 0)
    properties.lineweight = nearest_lineweight(*width);
  utBoolvorabsAttributePtr visible;
  if (attributes.get(vorabsVISIBLE, visible) && !*visible)
    properties.invisible = 1;
  return 1;
}

vorabsTranslationStatus dxfLibOutput::curve3(const velCurvePtr3& curve,
                                             const vorabsAttributeSet& attributes) {
  if (curve.invalid())
    return fail(attributes, "the curve is empty");
  double t0, t1;
  curve->parameter_range(t0, t1);
  if (!finite(curve->position(t0)) || !finite(curve->position(t1)))
    return fail(attributes, "its coordinates are not finite");
  dxfEntityProperties properties;
  if (!properties_of(attributes, properties))
    return vorabsTranslationStatus(vorabsSTATUS_FAILED);
  dxfDrawingWriter& d = *drawing_;
  auto space = d.model_space();
  dxfTagWriter& tags = d.tags(space);

  if (auto* line = dynamic_cast<const velLine3*>(curve.pointer())) {
    d.begin_entity(space, "LINE", properties);
    tags.tag(100, "AcDbLine");
    tags.point(10, line->start().x, line->start().y, line->start().z);
    tags.point(11, line->end().x, line->end().y, line->end().z);
  } else if (auto* arc = dynamic_cast<const velCircArc3*>(curve.pointer())) {
    if (arc->invalid())
      return fail(attributes, "the arc is not valid");
    dxfOcs ocs(arc->normal());
    giVector3 centre = ocs.of(as_vector(arc->centre()));
    giVector3 reference = ocs.of(arc->reference());
    double offset = std::atan2(reference.y, reference.x);
    bool full = arc->end_angle() - arc->start_angle() >= 2 * pi - 1e-12;
    d.begin_entity(space, full ? "CIRCLE" : "ARC", properties);
    tags.tag(100, "AcDbCircle");
    tags.point(10, centre.x, centre.y, centre.z);
    tags.real(40, arc->radius());
    write_extrusion(tags, ocs.z);
    if (!full) {
      tags.tag(100, "AcDbArc");
      tags.real(50, (offset + arc->start_angle()) * 180 / pi);
      tags.real(51, (offset + arc->end_angle()) * 180 / pi);
    }
  } else if (auto* polyline = dynamic_cast<const velPolyline3*>(curve.pointer())) {
    int n = polyline->num_points();
    for (int i = 0; i < n; ++i)
      if (!finite(polyline->point(i)))
        return fail(attributes, "its coordinates are not finite");
    std::uint64_t owner = d.begin_entity(space, "POLYLINE", properties);
    tags.tag(100, "AcDb3dPolyline");
    tags.integer(66, 1);
    tags.point(10, 0, 0, 0);
    tags.integer(70, 8);
    for (int i = 0; i < n; ++i) {
      const giPoint3& p = polyline->point(i);
      d.begin_child(space, "VERTEX", owner, properties);
      tags.tag(100, "AcDbVertex");
      tags.tag(100, "AcDb3dPolylineVertex");
      tags.point(10, p.x, p.y, p.z);
      tags.integer(70, 32);
      d.extend(p.x, p.y, p.z);
    }
    d.begin_child(space, "SEQEND", owner, properties);
  } else if (auto* ellipse = dynamic_cast<const velEllipse3*>(curve.pointer())) {
    if (ellipse->invalid())
      return fail(attributes, "the ellipse is not valid");
    // Conjugate semi-diameters become principal axes: turn the parameter by
    // the angle at which u and v are at right angles.
    const giVector3 &u = ellipse->u_axis(), &v = ellipse->v_axis();
    double shift = 0.5 * std::atan2(2 * dot(u, v), dot(u, u) - dot(v, v));
    giVector3 major = sum(scaled(u, std::cos(shift)), scaled(v, std::sin(shift)));
    giVector3 minor = sum(scaled(u, -std::sin(shift)), scaled(v, std::cos(shift)));
    if (dot(minor, minor) > dot(major, major)) {
      giVector3 turned = major;
      major = minor;
      minor = scaled(turned, -1);
      shift += pi / 2;
    }
    giVector3 normal = unit(cross(major, minor));
    d.begin_entity(space, "ELLIPSE", properties);
    tags.tag(100, "AcDbEllipse");
    const giPoint3& c = ellipse->centre();
    tags.point(10, c.x, c.y, c.z);
    tags.point(11, major.x, major.y, major.z);
    tags.point(210, normal.x, normal.y, normal.z);
    tags.real(40, std::sqrt(dot(minor, minor) / dot(major, major)));
    double start = std::fmod(t0 - shift, 2 * pi);
    start += start < 0 ? 2 * pi : 0;
    double end = t1 - t0 >= 2 * pi - 1e-12 ? start + 2 * pi : std::fmod(t1 - shift, 2 * pi);
    end += end < 0 ? 2 * pi : 0;
    tags.real(41, start);
    tags.real(42, end);
  } else if (auto* spline = dynamic_cast<const velBSpline3*>(curve.pointer())) {
    if (spline->invalid())
      return fail(attributes, "the spline is not valid");
    const auto& points = spline->control_points();
    for (const giPoint3& p : points)
      if (!finite(p))
        return fail(attributes, "its coordinates are not finite");
    d.begin_entity(space, "SPLINE", properties);
    tags.tag(100, "AcDbSpline");
    tags.integer(70, spline->rational() ? 4 : 0);
    tags.integer(71, spline->degree());
    tags.integer(72, static_cast<long long>(spline->knots().size()));
    tags.integer(73, static_cast<long long>(points.size()));
    tags.integer(74, 0);
    for (double knot : spline->knots())
      tags.real(40, knot);
    for (double weight : spline->weights())
      tags.real(41, weight);
    for (const giPoint3& p : points)
      tags.point(10, p.x, p.y, p.z);
  } else if (auto* on = dynamic_cast<const velCurveOnSurf3*>(curve.pointer())) {
    auto* plane = dynamic_cast<const velPlane*>(on->surface().pointer());
    std::vector<dxfBulgeVertex> vertices;
    if (!plane || on->curve().invalid() || !bulge_vertices(on->curve(), *plane, vertices))
      return fail(attributes, "curves on surfaces other than planar lines and arcs are not "
                              "written in DXF");
    join_pieces(vertices);
    const giWorkplane3& frame = plane->workplane();
    dxfOcs ocs(cross(frame.u_vector(), frame.v_vector()));
    int closed = vertices.size() > 2 && near(vertices.back().point, vertices.front().point);
    if (closed)
      vertices.pop_back();
    for (const dxfBulgeVertex& v : vertices)
      if (!finite(v.point))
        return fail(attributes, "its coordinates are not finite");
    d.begin_entity(space, "LWPOLYLINE", properties);
    tags.tag(100, "AcDbPolyline");
    tags.integer(90, static_cast<long long>(vertices.size()));
    tags.integer(70, closed);
    tags.real(38, ocs.of(as_vector(frame.origin())).z);
    for (const dxfBulgeVertex& v : vertices) {
      giVector3 p = ocs.of(as_vector(v.point));
      tags.point2(10, p.x, p.y);
      if (v.bulge != 0.0)
        tags.real(42, v.bulge);
    }
    write_extrusion(tags, ocs.z);
  } else {
    return fail(
        attributes,
        (std::string("curves of kind ") + curve->kind() + " are not written in DXF").c_str());
  }
  d.extend(curve->position(t0).x, curve->position(t0).y, curve->position(t0).z);
  d.extend(curve->position(t1).x, curve->position(t1).y, curve->position(t1).z);
  return done();
}

vorabsTranslationStatus dxfLibOutput::point3(const giPoint3& point,
                                             const vorabsAttributeSet& attributes) {
  if (!finite(point))
    return fail(attributes, "its coordinates are not finite");
  dxfEntityProperties properties;
  if (!properties_of(attributes, properties))
    return vorabsTranslationStatus(vorabsSTATUS_FAILED);
  auto space = drawing_->model_space();
  drawing_->begin_entity(space, "POINT", properties);
  drawing_->tags(space).tag(100, "AcDbPoint");
  drawing_->tags(space).point(10, point.x, point.y, point.z);
  drawing_->extend(point.x, point.y, point.z);
  return done();
}

vorabsTranslationStatus dxfLibOutput::triblock(const giTriBlock& block,
                                               const vorabsAttributeSet& attributes) {
  const giNodeXYZ* nodes = block.find_feature<giNodeXYZ>();
  const giTriArr* triangles = block.find_feature<giTriArr>();
  if (!nodes || !triangles || triangles->size() == 0)
    return fail(attributes, "the triangle block has no triangles");
  for (size_t i = 0; i < nodes->size(); ++i)
    if (!finite((*nodes)[i]))
      return fail(attributes, "its coordinates are not finite");
  for (size_t i = 0; i < triangles->size(); ++i) {
    const giTriangle& t = (*triangles)[i];
    for (int index : {t.a, t.b, t.c})
      if (index < 0 || size_t(index) >= nodes->size())
        return fail(attributes, "a triangle refers to a node it does not have");
  }
  dxfEntityProperties properties;
  if (!properties_of(attributes, properties))
    return vorabsTranslationStatus(vorabsSTATUS_FAILED);
  dxfDrawingWriter& d = *drawing_;
  auto space = d.model_space();
  dxfTagWriter& tags = d.tags(space);
  if (is_face(*nodes, *triangles)) {
    d.begin_entity(space, "3DFACE", properties);
    tags.tag(100, "AcDbFace");
    for (int i = 0; i < 4; ++i) {
      const giPoint3& p = (*nodes)[size_t(i)];
      tags.point(10 + i, p.x, p.y, p.z);
      d.extend(p.x, p.y, p.z);
    }
    return done();
  }
  std::uint64_t owner = d.begin_entity(space, "POLYLINE", properties);
  tags.tag(100, "AcDbPolyFaceMesh");
  tags.integer(66, 1);
  tags.point(10, 0, 0, 0);
  tags.integer(70, 64);
  tags.integer(71, static_cast<long long>(nodes->size()));
  tags.integer(72, static_cast<long long>(triangles->size()));
  for (size_t i = 0; i < nodes->size(); ++i) {
    const giPoint3& p = (*nodes)[i];
    d.begin_child(space, "VERTEX", owner, properties);
    tags.tag(100, "AcDbVertex");
    tags.tag(100, "AcDbPolyFaceMeshVertex");
    tags.point(10, p.x, p.y, p.z);
    tags.integer(70, 192);
    d.extend(p.x, p.y, p.z);
  }
  for (size_t i = 0; i < triangles->size(); ++i) {
    const giTriangle& t = (*triangles)[i];
    d.begin_child(space, "VERTEX", owner, properties);
    tags.tag(100, "AcDbVertex");
    tags.tag(100, "AcDbFaceRecord");
    tags.point(10, 0, 0, 0);
    tags.integer(70, 128);
    tags.integer(71, t.a + 1);
    tags.integer(72, t.b + 1);
    tags.integer(73, t.c + 1);
  }
  d.begin_child(space, "SEQEND", owner, properties);
  return done();
}

vorabsTranslationStatus dxfLibOutput::workplane3(const giWorkplane3& workplane,
                                                 const vorabsAttributeSet& attributes) {
  if (workplane.invalid() || !finite(workplane.origin()) || !finite(workplane.u_vector()) ||
      !finite(workplane.v_vector()))
    return fail(attributes, "its coordinates are not finite");
  dxfEntityProperties properties;
  if (!properties_of(attributes, properties))
    return vorabsTranslationStatus(vorabsSTATUS_FAILED);
  std::string name;
  utString given = entity_name(attributes);
  if (given.empty() || !encode(given, name) || forbidden_in_name(name))
    name = "UCS" + std::to_string(++ucs_count_);
  const giPoint3& o = workplane.origin();
  const giVector3 &u = workplane.u_vector(), &v = workplane.v_vector();
  const double origin[3] = {o.x, o.y, o.z}, x[3] = {u.x, u.y, u.z}, y[3] = {v.x, v.y, v.z};
  if (!drawing_->add_ucs(name, origin, x, y))
    return fail(attributes, "a UCS of the same name was written before");
  return done();
}

int dxfLibOutput::write() {
  vorabsOfStream* out = stream();
  if (!out) {
    if (vorabsOutput* channel = error())
      channel->tprintf("vorabs", "Error : No output file was given.\n");
    return 0;
  }
  if (!drawing_)
    drawing_ = std::make_unique<dxfDrawingWriter>(version_, code_page_name_);
  drawing_->set_units(units_);
  std::string text = drawing_->finish();
  drawing_.reset();
  if (!out->open() || !out->write(text.data(), text.size()) || !out->commit()) {
    if (vorabsOutput* channel = error())
      channel->tprintf("vorabs", "Error : Cannot write %s: %s.\n", out->path().c_str(),
                       out->error().c_str());
    return 0;
  }
  return 1;
}
