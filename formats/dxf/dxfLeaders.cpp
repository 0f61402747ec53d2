// dxfLeaders.cpp - the context data of MULTILEADERs, LEADER paths and arrowheads, as parts.
#include "dxfLeaders.h"

#include "dxfGeometry.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

const double pi = 3.14159265358979323846;
// Leaders with more vertices than this are drawn straight.
const size_t max_spline_points = 200;

bool finite(const dxfPoint& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

dxfPoint minus(const dxfPoint& a, const dxfPoint& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}

double length(const dxfPoint& v) {
  return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

// A part of owner: its handle, layer and look, of kind.
dxfEntity part(const dxfEntity& owner, dxfKind kind) {
  dxfEntity p;
  p.kind = kind;
  p.part_of = owner.kind;
  p.invisible = owner.invisible;
  p.paper_space = owner.paper_space;
  p.has_handle = owner.has_handle;
  p.handle = owner.handle;
  p.line = owner.line;
  p.layer = owner.layer;
  p.linetype = owner.linetype;
  p.colour = owner.colour;
  p.true_colour = owner.true_colour;
  p.lineweight = owner.lineweight;
  return p;
}

void add_vertex(dxfEntity& e, const dxfPoint& p) {
  dxfVertex v;
  v.x = p.x;
  v.y = p.y;
  v.z = p.z;
  v.flags = 32; // a vertex of a 3D polyline
  e.vertices.push_back(v);
}

// The path through points: a 3D POLYLINE, or a SPLINE through them (ending
// along end_direction where given: then two points make a curve too).
void add_path(dxfEntity& owner, const std::vector<dxfPoint>& points, bool spline,
              const dxfPoint* end_direction = nullptr) {
  std::vector<dxfPoint> distinct;
  for (const dxfPoint& p : points)
    if (finite(p) && (distinct.empty() || length(minus(p, distinct.back())) > 0.0))
      distinct.push_back(p);
  if (distinct.size() < 2)
    return;
  dxfEntity path = part(owner, dxfKind::SPLINE);
  if (spline && distinct.size() > (end_direction ? 1u : 2u) &&
      dxf_interpolating_spline(distinct, path, end_direction)) {
    owner.more().children.push_back(std::move(path));
    return;
  }
  path = part(owner, dxfKind::POLYLINE);
  path.i70 = 8;
  for (const dxfPoint& p : distinct)
    add_vertex(path, p);
  owner.more().children.push_back(std::move(path));
}

// The block of that name read so far (the file's index of blocks is made
// once the whole file is read, after the decoders ran).
const dxfBlock* block_named(const dxfFile& file, const std::string& name) {
  auto same = [&](const std::string& other) {
    if (other.size() != name.size())
      return false;
    for (size_t i = 0; i < name.size(); ++i)
      if (std::toupper((unsigned char)name[i]) != std::toupper((unsigned char)other[i]))
        return false;
    return true;
  };
  for (const dxfBlock& block : file.blocks)
    if (same(block.name))
      return &block;
  return nullptr;
}

// An arrow block's name as the arrowhead it stands for: upper case, the
// leading underscore of the built-in ones dropped ("_Oblique": OBLIQUE).
std::string arrowhead_of(const std::string& block) {
  std::string name;
  for (char c : block)
    name += char(std::toupper((unsigned char)c));
  if (!name.empty() && name[0] == '_')
    name.erase(0, 1);
  return name;
}

// Whether a line runs on to the tip of the arrow named block: marks drawn
// across the line (ticks, small dots, an integral sign) or none at all;
// other arrowheads end where the line begins.
bool line_reaches_tip(const std::string& block) {
  static const char* const across[] = {"NONE",     "OBLIQUE", "ARCHTICK",
                                       "DOTSMALL", "SMALL",   "INTEGRAL"};
  std::string name = arrowhead_of(block);
  for (const char* a : across)
    if (name == a)
      return true;
  return false;
}

// The arrowhead at tip, pointing away from from: an INSERT of the arrow
// block when the file has it, else a closed filled triangle.
void add_arrow(dxfEntity& owner, const dxfFile& file, const dxfPoint& tip, const dxfPoint& from,
               double size, const std::string& block) {
  dxfPoint d = minus(tip, from);
  double l = std::hypot(d.x, d.y);
  if (!(size > 0.0) || !std::isfinite(size) || !(l > 0.0) || !finite(tip))
    return;
  double ux = d.x / l, uy = d.y / l;
  if (!block.empty() && block_named(file, block)) {
    dxfEntity insert = part(owner, dxfKind::INSERT);
    insert.name = block;
    insert.p[0] = tip;
    insert.d41 = insert.d42 = insert.d43 = size;
    insert.scale_given = 7;
    insert.a50 = std::atan2(uy, ux) * 180.0 / pi;
    owner.more().children.push_back(std::move(insert));
    return;
  }
  if (arrowhead_of(block) == "NONE")
    return;
  // As long as its size, enclosing an angle of about 19 degrees.
  dxfEntity solid = part(owner, dxfKind::SOLID);
  double bx = tip.x - ux * size, by = tip.y - uy * size, w = size * 0.164398987;
  solid.p[0] = tip;
  solid.p[1] = {bx - uy * w, by + ux * w, tip.z};
  solid.p[2] = {bx + uy * w, by - ux * w, tip.z};
  solid.p[3] = solid.p[2];
  owner.more().children.push_back(std::move(solid));
}

std::string block_of_record(const dxfFile& file, uint64_t handle) {
  auto found = file.block_records.find(handle);
  return found == file.block_records.end() ? std::string() : found->second;
}

uint64_t hex(const dxfTag& tag) {
  std::string text(tag.value);
  return std::strtoull(text.c_str(), nullptr, 16);
}

void coordinate(dxfPoint& p, const dxfTag& tag) {
  double v = dxf_tag_number(tag);
  (tag.code % 100 < 20 ? p.x : tag.code % 100 < 30 ? p.y : p.z) = v;
}

// One leader of a MULTILEADER: its landing and dogleg, and its lines.
struct Leader {
  dxfPoint landing;
  dxfPoint dogleg;
  double dogleg_length = 0.0;
  int vertical = 0; // attached at the text's top or bottom: no dogleg
  std::vector<std::vector<dxfPoint>> lines;
};

struct Multileader {
  double scale = 1.0; // of the content
  double text_height = 0.0;
  double arrow_size = 0.0;
  std::string text;
  int has_text = 0;
  dxfPoint text_location;
  dxfPoint text_direction{1.0, 0.0, 0.0};
  dxfPoint normal{0.0, 0.0, 1.0};
  double text_width = 0.0;
  double line_spacing = 1.0;
  double landing_gap = 0.0; // between the text and its frame, and its landing
  int text_frame = 0;
  int text_alignment = 1; // 1 left, 2 centre, 3 right
  int has_block = 0;
  uint64_t block = 0;
  dxfPoint block_position;
  dxfPoint block_scale{1.0, 1.0, 1.0};
  double block_rotation = 0.0; // radians
  std::vector<Leader> leaders;
  // The entity's own groups, after the context data.
  int line_type = 1; // 0 none, 1 straight, 2 spline
  int dogleg_enabled = 1;
  uint64_t arrow_block = 0;
  double entity_arrow_size = 0.0;
  int content_type = -1;
  uint64_t block_content = 0;
  std::vector<std::string> attribute_values;
};

// The groups of the context data outside the leaders.
void context_group(Multileader& m, const dxfTag& t) {
  switch (t.code) {
  case 40:
    m.scale = dxf_tag_number(t, 1.0);
    break;
  case 41:
    m.text_height = dxf_tag_number(t);
    break;
  case 140:
    m.arrow_size = dxf_tag_number(t);
    break;
  case 145:
    m.landing_gap = dxf_tag_number(t);
    break;
  case 290:
    m.has_text = dxf_tag_int(t);
    break;
  case 304:
    m.text.assign(t.value.data(), t.value.size());
    break;
  case 11:
  case 21:
  case 31:
    coordinate(m.normal, t);
    break;
  case 12:
  case 22:
  case 32:
    coordinate(m.text_location, t);
    break;
  case 13:
  case 23:
  case 33:
    coordinate(m.text_direction, t);
    break;
  case 43:
    m.text_width = dxf_tag_number(t);
    break;
  case 45:
    m.line_spacing = dxf_tag_number(t, 1.0);
    break;
  case 171:
    m.text_alignment = dxf_tag_int(t, 1, 1, 3);
    break;
  case 296:
    m.has_block = dxf_tag_int(t);
    break;
  case 341:
    m.block = hex(t);
    break;
  case 15:
  case 25:
  case 35:
    coordinate(m.block_position, t);
    break;
  case 16:
  case 26:
  case 36:
    coordinate(m.block_scale, t);
    break;
  case 46:
    m.block_rotation = dxf_tag_number(t);
    break;
  default:
    break;
  }
}

void leader_group(Leader& l, const dxfTag& t) {
  switch (t.code) {
  case 10:
  case 20:
  case 30:
    coordinate(l.landing, t);
    break;
  case 11:
  case 21:
  case 31:
    coordinate(l.dogleg, t);
    break;
  case 40:
    l.dogleg_length = dxf_tag_number(t);
    break;
  case 271:
    l.vertical = dxf_tag_int(t) == 1;
    break;
  default:
    break;
  }
}

void entity_group(Multileader& m, const dxfTag& t) {
  switch (t.code) {
  case 170:
    m.line_type = dxf_tag_int(t, 1, 0, 2);
    break;
  case 291:
    m.dogleg_enabled = dxf_tag_int(t, 1);
    break;
  case 342:
    m.arrow_block = hex(t);
    break;
  case 42:
    m.entity_arrow_size = dxf_tag_number(t);
    break;
  case 172:
    m.content_type = dxf_tag_int(t, -1);
    break;
  case 292:
    m.text_frame = dxf_tag_int(t);
    break;
  case 344:
    m.block_content = hex(t);
    break;
  case 302:
    m.attribute_values.emplace_back(t.value.data(), t.value.size());
    break;
  default:
    break;
  }
}

Multileader read_multileader(const dxfTags& tags) {
  Multileader m;
  enum { ENTITY, CONTEXT, LEADER, LINE } where = ENTITY;
  for (const dxfTag& t : tags) {
    if (where == ENTITY && t.code == 300) {
      where = CONTEXT;
    } else if (where == CONTEXT && t.code == 302) {
      m.leaders.emplace_back();
      where = LEADER;
    } else if (where == CONTEXT && t.code == 301) {
      where = ENTITY;
    } else if (where == LEADER && t.code == 304) {
      m.leaders.back().lines.emplace_back();
      where = LINE;
    } else if (where == LEADER && t.code == 303) {
      where = CONTEXT;
    } else if (where == LINE && t.code == 305) {
      where = LEADER;
    } else if (where == LINE) {
      if (t.code == 10)
        m.leaders.back().lines.back().push_back({dxf_tag_number(t), 0.0, 0.0});
      else if ((t.code == 20 || t.code == 30) && !m.leaders.back().lines.back().empty())
        coordinate(m.leaders.back().lines.back().back(), t);
    } else if (where == LEADER) {
      leader_group(m.leaders.back(), t);
    } else if (where == CONTEXT) {
      context_group(m, t);
    } else {
      entity_group(m, t);
    }
  }
  return m;
}

// The MTEXT of the text content, attached at the top on the side the
// content is aligned to.
void add_text(dxfEntity& owner, const Multileader& m) {
  if (m.text.empty() || !finite(m.text_location))
    return;
  dxfEntity text = part(owner, dxfKind::MTEXT);
  text.text = m.text;
  text.p[0] = m.text_location;
  text.p[1] = m.text_direction;
  text.extrusion = m.normal;
  text.d40 = m.text_height;
  if (m.text_width > 0.0 && m.scale > 0.0 && std::isfinite(m.text_width * m.scale)) {
    text.d41 = m.text_width * m.scale;
    text.scale_given |= 1;
  }
  text.d44 = m.line_spacing;
  text.i71 = m.text_alignment;
  if (m.text_frame) {
    text.more().text_frame = 1;
    text.more().frame_gap = std::isfinite(m.landing_gap) ? std::max(0.0, m.landing_gap) : 0.0;
  }
  owner.more().children.push_back(std::move(text));
}

// The ATTDEFs of a block, in file order.
std::vector<const dxfEntity*> definitions(const dxfBlock& block) {
  std::vector<const dxfEntity*> out;
  for (const dxfEntity& e : block.entities)
    if (e.kind == dxfKind::ATTDEF)
      out.push_back(&e);
  return out;
}

// The attribute of definition with value, placed by the insert.
dxfEntity attribute(const dxfEntity& owner, const dxfEntity& definition, const dxfBlock& block,
                    const dxfEntity& insert, const std::string& value) {
  giXform3 placement = dxf_insert_xform(insert, block.base, 0, 0);
  auto placed = [&](const dxfPoint& p) {
    giPoint3 q = placement * dxf_ocs_to_wcs(definition.extrusion, p);
    return dxfPoint{q.x, q.y, q.z};
  };
  dxfEntity a = part(owner, dxfKind::ATTRIB);
  a.text = value;
  a.name = definition.name;
  a.p[0] = placed(definition.p[0]);
  a.p[1] = placed(definition.p[1]);
  a.scale_given = definition.scale_given & 9;
  a.d41 = definition.d41;
  a.d40 = definition.d40 * std::fabs(insert.d42);
  a.a50 = definition.a50 + insert.a50;
  a.i70 = definition.i70;
  a.i72 = definition.i72;
  a.i74 = definition.i74;
  if (definition.extra && !definition.extra->style.empty())
    a.more().style = definition.extra->style;
  return a;
}

// The block content: an INSERT with the attribute values as ATTRIBs.
void add_block(dxfEntity& owner, const dxfFile& file, const Multileader& m) {
  std::string name = block_of_record(file, m.block ? m.block : m.block_content);
  const dxfBlock* block = name.empty() ? nullptr : block_named(file, name);
  if (!block || !finite(m.block_position))
    return;
  dxfEntity insert = part(owner, dxfKind::INSERT);
  insert.name = name;
  insert.p[0] = m.block_position;
  insert.d41 = m.block_scale.x;
  insert.d42 = m.block_scale.y;
  insert.d43 = m.block_scale.z;
  insert.scale_given = 7;
  insert.a50 = m.block_rotation * 180.0 / pi;
  std::vector<const dxfEntity*> defined = definitions(*block);
  for (size_t i = 0; i < m.attribute_values.size() && i < defined.size(); ++i)
    insert.more().children.push_back(
        attribute(owner, *defined[i], *block, insert, m.attribute_values[i]));
  owner.more().children.push_back(std::move(insert));
}

// Each leader line runs from its arrowhead (whose length it leaves to the
// arrow) through its vertices to the landing and, attached at the side of
// the text, along the dogleg.
void add_leaders(dxfEntity& owner, const dxfFile& file, const Multileader& m) {
  double arrow = m.arrow_size > 0.0 ? m.arrow_size : m.entity_arrow_size;
  std::string arrow_block = m.arrow_block ? block_of_record(file, m.arrow_block) : std::string();
  for (const Leader& leader : m.leaders) {
    dxfPoint dogleg = leader.dogleg;
    double reach = length(dogleg);
    if (reach > 0.0 && std::isfinite(leader.dogleg_length / reach))
      dogleg = {dogleg.x / reach * leader.dogleg_length, dogleg.y / reach * leader.dogleg_length,
                dogleg.z / reach * leader.dogleg_length};
    for (const std::vector<dxfPoint>& line : leader.lines) {
      std::vector<dxfPoint> points = line;
      if (!leader.vertical && m.dogleg_enabled && m.line_type != 2)
        points.push_back(leader.landing);
      if (!leader.vertical)
        points.push_back({leader.landing.x + dogleg.x, leader.landing.y + dogleg.y,
                          leader.landing.z + dogleg.z});
      else
        points.push_back(leader.landing);
      if (points.size() < 2 || m.line_type == 0)
        continue;
      add_arrow(owner, file, points[0], points[1], arrow, arrow_block);
      dxfPoint d = minus(points[1], points[0]);
      double l = length(d);
      if (l > 0.0 && arrow > 0.0 && std::isfinite(arrow / l) && !line_reaches_tip(arrow_block))
        points[0] = {points[0].x + d.x / l * arrow, points[0].y + d.y / l * arrow,
                     points[0].z + d.z / l * arrow};
      // A spline reaches the text along the dogleg, where it has one.
      bool along_dogleg = !leader.vertical && length(dogleg) > 0.0;
      add_path(owner, points, m.line_type == 2, along_dogleg ? &dogleg : nullptr);
    }
  }
}

// The values of B-spline basis functions of degree p at u (knots t), for
// the n control points.
std::vector<double> basis(const std::vector<double>& t, int p, size_t n, double u) {
  std::vector<double> N(t.size() - 1, 0.0);
  for (size_t i = 0; i + 1 < t.size(); ++i)
    if ((u >= t[i] && u < t[i + 1]) || (u == t.back() && t[i] < t[i + 1] && t[i + 1] == u))
      N[i] = 1.0;
  for (int d = 1; d <= p; ++d)
    for (size_t i = 0; i + d + 1 < t.size(); ++i) {
      double a = t[i + d] > t[i] ? (u - t[i]) / (t[i + d] - t[i]) * N[i] : 0.0;
      double b =
          t[i + d + 1] > t[i + 1] ? (t[i + d + 1] - u) / (t[i + d + 1] - t[i + 1]) * N[i + 1] : 0.0;
      N[i] = a + b;
    }
  N.resize(n);
  return N;
}

// Solves A x = b in place (Gaussian elimination with partial pivoting).
bool solve(std::vector<std::vector<double>>& A, std::vector<dxfPoint>& b) {
  size_t n = A.size();
  for (size_t c = 0; c < n; ++c) {
    size_t pivot = c;
    for (size_t r = c + 1; r < n; ++r)
      if (std::fabs(A[r][c]) > std::fabs(A[pivot][c]))
        pivot = r;
    if (!(std::fabs(A[pivot][c]) > 1e-14))
      return false;
    std::swap(A[c], A[pivot]);
    std::swap(b[c], b[pivot]);
    for (size_t r = 0; r < n; ++r) {
      if (r == c || A[r][c] == 0.0)
        continue;
      double f = A[r][c] / A[c][c];
      for (size_t k = c; k < n; ++k)
        A[r][k] -= f * A[c][k];
      b[r] = {b[r].x - f * b[c].x, b[r].y - f * b[c].y, b[r].z - f * b[c].z};
    }
  }
  for (size_t r = 0; r < n; ++r)
    b[r] = {b[r].x / A[r][r], b[r].y / A[r][r], b[r].z / A[r][r]};
  return true;
}

// The parts of a LEADER: its path and, when it has one, its arrowhead.
struct LeaderEntity {
  std::vector<dxfPoint> vertices;
  int arrow = 1;
  int spline = 0;
  std::string style;
  // Overrides of its dimension style in its extended data (0 or -1: none).
  double arrow_size = 0.0;
  double scale = 0.0;
  int text_above = -1;
  std::string arrow_block;
  // The hook line to its text: made with text (73 = 0), hooked (75), the
  // text's width (41) and the direction (211) it runs in, turned (74); -1
  // where the file does not say.
  int creation = 3;
  int hooked = -1;
  int hook_turned = -1;
  double text_width = 0.0;
  dxfPoint hook{1.0, 0.0, 0.0};
};

// The overrides of a dimension style in an entity's ACAD extended data
// ("DSTYLE; 41; 2.5; 341; 1F ..."): the arrow size (41), the scale (40),
// text above the line (77) and the leader's arrow block (341).
void style_overrides(const dxfEntity& e, const dxfFile& file, LeaderEntity& l) {
  if (!e.extra)
    return;
  for (const auto& group : e.extra->xdata) {
    if (group.first != "ACAD" || group.second.compare(0, 6, "DSTYLE") != 0)
      continue;
    std::vector<std::string> values;
    size_t at = 0;
    while (at <= group.second.size()) {
      size_t end = group.second.find("; ", at);
      values.push_back(group.second.substr(at, end == std::string::npos ? end : end - at));
      if (end == std::string::npos)
        break;
      at = end + 2;
    }
    for (size_t i = 1; i + 1 < values.size(); i += 2) {
      int code = std::atoi(values[i].c_str());
      if (code == 41)
        l.arrow_size = std::strtod(values[i + 1].c_str(), nullptr);
      else if (code == 40)
        l.scale = std::strtod(values[i + 1].c_str(), nullptr);
      else if (code == 77)
        l.text_above = std::atoi(values[i + 1].c_str());
      else if (code == 341)
        l.arrow_block = block_of_record(file, std::strtoull(values[i + 1].c_str(), nullptr, 16));
    }
  }
}

// Whether the leader ends in a hook. Where the file does not say, it does
// when its last segment runs along the horizontal direction.
bool hooked(const LeaderEntity& l) {
  if (l.hooked >= 0 || l.vertices.size() < 2)
    return l.hooked > 0;
  dxfPoint last = minus(l.vertices.back(), l.vertices[l.vertices.size() - 2]);
  dxfPoint across{last.y * l.hook.z - last.z * l.hook.y, last.z * l.hook.x - last.x * l.hook.z,
                  last.x * l.hook.y - last.y * l.hook.x};
  return length(across) <= 1e-9 * length(last) * length(l.hook);
}

// Whether the hook runs against the horizontal direction. Where the file
// does not say, it goes on the way the leader's last segment goes.
bool hook_turned(const LeaderEntity& l) {
  if (l.hook_turned >= 0 || l.vertices.size() < 2)
    return l.hook_turned != 0;
  dxfPoint last = minus(l.vertices.back(), l.vertices[l.vertices.size() - 2]);
  return last.x * l.hook.x + last.y * l.hook.y + last.z * l.hook.z <= 0.0;
}

// The arrow size and block of a dimension style (STANDARD when unnamed).
void dimension_style(const dxfFile& file, const std::string& name, LeaderEntity& l) {
  const dxfDimensionStyle* found = nullptr;
  for (const dxfDimensionStyle& style : file.dimension_styles) {
    const std::string& n = style.name;
    bool same = n.size() == (name.empty() ? 8 : name.size());
    for (size_t i = 0; same && i < n.size(); ++i)
      same = std::toupper((unsigned char)n[i]) ==
             std::toupper((unsigned char)(name.empty() ? "STANDARD" : name.c_str())[i]);
    if (same)
      found = &style;
  }
  dxfDimensionStyle standard;
  const dxfDimensionStyle& style = found ? *found : standard;
  double scale = l.scale > 0.0 ? l.scale : style.scale > 0.0 ? style.scale : 1.0;
  l.arrow_size = (l.arrow_size > 0.0 ? l.arrow_size : style.arrow_size) * scale;
  int text_above = l.text_above >= 0 ? l.text_above : style.text_above;
  if (l.arrow_block.empty() && style.leader_arrow)
    l.arrow_block = block_of_record(file, style.leader_arrow);
  // Text above the line: the hook runs under it, past the gap.
  double reach = length(l.hook);
  if (l.creation == 0 && hooked(l) && text_above && l.text_width > 0.0 && reach > 0.0 &&
      !l.vertices.empty()) {
    const dxfPoint end = l.vertices.back();
    double along = (style.gap * scale + l.text_width) / reach * (hook_turned(l) ? -1.0 : 1.0);
    l.vertices.push_back(
        {end.x + l.hook.x * along, end.y + l.hook.y * along, end.z + l.hook.z * along});
  }
}

} // namespace

bool dxf_interpolating_spline(const std::vector<dxfPoint>& points, dxfEntity& spline,
                              const dxfPoint* end_direction) {
  size_t n = points.size();
  if (n < 2 || n > max_spline_points)
    return false;
  const int p = 3;
  std::vector<double> u(n, 0.0);
  double total = 0.0;
  for (size_t i = 1; i < n; ++i)
    u[i] = total += length(minus(points[i], points[i - 1]));
  if (!(total > 0.0) || !std::isfinite(total))
    return false;
  for (double& v : u)
    v /= total;
  u[n - 1] = 1.0;
  // Natural knots: the parameters of the inner points.
  std::vector<double> knots(p + 1, 0.0);
  knots.insert(knots.end(), u.begin() + 1, u.end() - 1);
  knots.insert(knots.end(), p + 1, 1.0);
  // The end tangents follow the first and last segments, as long as the
  // whole path; two rows make the curve leave and reach them.
  size_t count = n + 2;
  std::vector<std::vector<double>> A;
  std::vector<dxfPoint> b;
  for (size_t k = 0; k < n; ++k) {
    A.push_back(basis(knots, p, count, u[k]));
    b.push_back(points[k]);
  }
  auto tangent = [&](const dxfPoint& d, double factor) {
    double l = length(d);
    return dxfPoint{d.x / l * total * factor, d.y / l * total * factor, d.z / l * total * factor};
  };
  dxfPoint end = minus(points[n - 1], points[n - 2]);
  if (end_direction && length(*end_direction) > 0.0 && finite(*end_direction))
    end = *end_direction;
  std::vector<double> first(count, 0.0), last(count, 0.0);
  first[0] = -1.0, first[1] = 1.0;
  last[count - 2] = -1.0, last[count - 1] = 1.0;
  A.insert(A.begin() + 1, first);
  b.insert(b.begin() + 1, tangent(minus(points[1], points[0]), knots[p + 1] / p));
  A.insert(A.end() - 1, last);
  b.insert(b.end() - 1, tangent(end, (1.0 - knots[knots.size() - p - 2]) / p));
  if (!solve(A, b))
    return false;
  spline.kind = dxfKind::SPLINE;
  spline.i71 = p;
  spline.vertices.clear();
  for (const dxfPoint& c : b) {
    if (!finite(c))
      return false;
    dxfVertex v;
    v.x = c.x;
    v.y = c.y;
    v.z = c.z;
    spline.vertices.push_back(v);
  }
  spline.more().knots = knots;
  return true;
}

void dxf_decode_multileader(const dxfTags& tags, dxfEntity& e, dxfFile& file) {
  Multileader m = read_multileader(tags);
  e.text = m.text;
  add_leaders(e, file, m);
  if (m.content_type == 2 || (m.content_type < 0 && m.has_text))
    add_text(e, m);
  if (m.content_type == 1 || (m.content_type < 0 && m.has_block))
    add_block(e, file, m);
}

void dxf_decode_leader(const dxfTags& tags, dxfEntity& e, dxfFile& file) {
  LeaderEntity l;
  for (const dxfTag& t : tags) {
    switch (t.code) {
    case 3:
      l.style.assign(t.value.data(), t.value.size());
      break;
    case 71:
      l.arrow = dxf_tag_int(t, 1);
      break;
    case 72:
      l.spline = dxf_tag_int(t) == 1;
      break;
    case 73:
      l.creation = dxf_tag_int(t, 3);
      break;
    case 74:
      l.hook_turned = dxf_tag_int(t) == 1;
      break;
    case 75:
      l.hooked = dxf_tag_int(t);
      break;
    case 41:
      l.text_width = dxf_tag_number(t);
      break;
    case 211:
    case 221:
    case 231:
      coordinate(l.hook, t);
      break;
    case 10:
      l.vertices.push_back({dxf_tag_number(t), 0.0, 0.0});
      break;
    case 20:
    case 30:
      if (!l.vertices.empty())
        coordinate(l.vertices.back(), t);
      break;
    default:
      break;
    }
  }
  style_overrides(e, file, l);
  dimension_style(file, l.style, l);
  for (const dxfPoint& v : l.vertices) {
    dxfVertex vertex;
    vertex.x = v.x;
    vertex.y = v.y;
    vertex.z = v.z;
    e.vertices.push_back(vertex);
  }
  add_path(e, l.vertices, l.spline);
  if (l.arrow && l.vertices.size() >= 2)
    add_arrow(e, file, l.vertices[0], l.vertices[1], l.arrow_size, l.arrow_block);
}
