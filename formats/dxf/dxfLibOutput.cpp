// dxfLibOutput.cpp - entities and their attributes as DXF.
#include "dxfLibOutput.h"

#include "dxfAttributes.h"
#include "dxfDrawingWriter.h"
#include "dxfToleranceText.h"
#include "dxfHatchWriter.h"
#include "dxfText.h"
#include "dxfTextLayout.h"

#include "kapProperties.h"
#include "kapPropertyPtrArray.h"
#include "kapProperty.h"
#include "kapString.h"
#include "vorabsColour.h"
#include "vorabsCurveFont.h"
#include "vorabsLayer.h"
#include "vorabsName.h"
#include "vorabsObjectType.h"
#include "vorabsOutput.h"

#include "gi.h"
#include "vel.h"
#include "velEllipse.h"
#include "velSpline.h"
#include "vorabsOfStream.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <unordered_map>
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

// An angle in degrees from 0 up to 360, as other programs write them.
double degrees_in_turn(double radians) {
  double degrees = std::fmod(radians * 180 / pi, 360.0);
  return degrees < 0 ? degrees + 360 : degrees;
}

// The lineweights DXF knows, in hundredths of a millimetre.
// k when pattern is first with every length k times as long (k > 0); 1
// when it is not a scale of it.
double pattern_scale(const std::vector<double>& first, const std::vector<double>& pattern) {
  if (first.size() != pattern.size() || first.empty())
    return 1.0;
  double k = 0.0;
  for (size_t i = 0; i < first.size() && k == 0.0; ++i)
    if (first[i] != 0.0)
      k = pattern[i] / first[i];
  if (!(k > 0.0) || !std::isfinite(k))
    return 1.0;
  for (size_t i = 0; i < first.size(); ++i)
    if (std::fabs(pattern[i] - k * first[i]) > 1e-9 * std::fabs(pattern[i]) + 1e-12)
      return 1.0;
  return k;
}

// A LWPOLYLINE's constant width (43), when its widths are one pair.
void write_constant_width(dxfTagWriter& tags, const dxfSegmentWidths& widths) {
  if (widths.size() == 1 && widths[0].first == widths[0].second)
    tags.real(43, widths[0].first);
}

// The widths of the segment starting at vertex i (40, 41), when there is one
// pair per segment of a polyline of n vertices.
void write_vertex_widths(dxfTagWriter& tags, const dxfSegmentWidths& widths, size_t n, int closed,
                         size_t i) {
  const size_t segments = closed ? n : n - 1;
  const bool each =
      widths.size() == segments && (segments > 1 || widths[0].first != widths[0].second);
  if (each && i < segments) {
    tags.real(40, widths[i].first);
    tags.real(41, widths[i].second);
  }
}

int nearest_lineweight(double millimetres) {
  static const int weights[] = {0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,  50,
                                53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
  int best = 0;
  for (int w : weights)
    if (std::fabs(w - millimetres * 100) < std::fabs(best - millimetres * 100))
      best = w;
  return best;
}

// A colour component as a byte; outside 0 to 1, or not a number, it is
// held to the nearest end.
long colour_byte(double c) {
  return std::lround(std::fmin(std::fmax(c, 0.0), 1.0) * 255);
}

// The ACI colour nearest to these components; exact: 0 unless one matches.
int aci_of(double red, double green, double blue, int exact) {
  int best = 0;
  long best_distance = exact ? 1 : LONG_MAX;
  for (int aci = 1; aci <= 255; ++aci) {
    double r, g, b;
    dxfTables::aci_rgb(aci, r, g, b);
    const long dr = colour_byte(r) - colour_byte(red), dg = colour_byte(g) - colour_byte(green),
               db = colour_byte(b) - colour_byte(blue);
    const long distance = dr * dr + dg * dg + db * db;
    if (distance < best_distance)
      best = aci, best_distance = distance;
  }
  return best;
}

int exact_aci(double red, double green, double blue) {
  return aci_of(red, green, blue, 1);
}

long true_colour(double red, double green, double blue) {
  return (colour_byte(red) << 16) | (colour_byte(green) << 8) | colour_byte(blue);
}

std::string first_word(const utString& name) {
  std::string text = name.c_str();
  return text.substr(0, text.find(' '));
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

// Why the curve cannot be written, or null when it can.
const char* curve_fault(const velCurvePtr3& curve) {
  if (curve.invalid())
    return "the curve is empty";
  double t0, t1;
  curve->parameter_range(t0, t1);
  if (!finite(curve->position(t0)) || !finite(curve->position(t1)))
    return "its coordinates are not finite";
  if (auto* arc = dynamic_cast<const velCircArc3*>(curve.pointer()))
    return arc->invalid() ? "the arc is not valid" : nullptr;
  if (auto* polyline = dynamic_cast<const velPolyline3*>(curve.pointer())) {
    for (int i = 0; i < polyline->num_points(); ++i)
      if (!finite(polyline->point(i)))
        return "its coordinates are not finite";
    return nullptr;
  }
  if (auto* ellipse = dynamic_cast<const velEllipse3*>(curve.pointer()))
    return ellipse->invalid() ? "the ellipse is not valid" : nullptr;
  if (auto* spline = dynamic_cast<const velBSpline3*>(curve.pointer())) {
    if (spline->invalid())
      return "the spline is not valid";
    for (const giPoint3& p : spline->control_points())
      if (!finite(p))
        return "its coordinates are not finite";
    return nullptr;
  }
  if (auto* on = dynamic_cast<const velCurveOnSurf3*>(curve.pointer())) {
    auto* plane = dynamic_cast<const velPlane*>(on->surface().pointer());
    std::vector<dxfBulgeVertex> vertices;
    if (!plane || on->curve().invalid() || !bulge_vertices(on->curve(), *plane, vertices))
      return "curves on surfaces other than planar lines and arcs are not written in DXF";
    for (const dxfBulgeVertex& v : vertices)
      if (!finite(v.point))
        return "its coordinates are not finite";
    return nullptr;
  }
  if (dynamic_cast<const velLine3*>(curve.pointer()))
    return nullptr;
  return "curves of this kind are not written in DXF";
}

const char* triblock_fault(const giTriBlock& block) {
  const giNodeXYZ* nodes = block.find_feature<giNodeXYZ>();
  const giTriArr* triangles = block.find_feature<giTriArr>();
  if (!nodes || !triangles || triangles->size() == 0)
    return "the triangle block has no triangles";
  for (size_t i = 0; i < nodes->size(); ++i)
    if (!finite((*nodes)[i]))
      return "its coordinates are not finite";
  for (size_t i = 0; i < triangles->size(); ++i) {
    const giTriangle& t = (*triangles)[i];
    for (int index : {t.a, t.b, t.c})
      if (index < 0 || size_t(index) >= nodes->size())
        return "a triangle refers to a node it does not have";
  }
  return nullptr;
}

const char* text_fault(const annTextGeometry& text) {
  if (text.text().invalid() || text.font().invalid() || text.lcs().invalid())
    return "the text has no characters, font or frame";
  const giWorkplane3& frame = text.lcs()->workplane();
  if (frame.invalid() || !finite(frame.origin()) || !finite(frame.u_vector()) ||
      !std::isfinite(text.font()->height()) || !std::isfinite(text.width()))
    return "its coordinates are not finite";
  return nullptr;
}

const char* boundary_fault(const annCurveannPtr& boundary) {
  static const velPlane world{giWorkplane3(giWorkplaneWorld)};
  std::vector<dxfBulgeVertex> vertices;
  if (boundary.invalid() || boundary->curve().invalid() ||
      !bulge_vertices(boundary->curve(), world, vertices))
    return "fill-area boundaries other than lines and arcs are not written in DXF";
  for (const dxfBulgeVertex& v : vertices)
    if (!finite(v.point))
      return "its coordinates are not finite";
  return nullptr;
}

// Why an annotation item cannot be written, or null when it can.
const char* item_fault(const annNamedItemPtr& item) {
  if (auto* text = annTextGeometry::sto_dynamic_cast(item.pointer()))
    return text_fault(*text);
  if (auto* fill = annFillArea::sto_dynamic_cast(item.pointer())) {
    if (const char* why = boundary_fault(fill->outer_boundary()))
      return why;
    for (const annCurveannPtr& inner : fill->inner_boundaries())
      if (const char* why = boundary_fault(inner))
        return why;
    return nullptr;
  }
  if (auto* cloud = annPointCloud::sto_dynamic_cast(item.pointer())) {
    const giNodeXYZ* nodes = cloud->data() ? cloud->data()->find_feature<giNodeXYZ>() : nullptr;
    if (!nodes)
      return "the point cloud has no points";
    for (size_t i = 0; i < nodes->size(); ++i)
      if (!finite((*nodes)[i]))
        return "its coordinates are not finite";
    return nullptr;
  }
  if (auto* group = annGroup::sto_dynamic_cast(item.pointer())) {
    if (group->transform().pointer() && !finite(group->transform()->workplane().origin()))
      return "its coordinates are not finite";
    return nullptr;
  }
  if (annPresentation::sto_dynamic_cast(item.pointer()))
    return nullptr;
  return "annotation of this kind is not written in DXF";
}

// MTEXT keeps backslashes and braces for its formatting codes, and reads
// %% codes as TEXT does.
std::string mtext_escaped(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '%' && i + 1 < text.size() && text[i + 1] == '%') {
      out += "%%%";
      continue;
    }
    // "\U+" starts an escape that encoding made (a backslash the user typed
    // there was made an escape itself).
    bool escape = c == '\\' && text.compare(i + 1, 2, "U+") == 0;
    if ((c == '\\' && !escape) || c == '{' || c == '}')
      out += '\\';
    if (c == '\n') {
      out += "\\P";
      continue;
    }
    out += c;
    if (c == '^')
      out += ' '; // "^ " is a caret; "^J" and the like are control codes
  }
  return out;
}

// A TEXT or ATTRIB value: a '%' before another is written as "%%%", so that
// what the user typed is not read as a %% code ("%%d" a degree sign).
std::string text_escaped(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i)
    out += text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%' ? "%%%" : text.substr(i, 1);
  return out;
}

// The DXF type (group 70) of a dimension, or -1 for a group that is none:
// rotated 0, angular by three points 5, diameter 3, radius 4, ordinate 6.
// Hole dimensions and witness lines have no DXF entity and stay groups.
int dimension_type(const annNamedItemPtr& item) {
  const stoObject* object = item.pointer();
  if (annRadiusDimension::sto_dynamic_cast(object))
    return 4;
  if (annDiameterDimension::sto_dynamic_cast(object))
    return 3;
  if (annAngularDimension::sto_dynamic_cast(object))
    return 5;
  if (annOrdinateDimension::sto_dynamic_cast(object))
    return 6;
  if (annHoleDimension::sto_dynamic_cast(object))
    return -1;
  return annDimension::sto_dynamic_cast(object) ? 0 : -1;
}

giPoint3 point_of(const annPointItemannPtr& point) {
  return point.invalid() || !finite(point->point()) ? giPoint3(0, 0, 0) : point->point();
}

// A group that sits where it was defined: no placement, or the identity.
bool unplaced(const annGroup& group) {
  if (group.transform().invalid())
    return true;
  const annSPT& spt = *group.transform();
  const giWorkplane3& frame = spt.workplane();
  return spt.scale() == 1.0 && frame.origin() == giPoint3(0, 0, 0) &&
         frame.u_vector() == giVector3(1, 0, 0) && frame.v_vector() == giVector3(0, 1, 0) &&
         frame.normal() == giVector3(0, 0, 1);
}

// A name without the blanks around it, which readers drop (so that " A"
// and "A" would be one block or layer to them).
std::string trimmed_name(const std::string& name) {
  size_t first = name.find_first_not_of(' ');
  return first == std::string::npos ? std::string()
                                    : name.substr(first, name.find_last_not_of(' ') + 1 - first);
}

std::string block_name_of(const std::string& given) {
  std::string name = trimmed_name(given);
  std::string out = name.empty() ? "BLOCK" : name;
  for (char& c : out)
    if (std::string("<>/\\\":;?*|=`").find(c) != std::string::npos ||
        static_cast<unsigned char>(c) < 0x20)
      c = '_';
  return out;
}

// The fill area that a group only places (one member, under a transform),
// as a reader makes of a hatch in a plane of its own; null for any other item.
const annFillArea* placed_fill_area(const annNamedItemPtr& item) {
  const annGroup* group = annGroup::sto_dynamic_cast(item.pointer());
  if (!group || group->transform().invalid() || group->get_group_geometry().size() != 1)
    return nullptr;
  return annFillArea::sto_dynamic_cast(group->get_group_geometry()[0].pointer());
}

// The number of bytes of the UTF-8 character that starts with lead.
size_t utf8_length(char lead) {
  auto b = static_cast<unsigned char>(lead);
  return b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
}

// The code of one UTF-8 character.
unsigned int utf8_code(std::string_view character) {
  auto b = [&](size_t i) { return static_cast<unsigned char>(character[i]) & 0x3Fu; };
  auto lead = static_cast<unsigned char>(character[0]);
  switch (character.size()) {
  case 2:
    return (lead & 0x1Fu) << 6 | b(1);
  case 3:
    return (lead & 0x0Fu) << 12 | b(1) << 6 | b(2);
  case 4:
    return (lead & 0x07u) << 18 | b(1) << 12 | b(2) << 6 | b(3);
  default:
    return lead;
  }
}

// Nonzero when every byte is ASCII.
bool plain_ascii(std::string_view bytes) {
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80)
      return false;
  return true;
}

// Nonzero when a reader would take some of these code-page bytes for UTF-8:
// it decodes the runs between escapes and codes one by one, so each run
// counts alone (a run valid as UTF-8 stays so when cut at ASCII bytes).
bool reads_as_utf8(std::string_view bytes) {
  while (!bytes.empty()) {
    size_t end = bytes.find_first_of("\\{}^%");
    std::string_view run = bytes.substr(0, end);
    if (!plain_ascii(run) && dxf_valid_utf8(run))
      return true;
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
  }
  return false;
}

// \U+XXXX for a character; above the BMP, the escapes of its surrogate pair.
std::string unicode_escape(unsigned int code) {
  char text[16];
  if (code < 0x10000) {
    std::snprintf(text, sizeof text, "\\U+%04X", code);
    return text;
  }
  unsigned int v = code - 0x10000;
  std::snprintf(text, sizeof text, "\\U+%04X", 0xD800 | (v >> 10));
  std::string pair = text;
  std::snprintf(text, sizeof text, "\\U+%04X", 0xDC00 | (v & 0x3FF));
  return pair + text;
}

} // namespace

// An entity received as the child of a compound being built, kept until the
// compound arrives; or the compound itself when it is a child in turn.
struct dxfLibOutput::pending {
  enum kind_t { CURVE, POINT, TRIBLOCK, ITEM } kind;
  dxfEntityProperties properties;
  velCurvePtr3 curve;
  giPoint3 point;
  std::shared_ptr<giTriBlock> block;
  annNamedItemPtr item;    // an annotation item: a group, text, fill area or point cloud
  std::string kind_word;   // the first word of the entity's name: what a reader called it
  dxfSegmentWidths widths; // a wide polyline's (dxfPolylineWidth.h)
};

struct dxfLibOutput::state {
  std::unique_ptr<dxfDrawingWriter> drawing;
  // Stand-ins for the children, in a document of the writer's own.
  annDocument document;
  std::unordered_map<const annNamedItem*, pending> children;
  // The block written for each group item, by item.
  std::unordered_map<const annNamedItem*, int> blocks;
  std::vector<annNamedItemPtr> kept; // keeps the groups of blocks alive
  // The layout of each text received that is not a left-aligned line; set
  // or cleared for every text, so an address used again is never stale.
  std::unordered_map<const annNamedItem*, dxfTextLayout> layouts;
  annNamedItemPtr current;
  // Geometric tolerances written as TOLERANCE entities: their frame text.
  std::unordered_map<const annNamedItem*, std::string> tolerances;
  // The hatch patterns of fill areas, from their properties.
  std::unordered_map<const annNamedItem*, dxfFillPattern> patterns;
  // The items whose tolerance or pattern is noted, held so that no other
  // item is made at their address while the writer knows it by it.
  std::vector<annNamedItemPtr> noted;
};

dxfLibOutput::dxfLibOutput(vorabsOfStream* stream, const vorabsAppInfo* app)
    : vorabsLibOutput(stream, app), state_(std::make_unique<state>()) {}

dxfLibOutput::~dxfLibOutput() = default;

dxfDrawingWriter& dxfLibOutput::drawing() {
  if (!state_->drawing)
    state_->drawing = std::make_unique<dxfDrawingWriter>(version_, code_page_name_);
  return *state_->drawing;
}

annNamedItemPtr dxfLibOutput::current_annotation() {
  return state_->current;
}

void dxfLibOutput::add_file_types(intcoSet& types) const {
  types.add(28);
}

void dxfLibOutput::add_extensions(utStringcoSet& extensions) const {
  extensions.add(utString("dxf"));
}

int dxfLibOutput::set_version(const std::string& version, const std::string& code_page) {
  if (state_->drawing || version.size() != 6 || version.compare(0, 2, "AC") != 0 ||
      version < "AC1015" || version > "AC1032")
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
  if (attributes.member(vorabsCURVE) || attributes.member(vorabsPOINT) ||
      attributes.member(vorabsTRIANGLEBLOCK) || attributes.member(vorabsWORKPLANE))
    return 1;
  if (!attributes.member(vorabsANNOTATION))
    return 0;
  // Groups of every kind (blocks), drawings and views (layouts and
  // viewports), texts, fill areas and point clouds; not environments,
  // lights or backgrounds, which DXF has no place for. An annotation entity
  // that does not say its kind is one of those.
  vorabsObjectTypevorabsAttributePtr type;
  if (!attributes.get(vorabsOBJECTTYPE, type) || type->invalid())
    return 1;
  for (const stoClass* kind :
       {sto_class_annGroup(), sto_class_annPresentation(), sto_class_annTextGeometry(),
        sto_class_annFillArea(), sto_class_annPointCloud()})
    if (type->type()->is_kind_of(kind))
      return 1;
  return 0;
}

int dxfLibOutput::encode(const utString& text, std::string& bytes) const {
  bytes.assign(text.c_str(), text.length());
  bool plain = true;
  for (char c : bytes) {
    auto u = static_cast<unsigned char>(c);
    plain = plain && (u < 0x80 || code_page_ == 0) && (u >= 0x20 || c == '\t' || c == '\n') &&
            c != '\\';
  }
  if (plain)
    return 1;
  charcoDynArr utf8;
  dxfCodePageText(text).convert(kapSTRING_UTF8, utf8);
  std::string_view characters(utf8.data(), utf8.count());
  while (!characters.empty() && characters.back() == '\0')
    characters.remove_suffix(1);
  encode_characters(characters, 0, bytes);
  // Code-page bytes that read as UTF-8 would be taken for it ("鬪" in code
  // page 932 is UTF-8 for "骂"): such a text is written in escapes alone.
  if (code_page_ != 0 && reads_as_utf8(bytes))
    encode_characters(characters, 1, bytes);
  return 1;
}

void dxfLibOutput::encode_characters(std::string_view characters, int escape_all,
                                     std::string& bytes) const {
  bytes.clear();
  for (size_t at = 0; at < characters.size();) {
    size_t length = utf8_length(characters[at]);
    length = std::min(length, characters.size() - at);
    std::string_view character = characters.substr(at, length);
    if (escape_all && static_cast<unsigned char>(character[0]) >= 0x80)
      bytes += unicode_escape(utf8_code(character));
    else
      encode_character(character, characters.substr(at + length), bytes);
    at += length;
  }
}

void dxfLibOutput::encode_character(std::string_view character, std::string_view rest,
                                    std::string& bytes) const {
  unsigned char lead = static_cast<unsigned char>(character[0]);
  if (lead == '\\') {
    // A backslash that would start an escape is one itself.
    bool escape = rest.size() >= 2 && rest[0] && std::strchr("UuMm", rest[0]) && rest[1] == '+';
    bytes += escape ? "\\U+005C" : "\\";
    return;
  }
  if (lead < 0x20 && lead != '\t' && lead != '\n') {
    // A control character would break the line structure or vanish.
    bytes += unicode_escape(lead);
    return;
  }
  if (lead < 0x80 || code_page_ == 0) {
    bytes.append(character.data(), character.size());
    return;
  }
  utString native =
      kapString(kapSTRING_UTF8, reinterpret_cast<const unsigned char*>(character.data()),
                character.size())
          .string();
  charcoDynArr converted;
  dxfCodePageText(native).to_code_page(code_page_, converted);
  std::string out(converted.data(), converted.count());
  while (!out.empty() && out.back() == '\0')
    out.pop_back();
  // A character the code page lacks does not come back: it is written as
  // the escape every DXF reader knows.
  // A double-byte character whose trail byte is '\\', '^', '{', '}' or '%'
  // would be read as a code: it is escaped too.
  bool code_byte = out.size() > 1 && out.find_first_of("\\{}^%") != std::string::npos;
  if (!out.empty() && !code_byte && dxfCodePageText(code_page_, out).string() == native)
    bytes += out;
  else
    bytes += unicode_escape(utf8_code(character));
}

vorabsTranslationStatus dxfLibOutput::fail(const vorabsAttributeSet& attributes, const char* why) {
  ++failed_;
  utString name = entity_name(attributes);
  if (vorabsOutput* channel = error())
    channel->tprintf("vorabs", "Error : Entity %s has failed: %s.\n",
                     name.empty() ? "without a name" : name.c_str(), why);
  return vorabsTranslationStatus(vorabsSTATUS_FAILED);
}

int dxfLibOutput::properties_of(const vorabsAttributeSet& attributes,
                                dxfEntityProperties& properties) {
  vorabsLayervorabsAttributePtr layer;
  if (attributes.get(vorabsLAYER, layer) && !layer->invalid()) {
    utString name(trimmed_name(layer->name().c_str()).c_str());
    if (name.empty())
      name = utString("") << layer->layer();
    if (forbidden_in_name(name.c_str()) || !encode(name, properties.layer)) {
      fail(attributes, "its layer name cannot be written in DXF");
      return 0;
    }
    dxfLayerRecord record;
    record.name = properties.layer;
    record.order = layer->layer();
    drawing().add_layer(record);
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
    if (forbidden_in_name(font->name().c_str()) || !encode(font->name(), name)) {
      fail(attributes, "its linetype name cannot be written in DXF");
      return 0;
    }
    dxfLinetypeRecord linetype{name, name, {}};
    int visible = font->first_visible();
    for (int i = 0; i < font->num_segments(); ++i, visible = !visible)
      linetype.pattern.push_back(visible ? font->segment_length(i) : -font->segment_length(i));
    // The same linetype drawn at another scale is written as that scale of
    // the pattern written first.
    if (const std::vector<double>* first = drawing().linetype_pattern(name))
      properties.linetype_scale = pattern_scale(*first, linetype.pattern);
    else
      drawing().add_linetype(linetype);
    properties.linetype = name;
  }
  doublevorabsAttributePtr width;
  if (attributes.get(vorabsLINEWIDTH, width) && std::isfinite(*width) && *width >= 0)
    properties.lineweight = nearest_lineweight(*width);
  utBoolvorabsAttributePtr visible;
  if (attributes.get(vorabsVISIBLE, visible) && !*visible)
    properties.invisible = 1;
  extended_data(attributes, properties);
  return 1;
}

void dxfLibOutput::extended_data(const vorabsAttributeSet& attributes,
                                 dxfEntityProperties& properties) const {
  kapPropertiesvorabsAttributePtr given;
  if (!attributes.get(vorabsPROPERTIES, given) || given->invalid())
    return;
  const kapPropertyPtrArray& all = *given->properties();
  for (int i = 0; i < all.num_properties(); ++i) {
    kapPropertycoPrf property = all.read(i);
    // Only what the reader took from extended data goes back there; an
    // application name DXF cannot hold is no application.
    if (property.invalid() || property->type() != utString(dxf_extended_data_type) ||
        forbidden_in_name(property->title().c_str()))
      continue;
    dxfExtendedData data;
    encode(property->title(), data.application);
    std::string values;
    encode(property->value(), values);
    // The reader joins an application's values with "; ".
    for (size_t at = 0; !values.empty() && at != std::string::npos;) {
      size_t next = values.find("; ", at);
      data.values.push_back(values.substr(at, next == std::string::npos ? next : next - at));
      at = next == std::string::npos ? next : next + 2;
    }
    properties.xdata.push_back(std::move(data));
  }
}

vorabsTranslationStatus dxfLibOutput::accept(pending&& entity,
                                             const vorabsAttributeSet& attributes) {
  if (!properties_of(attributes, entity.properties))
    return vorabsTranslationStatus(vorabsSTATUS_FAILED);
  ++written_;
  if (!attributes.member(vorabsCHILDITEM)) {
    emit(drawing().model_space(), entity);
    state_->current = annNamedItemPtr();
    return vorabsTranslationStatus(vorabsSTATUS_OK);
  }
  // The compound being built holds a stand-in; the entity is written with it.
  annNamedItemPtr stand_in =
      entity.kind == pending::ITEM
          ? entity.item
          : annNamedItemPtr(
                make_annCurveItem(&state_->document, utString("dxf"), entity_name(attributes)));
  state_->children[stand_in.pointer()] = std::move(entity);
  state_->current = stand_in;
  return vorabsTranslationStatus(vorabsSTATUS_OK);
}

void dxfLibOutput::emit(int space, const pending& entity) {
  dxfDrawingWriter& d = drawing();
  switch (entity.kind) {
  case pending::CURVE:
    emit_curve(space, entity.curve, entity.kind_word, entity.properties, entity.widths);
    break;
  case pending::POINT:
    d.begin_entity(space, "POINT", entity.properties);
    d.tags(space).tag(100, "AcDbPoint");
    d.tags(space).point(10, entity.point.x, entity.point.y, entity.point.z);
    d.extend(entity.point.x, entity.point.y, entity.point.z);
    break;
  case pending::TRIBLOCK:
    emit_triblock(space, *entity.block, entity.kind_word, entity.properties);
    break;
  case pending::ITEM:
    emit_item(space, entity.item, entity.properties);
    break;
  }
}

void dxfLibOutput::emit_curve(int space, const velCurvePtr3& curve, const std::string& kind,
                              const dxfEntityProperties& properties,
                              const dxfSegmentWidths& widths) {
  dxfDrawingWriter& d = drawing();
  dxfTagWriter& tags = d.tags(space);
  double t0, t1;
  curve->parameter_range(t0, t1);
  if (auto* line = dynamic_cast<const velLine3*>(curve.pointer())) {
    d.begin_entity(space, "LINE", properties);
    tags.tag(100, "AcDbLine");
    tags.point(10, line->start().x, line->start().y, line->start().z);
    tags.point(11, line->end().x, line->end().y, line->end().z);
  } else if (auto* arc = dynamic_cast<const velCircArc3*>(curve.pointer())) {
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
      tags.real(50, degrees_in_turn(offset + arc->start_angle()));
      tags.real(51, degrees_in_turn(offset + arc->end_angle()));
    }
  } else if (auto* polyline = dynamic_cast<const velPolyline3*>(curve.pointer())) {
    emit_polyline(space, *polyline, kind, properties, widths);
  } else if (auto* ellipse = dynamic_cast<const velEllipse3*>(curve.pointer())) {
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
    const auto& points = spline->control_points();
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
    auto* plane = static_cast<const velPlane*>(on->surface().pointer());
    std::vector<dxfBulgeVertex> vertices;
    bulge_vertices(on->curve(), *plane, vertices);
    join_pieces(vertices);
    const giWorkplane3& frame = plane->workplane();
    dxfOcs ocs(cross(frame.u_vector(), frame.v_vector()));
    int closed = vertices.size() > 2 && near(vertices.back().point, vertices.front().point);
    if (closed)
      vertices.pop_back();
    d.begin_entity(space, "LWPOLYLINE", properties);
    tags.tag(100, "AcDbPolyline");
    tags.integer(90, static_cast<long long>(vertices.size()));
    tags.integer(70, closed);
    write_constant_width(tags, widths);
    tags.real(38, ocs.of(as_vector(frame.origin())).z);
    for (size_t i = 0; i < vertices.size(); ++i) {
      giVector3 p = ocs.of(as_vector(vertices[i].point));
      tags.point2(10, p.x, p.y);
      write_vertex_widths(tags, widths, vertices.size(), closed, i);
      if (vertices[i].bulge != 0.0)
        tags.real(42, vertices[i].bulge);
    }
    write_extrusion(tags, ocs.z);
  }
  d.extend(curve->position(t0).x, curve->position(t0).y, curve->position(t0).z);
  d.extend(curve->position(t1).x, curve->position(t1).y, curve->position(t1).z);
}

void dxfLibOutput::emit_polyline(int space, const velPolyline3& polyline, const std::string& kind,
                                 const dxfEntityProperties& properties,
                                 const dxfSegmentWidths& widths) {
  dxfDrawingWriter& d = drawing();
  dxfTagWriter& tags = d.tags(space);
  int n = polyline.num_points();
  bool flat = true;
  for (int i = 0; i < n; ++i) {
    d.extend(polyline.point(i).x, polyline.point(i).y, polyline.point(i).z);
    flat = flat && polyline.point(i).z == polyline.point(0).z;
  }
  // A chain that ends where it starts is written closed, without the repeat.
  int closed = n > 3 && near(polyline.point(n - 1), polyline.point(0));
  int vertices = closed ? n - 1 : n;
  // An entity read as a light-weight polyline or a spline through fit
  // points reaches the writer as a polyline; its name says which it was.
  // A flat POLYLINE drawn wide is written as the light-weight polyline that
  // holds its widths.
  if ((kind == "LWPOLYLINE" || (kind == "POLYLINE" && !widths.empty())) && flat) {
    d.begin_entity(space, "LWPOLYLINE", properties);
    tags.tag(100, "AcDbPolyline");
    tags.integer(90, vertices);
    tags.integer(70, closed);
    write_constant_width(tags, widths);
    tags.real(38, polyline.point(0).z);
    for (int i = 0; i < vertices; ++i) {
      tags.point2(10, polyline.point(i).x, polyline.point(i).y);
      write_vertex_widths(tags, widths, size_t(vertices), closed, size_t(i));
    }
    return;
  }
  if (kind == "SPLINE" && n >= 2) {
    d.begin_entity(space, "SPLINE", properties);
    tags.tag(100, "AcDbSpline");
    tags.integer(70, 0);
    tags.integer(71, 3);
    tags.integer(72, 0);
    tags.integer(73, 0);
    tags.integer(74, n);
    for (int i = 0; i < n; ++i)
      tags.point(11, polyline.point(i).x, polyline.point(i).y, polyline.point(i).z);
    return;
  }
  std::uint64_t owner = d.begin_entity(space, "POLYLINE", properties);
  tags.tag(100, "AcDb3dPolyline");
  tags.integer(66, 1);
  tags.point(10, 0, 0, 0);
  tags.integer(70, 8 | closed);
  for (int i = 0; i < vertices; ++i) {
    d.begin_child(space, "VERTEX", owner, properties);
    tags.tag(100, "AcDbVertex");
    tags.tag(100, "AcDb3dPolylineVertex");
    tags.point(10, polyline.point(i).x, polyline.point(i).y, polyline.point(i).z);
    tags.integer(70, 32);
  }
  d.begin_child(space, "SEQEND", owner, properties);
}

void dxfLibOutput::emit_triblock(int space, const giTriBlock& block, const std::string& kind,
                                 const dxfEntityProperties& properties) {
  const giNodeXYZ& nodes = *block.find_feature<giNodeXYZ>();
  const giTriArr& triangles = *block.find_feature<giTriArr>();
  dxfDrawingWriter& d = drawing();
  dxfTagWriter& tags = d.tags(space);
  for (size_t i = 0; i < nodes.size(); ++i)
    d.extend(nodes[i].x, nodes[i].y, nodes[i].z);
  if (is_face(nodes, triangles) && kind == "SOLID" && nodes[0].z == nodes[1].z &&
      nodes[0].z == nodes[2].z && nodes[0].z == nodes[3].z) {
    // A SOLID lists its corners in zigzag order: the last two swap.
    d.begin_entity(space, "SOLID", properties);
    tags.tag(100, "AcDbTrace");
    for (int i = 0; i < 4; ++i) {
      const giPoint3& p = nodes[size_t(i < 2 ? i : 5 - i)];
      tags.point(10 + i, p.x, p.y, p.z);
    }
    return;
  }
  if (is_face(nodes, triangles)) {
    d.begin_entity(space, "3DFACE", properties);
    tags.tag(100, "AcDbFace");
    for (int i = 0; i < 4; ++i)
      tags.point(10 + i, nodes[size_t(i)].x, nodes[size_t(i)].y, nodes[size_t(i)].z);
    return;
  }
  std::uint64_t owner = d.begin_entity(space, "POLYLINE", properties);
  tags.tag(100, "AcDbPolyFaceMesh");
  tags.integer(66, 1);
  tags.point(10, 0, 0, 0);
  tags.integer(70, 64);
  tags.integer(71, static_cast<long long>(nodes.size()));
  tags.integer(72, static_cast<long long>(triangles.size()));
  for (size_t i = 0; i < nodes.size(); ++i) {
    d.begin_child(space, "VERTEX", owner, properties);
    tags.tag(100, "AcDbVertex");
    tags.tag(100, "AcDbPolyFaceMeshVertex");
    tags.point(10, nodes[i].x, nodes[i].y, nodes[i].z);
    tags.integer(70, 192);
  }
  for (size_t i = 0; i < triangles.size(); ++i) {
    d.begin_child(space, "VERTEX", owner, properties);
    tags.tag(100, "AcDbVertex");
    tags.tag(100, "AcDbFaceRecord");
    tags.point(10, 0, 0, 0);
    tags.integer(70, 128);
    tags.integer(71, triangles[i].a + 1);
    tags.integer(72, triangles[i].b + 1);
    tags.integer(73, triangles[i].c + 1);
  }
  d.begin_child(space, "SEQEND", owner, properties);
}

int dxfLibOutput::block_of(const annNamedItemPtr& item, const char* anonymous) {
  auto known = state_->blocks.find(item.pointer());
  if (known != state_->blocks.end())
    return known->second;
  dxfDrawingWriter& d = drawing();
  std::string name;
  encode(utString(block_name_of(item->name().c_str()).c_str()), name);
  // A dimension's block is anonymous: *D and a number.
  if (anonymous && name.compare(0, 2, anonymous) != 0)
    name = anonymous + std::to_string(++anonymous_count_);
  // Groups of the same name (one block under several inherited looks)
  // each get a block of their own.
  std::string unique = name;
  for (int n = 2; d.find_block(unique) >= 0; ++n)
    unique = name + "_" + std::to_string(n);
  int space = d.add_block(unique, 0, 0, 0);
  state_->blocks.emplace(item.pointer(), space);
  state_->kept.push_back(item);
  const annGroup* group = annGroup::sto_dynamic_cast(item.pointer());
  for (const annGeometryItemannPtr& member : group->get_group_geometry()) {
    auto child = state_->children.find(member.pointer());
    if (child != state_->children.end())
      emit(space, child->second);
  }
  return space;
}

annNamedItemPtr dxfLibOutput::drawn_block(const annNamedItemPtr& item) const {
  // A group that holds one block definition (an insert, a dimension) draws
  // that block; any other group is a block of its own members.
  const auto& members = annGroup::sto_dynamic_cast(item.pointer())->get_group_geometry();
  if (members.size() == 1) {
    const annGroup* inner = annGroup::sto_dynamic_cast(members[0].pointer());
    if (inner && unplaced(*inner) && state_->children.count(inner))
      return members[0];
  }
  return item;
}

void dxfLibOutput::emit_dimension(int space, const annNamedItemPtr& item,
                                  const dxfEntityProperties& properties) {
  // Its geometry is a block of its own.
  int block = block_of(drawn_block(item), "*D");
  int type = dimension_type(item);
  // The defining points, laid out so that a reader finds the dimension's
  // own point again: the centre of a radius at 10, of a diameter halfway
  // from 10 to 15, the vertex of an angle at 15 with its radius to 10,
  // the origin of an ordinate at 10.
  giPoint3 at(0, 0, 0);
  double radius = 1;
  if (auto* centred = annCentreDimension::sto_dynamic_cast(item.pointer()))
    at = point_of(centred->centre());
  if (auto* angular = annAngularDimension::sto_dynamic_cast(item.pointer())) {
    at = point_of(angular->vertex());
    if (angular->radius() > 0 && std::isfinite(angular->radius()))
      radius = angular->radius();
  }
  if (auto* ordinate = annOrdinateDimension::sto_dynamic_cast(item.pointer()))
    at = point_of(ordinate->origin());
  dxfDrawingWriter& d = drawing();
  dxfTagWriter& tags = d.tags(space);
  d.begin_entity(space, "DIMENSION", properties);
  tags.tag(100, "AcDbDimension");
  tags.tag(2, d.space_name(block));
  giPoint3 p10 = type == 3   ? giPoint3(at.x - radius, at.y, at.z)
                 : type == 5 ? giPoint3(at.x + radius, at.y, at.z)
                             : at;
  tags.point(10, p10.x, p10.y, p10.z);
  tags.point(11, at.x, at.y, at.z);
  tags.integer(70, type | 32);
  tags.tag(1, "");
  tags.tag(3, "Standard");
  switch (type) {
  case 3:
  case 4: {
    tags.tag(100, type == 3 ? "AcDbDiametricDimension" : "AcDbRadialDimension");
    giPoint3 p15 =
        type == 3 ? giPoint3(at.x + radius, at.y, at.z) : giPoint3(at.x + radius, at.y, at.z);
    tags.point(15, p15.x, p15.y, p15.z);
    tags.real(40, 0);
    break;
  }
  case 5:
    tags.tag(100, "AcDb3PointAngularDimension");
    tags.point(13, at.x + radius, at.y, at.z);
    tags.point(14, at.x, at.y + radius, at.z);
    tags.point(15, at.x, at.y, at.z);
    break;
  case 6:
    tags.tag(100, "AcDbOrdinateDimension");
    tags.point(13, at.x, at.y, at.z);
    tags.point(14, at.x, at.y, at.z);
    break;
  default:
    tags.tag(100, "AcDbAlignedDimension");
    tags.point(13, at.x, at.y, at.z);
    tags.point(14, at.x, at.y, at.z);
    tags.real(50, 0);
    tags.tag(100, "AcDbRotatedDimension");
    break;
  }
}

void dxfLibOutput::emit_group(int space, const annNamedItemPtr& item,
                              const dxfEntityProperties& properties) {
  const annGroup* group = annGroup::sto_dynamic_cast(item.pointer());
  const auto& members = group->get_group_geometry();
  // An insert with attributes: a group where it was defined, holding the
  // placed insert and the attribute texts.
  std::vector<const annTextGeometry*> attributes;
  const annGroup* cell = nullptr;
  annNamedItemPtr cell_item;
  for (const annGeometryItemannPtr& member : members) {
    auto* text = annTextGeometry::sto_dynamic_cast(member.pointer());
    auto* inner = annGroup::sto_dynamic_cast(member.pointer());
    if (text && std::string(text->name().c_str()).compare(0, 6, "ATTRIB") == 0)
      attributes.push_back(text);
    else if (inner && !cell && state_->children.count(inner))
      cell = inner, cell_item = member;
    else
      cell = nullptr, attributes.clear();
  }
  if (unplaced(*group) && cell && !attributes.empty() && attributes.size() + 1 == members.size()) {
    std::uint64_t insert = emit_insert(space, cell_item, properties, 1);
    for (const annTextGeometry* text : attributes)
      emit_attribute(space, insert, *text, state_->children[text].properties);
    drawing().begin_child(space, "SEQEND", insert, properties);
    return;
  }
  emit_insert(space, item, properties, 0);
}

std::uint64_t dxfLibOutput::emit_insert(int space, const annNamedItemPtr& item,
                                        const dxfEntityProperties& properties, int attributes) {
  const annGroup* group = annGroup::sto_dynamic_cast(item.pointer());
  // Placed by the group's transform (or where it is, when the geometry was
  // moved into place already).
  const annSPT* spt = group->transform().invalid() ? nullptr : group->transform().pointer();
  int block = block_of(drawn_block(item));
  dxfDrawingWriter& d = drawing();
  dxfTagWriter& tags = d.tags(space);
  std::uint64_t handle = d.begin_entity(space, "INSERT", properties);
  tags.tag(100, "AcDbBlockReference");
  if (attributes)
    tags.integer(66, 1);
  tags.tag(2, d.space_name(block));
  giWorkplane3 frame(giWorkplaneWorld);
  double scale = 1.0;
  if (spt) {
    frame = spt->workplane();
    scale = spt->scale();
  }
  dxfOcs ocs(frame.normal());
  giVector3 at = ocs.of(as_vector(frame.origin()));
  giVector3 u = ocs.of(frame.u_vector());
  // A mirrored frame has v against normal x u: the y scale turns over.
  double handedness = dot(cross(frame.normal(), frame.u_vector()), frame.v_vector()) < 0 ? -1 : 1;
  tags.point(10, at.x, at.y, at.z);
  tags.real(41, scale);
  tags.real(42, scale * handedness);
  tags.real(43, scale);
  tags.real(50, std::atan2(u.y, u.x) * 180 / pi);
  write_extrusion(tags, ocs.z);
  return handle;
}

namespace {

// The groups of a TEXT or ATTRIB from its position (10) to its extrusion;
// characters: its value as written.
void write_line_text(dxfTagWriter& tags, const annTextGeometry& text, const std::string& characters,
                     const std::string& style, const dxfTextLayout& layout, const dxfOcs& ocs) {
  const giWorkplane3& frame = text.lcs()->workplane();
  giVector3 at = ocs.of(as_vector(frame.origin()));
  giVector3 u = ocs.of(frame.u_vector());
  // A mirrored frame is a text written backwards (71 = 2): its rotation is
  // that of the baseline before the mirror.
  const int backwards = dot(cross(frame.normal(), frame.u_vector()), frame.v_vector()) < 0 ? 1 : 0;
  if (backwards)
    u = giVector3(-u.x, -u.y, -u.z);
  double height = text.font()->height();
  int h72 = layout.text_72(), v73 = layout.text_73();
  // A fitted text runs from its origin (10) to the end of its baseline
  // (11); any other aligned text is placed by its alignment point (11),
  // which is also given as 10 for readers that ignore alignment.
  giVector3 end = at;
  if (h72 == 3 || h72 == 5) {
    double length = layout.fit_length * height / std::max(u.length(), 1e-300);
    end = giVector3(at.x + u.x * length, at.y + u.y * length, at.z + u.z * length);
  }
  tags.point(10, at.x, at.y, at.z);
  tags.real(40, height);
  tags.tag(1, characters);
  tags.real(50, std::atan2(u.y, u.x) * 180 / pi);
  if (text.width() > 0)
    tags.real(41, text.width());
  if (layout.oblique != 0.0)
    tags.real(51, layout.oblique);
  if (backwards)
    tags.integer(71, 2);
  tags.tag(7, style);
  if (h72)
    tags.integer(72, h72);
  if (h72 || v73)
    tags.point(11, end.x, end.y, end.z);
  write_extrusion(tags, ocs.z);
}

// An MTEXT's background settings: its frame (16, which files before R2007
// cannot hold) and its fill (from R2004) in a colour (1), the nearest ACI
// beside the true one, or in the drawing's background colour (3).
void write_background(dxfTagWriter& tags, const dxfTextLayout& layout, const std::string& version) {
  int flags = layout.frame >= 0.0 && version >= "AC1021" ? 16 : 0;
  const std::string& colour = layout.background;
  if (!colour.empty() && version >= "AC1018")
    flags |= colour == "canvas" ? 3 : 1;
  if (!flags)
    return;
  tags.integer(90, flags);
  if ((flags & 3) == 1) {
    // "foreground" is ACI 7; "#RRGGBB" its nearest ACI, and itself beside
    // it when that is not the same.
    int aci = 7;
    long rgb = -1;
    if (colour[0] == '#') {
      rgb = std::strtol(colour.c_str() + 1, nullptr, 16);
      aci = aci_of(double(rgb >> 16) / 255, double((rgb >> 8) & 255) / 255, double(rgb & 255) / 255,
                   0);
      double red, green, blue;
      dxfTables::aci_rgb(aci, red, green, blue);
      if (true_colour(red, green, blue) == rgb)
        rgb = -1;
    }
    tags.integer(63, aci);
    if (rgb >= 0)
      tags.integer(421, rgb);
  }
  tags.real(45, 1.0 + (flags & 3 ? layout.background_gap : layout.frame));
  if (flags & 3)
    tags.integer(441, 0);
}

} // namespace

void dxfLibOutput::emit_attribute(int space, std::uint64_t insert, const annTextGeometry& text,
                                  const dxfEntityProperties& properties) {
  const dxfTextLayout& layout = layout_of(text);
  const std::string characters = line_value(text, layout);
  const giWorkplane3& frame = text.lcs()->workplane();
  dxfOcs ocs(frame.normal());
  dxfEntityProperties shown = properties;
  shown.invisible = 0; // an attribute is hidden by its own flag
  dxfDrawingWriter& d = drawing();
  dxfTagWriter& tags = d.tags(space);
  d.begin_child(space, "ATTRIB", insert, shown);
  tags.tag(100, "AcDbText");
  write_line_text(tags, text, characters, text_style(*text.font()), layout, ocs);
  tags.tag(100, "AcDbAttribute");
  // The tag is not kept by the reader: attributes are numbered.
  tags.tag(2, "ATTRIBUTE" + std::to_string(++attribute_count_));
  tags.integer(70, properties.invisible ? 1 : 0);
  if (layout.text_73())
    tags.integer(74, layout.text_73());
}

vorabsTranslationStatus dxfLibOutput::curve3(const velCurvePtr3& curve,
                                             const vorabsAttributeSet& attributes) {
  if (const char* why = curve_fault(curve))
    return fail(attributes, why);
  pending entity{
      pending::CURVE,           {}, curve, {}, {}, {}, first_word(entity_name(attributes)),
      dxf_widths_of(attributes)};
  return accept(std::move(entity), attributes);
}

vorabsTranslationStatus dxfLibOutput::point3(const giPoint3& point,
                                             const vorabsAttributeSet& attributes) {
  if (!finite(point))
    return fail(attributes, "its coordinates are not finite");
  pending entity{pending::POINT, {}, {}, point, {}, {}, {}, {}};
  return accept(std::move(entity), attributes);
}

vorabsTranslationStatus dxfLibOutput::triblock(const giTriBlock& block,
                                               const vorabsAttributeSet& attributes) {
  if (const char* why = triblock_fault(block))
    return fail(attributes, why);
  pending entity{pending::TRIBLOCK,
                 {},
                 {},
                 {},
                 std::make_shared<giTriBlock>(block),
                 {},
                 first_word(entity_name(attributes)),
                 {}};
  return accept(std::move(entity), attributes);
}

void dxfLibOutput::emit_item(int space, const annNamedItemPtr& item,
                             const dxfEntityProperties& properties) {
  if (auto* text = annTextGeometry::sto_dynamic_cast(item.pointer()))
    emit_text(space, *text, properties, layout_of(*text));
  else if (auto* fill = annFillArea::sto_dynamic_cast(item.pointer()))
    emit_hatch(space, *fill, nullptr, properties);
  else if (const annFillArea* placed = placed_fill_area(item))
    emit_hatch(space, *placed, annGroup::sto_dynamic_cast(item.pointer())->transform().pointer(),
               properties);
  else if (auto* cloud = annPointCloud::sto_dynamic_cast(item.pointer()))
    emit_points(space, *cloud, properties);
  else if (state_->tolerances.count(item.pointer()))
    emit_tolerance(space, item, state_->tolerances[item.pointer()], properties);
  else if (dimension_type(item) >= 0)
    emit_dimension(space, item, properties);
  else if (annGroup::sto_dynamic_cast(item.pointer()))
    emit_group(space, item, properties);
  else if (auto* sheet = annPresentation::sto_dynamic_cast(item.pointer()))
    if (!annView::sto_dynamic_cast(item.pointer())) // views go with their drawing
      emit_drawing(*sheet);
}

std::string dxfLibOutput::text_style(const annTextFont& font) {
  std::string family, file, name;
  encode(font.family_name(), family);
  encode(font.font_file(), file);
  std::string given = !font.family_name().empty() ? font.family_name().c_str()
                      : !font.font_file().empty() ? font.font_file().c_str()
                                                  : "Standard";
  if (font.bold())
    given += " Bold";
  if (font.italic())
    given += " Italic";
  encode(utString(block_name_of(given).c_str()), name);
  if (name != "Standard")
    drawing().add_text_style({name, file, family, font.bold(), font.italic()});
  return name;
}

void dxfLibOutput::emit_text(int space, const annTextGeometry& text,
                             const dxfEntityProperties& properties, const dxfTextLayout& layout) {
  std::string characters;
  encode(text.text()->text(), characters);
  const giWorkplane3& frame = text.lcs()->workplane();
  const annTextFont& font = *text.font();
  std::string style = text_style(font);
  dxfDrawingWriter& d = drawing();
  dxfTagWriter& tags = d.tags(space);
  const giPoint3& o = frame.origin();
  d.extend(o.x, o.y, o.z);
  std::string name = text.name().c_str();
  bool mtext = layout.paragraph || characters.find('\n') != std::string::npos ||
               name.compare(0, 5, "MTEXT") == 0;
  if (mtext) {
    d.begin_entity(space, "MTEXT", properties);
    tags.tag(100, "AcDbMText");
    tags.point(10, o.x, o.y, o.z);
    tags.real(40, font.height());
    tags.real(41, text.width());
    // A line of text that becomes a paragraph is attached at its bottom.
    tags.integer(71, layout.mtext_attachment());
    tags.integer(72, 1);
    std::string escaped = mtext_markup(text, layout);
    // Long texts go in pieces of 250 bytes, the last one under code 1.
    size_t at = 0;
    for (; escaped.size() - at > 250; at += 250)
      tags.tag(3, escaped.substr(at, 250));
    tags.tag(1, escaped.substr(at));
    tags.tag(7, style);
    write_extrusion(tags, frame.normal());
    tags.point(11, frame.u_vector().x, frame.u_vector().y, frame.u_vector().z);
    if (layout.line_spacing != 1.0) {
      tags.integer(73, 1);
      tags.real(44, layout.line_spacing);
    }
    write_background(tags, layout, d.version());
    return;
  }
  dxfOcs ocs(frame.normal());
  d.begin_entity(space, "TEXT", properties);
  tags.tag(100, "AcDbText");
  write_line_text(tags, text, line_value(text, layout), style, layout, ocs);
  tags.tag(100, "AcDbText");
  if (layout.text_73())
    tags.integer(73, layout.text_73());
}

void dxfLibOutput::keep_layout(const annTextGeometry& text, dxfTextLayout&& layout) {
  if (layout.horizontal == dxfTextLayout::LEFT && layout.vertical == dxfTextLayout::BASELINE &&
      !layout.paragraph && layout.markup.is_null() && layout.runs.empty() && layout.oblique == 0.0)
    state_->layouts.erase(&text);
  else
    state_->layouts[&text] = std::move(layout);
}

const dxfTextLayout& dxfLibOutput::layout_of(const annTextGeometry& text) const {
  static const dxfTextLayout line;
  auto found = state_->layouts.find(&text);
  return found == state_->layouts.end() ? line : found->second;
}

std::string dxfLibOutput::mtext_markup(const annTextGeometry& text,
                                       const dxfTextLayout& layout) const {
  std::string bytes;
  // The markup read with the text, while the text is still what it says.
  if (!layout.markup.empty()) {
    static const dxfTextDecoder utf8("AC1032", "");
    std::string_view raw(layout.markup.c_str(), layout.markup.length());
    if (utf8.decode_text(raw, 1) == text.text()->text() && encode(layout.markup, bytes))
      return bytes;
  }
  encode(text.text()->text(), bytes);
  return mtext_escaped(bytes);
}

std::string dxfLibOutput::line_value(const annTextGeometry& text,
                                     const dxfTextLayout& layout) const {
  // Each piece is escaped on its own, a '%' at its end too when codes
  // follow it, so that no code is taken for what the user typed.
  const auto pieces = layout.line_pieces(text.text()->text().c_str());
  std::string value;
  for (size_t i = 0; i < pieces.size(); ++i) {
    std::string bytes;
    encode(utString(pieces[i].second.c_str()), bytes);
    const bool coded_next = i + 1 < pieces.size();
    std::string escaped = text_escaped(coded_next ? bytes + "%" : bytes);
    if (coded_next)
      escaped.pop_back();
    value += pieces[i].first + escaped;
  }
  return value;
}

void dxfLibOutput::emit_hatch(int space, const annFillArea& fill, const annSPT* place,
                              const dxfEntityProperties& properties) {
  auto pattern = state_->patterns.find(&fill);
  dxf_write_hatch(drawing(), space, fill, place, properties,
                  pattern == state_->patterns.end() ? nullptr : &pattern->second);
}

void dxfLibOutput::emit_points(int space, const annPointCloud& cloud,
                               const dxfEntityProperties& properties) {
  const giNodeXYZ& nodes = *cloud.data()->find_feature<giNodeXYZ>();
  dxfDrawingWriter& d = drawing();
  for (size_t i = 0; i < nodes.size(); ++i) {
    d.begin_entity(space, "POINT", properties);
    d.tags(space).tag(100, "AcDbPoint");
    d.tags(space).point(10, nodes[i].x, nodes[i].y, nodes[i].z);
    d.extend(nodes[i].x, nodes[i].y, nodes[i].z);
  }
}

void dxfLibOutput::emit_drawing(const annPresentation& sheet) {
  dxfDrawingWriter& d = drawing();
  std::string name;
  if (forbidden_in_name(sheet.name().c_str()) || !encode(sheet.name(), name))
    name = "Layout" + std::to_string(++layout_count_);
  int space = d.add_layout(name, sheet.paper_width(), sheet.paper_height());
  for (size_t i = 0; i < sheet.num_geometry(); ++i) {
    auto child = state_->children.find(sheet.member(i));
    if (child != state_->children.end())
      emit(space, child->second);
  }
  for (size_t i = 0; i < sheet.num_presentations(); ++i)
    if (const annView* view = annView::sto_dynamic_cast(sheet.presentation(i).pointer())) {
      auto child = state_->children.find(view);
      emit_viewport(space, *view, int(i) + 2,
                    child == state_->children.end() ? dxfEntityProperties()
                                                    : child->second.properties);
    }
}

void dxfLibOutput::emit_viewport(int space, const annView& view, int id,
                                 const dxfEntityProperties& properties) {
  const annSPT* spt = annSPT::sto_dynamic_cast(view.transform().pointer());
  const giBox3& box = view.box();
  if (!spt || box.invalid() || !(spt->scale() > 0))
    return;
  // The view shows model space placed on the sheet by its transform: the
  // model point at the view centre lands at the middle of the box.
  double cx = (box.min().x + box.max().x) / 2, cy = (box.min().y + box.max().y) / 2;
  double width = box.max().x - box.min().x, height = box.max().y - box.min().y;
  double scale = spt->scale();
  const giPoint3& origin = spt->workplane().origin();
  dxfDrawingWriter& d = drawing();
  dxfTagWriter& tags = d.tags(space);
  d.begin_entity(space, "VIEWPORT", properties);
  tags.tag(100, "AcDbViewport");
  tags.point(10, cx, cy, 0);
  tags.real(40, width);
  tags.real(41, height);
  tags.integer(68, 1);
  tags.integer(69, id);
  tags.point2(12, (cx - origin.x) / scale, (cy - origin.y) / scale);
  tags.point2(13, 0, 0);
  tags.point2(14, 10, 10);
  tags.point2(15, 10, 10);
  tags.point(16, 0, 0, 1);
  tags.point(17, 0, 0, 0);
  tags.real(42, 50);
  tags.real(43, 0);
  tags.real(44, 0);
  tags.real(45, height / scale);
  tags.real(50, 0);
  tags.real(51, 0);
  tags.integer(72, 1000);
  tags.integer(90, 32864);
}

vorabsTranslationStatus dxfLibOutput::annotation(const annNamedItemPtr& item,
                                                 const vorabsAttributeSet& attributes) {
  if (item.invalid())
    return fail(attributes, "the annotation item is empty");
  if (annLight::sto_dynamic_cast(item.pointer())) {
    // A light item holds its kind and name only: nothing to place a LIGHT by.
    if (vorabsOutput* channel = output())
      channel->tprintf("vorabs", "Ignoring light %s: lights are not written in DXF.\n",
                       entity_name(attributes).c_str());
    return vorabsTranslationStatus(vorabsSTATUS_IGNORED);
  }
  if (const char* why = item_fault(item))
    return fail(attributes, why);
  if (const annPresentation* sheet = annPresentation::sto_dynamic_cast(item.pointer())) {
    // A view is written as a viewport of the drawing that holds it.
    int view = annView::sto_dynamic_cast(item.pointer()) != nullptr;
    if (view && !attributes.member(vorabsCHILDITEM))
      return fail(attributes, "a view is written only as part of its drawing");
    if (view)
      return accept({pending::ITEM, {}, {}, {}, {}, item, {}, {}}, attributes);
    emit_drawing(*sheet);
    ++written_;
    state_->current = annNamedItemPtr();
    return vorabsTranslationStatus(vorabsSTATUS_OK);
  }
  note_tolerance(item, attributes);
  const annNamedItem* fill = annFillArea::sto_dynamic_cast(item.pointer());
  if (!fill)
    fill = placed_fill_area(item);
  dxfFillPattern pattern;
  if (fill && dxf_fill_pattern(attributes, pattern)) {
    state_->patterns[fill] = std::move(pattern);
    state_->noted.push_back(item);
  }
  pending entity{pending::ITEM, {}, {}, {}, {}, item, {}, {}};
  if (auto* text = annTextGeometry::sto_dynamic_cast(item.pointer()))
    keep_layout(*text, dxfTextLayout::of_attributes(attributes));
  return accept(std::move(entity), attributes);
}

void dxfLibOutput::note_tolerance(const annNamedItemPtr& item,
                                  const vorabsAttributeSet& attributes) {
  if (!gdtGeometricToleranceBase::sto_dynamic_cast(item.pointer()))
    return;
  std::string characteristics, zone;
  vorabsAttributePtr<kapProperties> properties;
  if (attributes.get(vorabsPROPERTIES, properties) && !properties->invalid())
    for (int i = 0; i < properties->properties()->num_properties(); ++i) {
      kapPropertycoPrf p = properties->properties()->read(i);
      std::string title = p->title().c_str();
      if (title == "characteristic")
        characteristics = p->value().c_str();
      else if (title == "projected tolerance zone")
        zone = p->value().c_str();
    }
  std::string text = dxf_tolerance_text(*item, characteristics, zone);
  std::string bytes;
  if (!text.empty() && encode(utString(text.c_str()), bytes)) {
    state_->tolerances[item.pointer()] = bytes;
    state_->noted.push_back(item);
  }
}

// A TOLERANCE at the origin of the group's placement, along its x axis.
void dxfLibOutput::emit_tolerance(int space, const annNamedItemPtr& item, const std::string& text,
                                  const dxfEntityProperties& properties) {
  const annGroup* group = annGroup::sto_dynamic_cast(item.pointer());
  giWorkplane3 frame(giWorkplaneWorld);
  if (group->transform().pointer())
    frame = group->transform()->workplane();
  const giPoint3& o = frame.origin();
  const giVector3& u = frame.u_vector();
  dxfDrawingWriter& d = drawing();
  dxfTagWriter& tags = d.tags(space);
  d.extend(o.x, o.y, o.z);
  d.begin_entity(space, "TOLERANCE", properties);
  tags.tag(100, "AcDbFcf");
  tags.tag(3, "Standard");
  tags.point(10, o.x, o.y, o.z);
  tags.tag(1, text);
  write_extrusion(tags, frame.normal());
  tags.point(11, u.x, u.y, u.z);
}

vorabsTranslationStatus dxfLibOutput::workplane3(const giWorkplane3& workplane,
                                                 const vorabsAttributeSet& attributes) {
  if (workplane.invalid() || !finite(workplane.origin()) || !finite(workplane.u_vector()) ||
      !finite(workplane.v_vector()))
    return fail(attributes, "its coordinates are not finite");
  std::string name;
  utString given = entity_name(attributes);
  if (given.empty() || forbidden_in_name(given.c_str()) || !encode(given, name))
    name = "UCS" + std::to_string(++ucs_count_);
  const giPoint3& o = workplane.origin();
  const giVector3 &u = workplane.u_vector(), &v = workplane.v_vector();
  const double origin[3] = {o.x, o.y, o.z}, x[3] = {u.x, u.y, u.z}, y[3] = {v.x, v.y, v.z};
  if (!drawing().add_ucs(name, origin, x, y))
    return fail(attributes, "a UCS of the same name was written before");
  ++written_;
  state_->current = annNamedItemPtr();
  return vorabsTranslationStatus(vorabsSTATUS_OK);
}

int dxfLibOutput::write() {
  vorabsOfStream* out = stream();
  if (!out) {
    if (vorabsOutput* channel = error())
      channel->tprintf("vorabs", "Error : No output file was given.\n");
    return 0;
  }
  dxfDrawingWriter& d = drawing();
  d.set_units(units_);
  // The text goes to the file as it is made, never whole in memory.
  int written = out->open() && d.finish([out](const char* data, size_t size) {
    return size == 0 || out->write(data, size);
  });
  state_->drawing.reset();
  if (!written || !out->commit()) {
    if (vorabsOutput* channel = error())
      channel->tprintf("vorabs", "Error : Cannot write %s: %s.\n", out->path().c_str(),
                       out->error().c_str());
    return 0;
  }
  return 1;
}
