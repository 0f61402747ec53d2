// dxfProxyGraphics.cpp - proxy graphics commands into entity records.
#include "dxfProxyGraphics.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const double pi = 3.14159265358979323846;

// The command types of proxy graphics this reader knows.
enum Command {
  EXTENTS = 1,
  CIRCLE = 2,
  CIRCLE_3P = 3,
  ARC = 4,
  ARC_3P = 5,
  POLYLINE = 6,
  POLYGON = 7,
  MESH = 8,
  SHELL = 9,
  TEXT = 10,
  TEXT2 = 11,
  XLINE = 12,
  RAY = 13,
  COLOUR = 14,
  LAYER = 16,
  LINETYPE = 18,
  MARKER = 19,
  FILL = 20,
  TRUE_COLOUR = 22,
  LINEWEIGHT = 23,
  LINETYPE_SCALE = 24,
  THICKNESS = 25,
  PLOT_STYLE = 26,
  PUSH_CLIP = 27,
  POP_CLIP = 28,
  PUSH_XFORM = 29,
  PUSH_XFORM2 = 30,
  POP_XFORM = 31,
  POLYLINE_NORMALS = 32,
  LWPOLYLINE = 33,
  MATERIAL = 34,
  MAPPER = 35,
  UNICODE_TEXT = 36,
  UNICODE_TEXT2 = 38,
  ELLIPTIC_ARC = 44
};

struct Vec {
  double x = 0.0, y = 0.0, z = 0.0;
};

Vec operator-(const Vec& a, const Vec& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec operator+(const Vec& a, const Vec& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec operator*(double s, const Vec& a) {
  return {s * a.x, s * a.y, s * a.z};
}
double dot(const Vec& a, const Vec& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec cross(const Vec& a, const Vec& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double length(const Vec& a) {
  return std::sqrt(dot(a, a));
}
Vec unit(const Vec& a) {
  double l = length(a);
  return l > 0.0 && std::isfinite(l) ? (1.0 / l) * a : Vec{0.0, 0.0, 1.0};
}

// The object coordinate system of a normal (the arbitrary-axis rule).
struct Ocs {
  explicit Ocs(const Vec& normal) : z(unit(normal)) {
    const double limit = 1.0 / 64.0;
    Vec axis =
        std::fabs(z.x) < limit && std::fabs(z.y) < limit ? Vec{0.0, 1.0, 0.0} : Vec{0.0, 0.0, 1.0};
    x = unit(cross(axis, z));
    y = cross(z, x);
  }
  Vec of(const Vec& p) const { return {dot(p, x), dot(p, y), dot(p, z)}; }
  double angle(const Vec& direction) const {
    return std::atan2(dot(direction, y), dot(direction, x));
  }
  Vec x, y, z;
};

dxfPoint as_point(const Vec& v) {
  return {v.x, v.y, v.z};
}

// An affine transform: the first three rows of a 4x4 matrix.
struct Xform {
  double m[12] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};
  Vec point(const Vec& p) const {
    return {m[0] * p.x + m[1] * p.y + m[2] * p.z + m[3],
            m[4] * p.x + m[5] * p.y + m[6] * p.z + m[7],
            m[8] * p.x + m[9] * p.y + m[10] * p.z + m[11]};
  }
  Vec vector(const Vec& v) const {
    return {m[0] * v.x + m[1] * v.y + m[2] * v.z, m[4] * v.x + m[5] * v.y + m[6] * v.z,
            m[8] * v.x + m[9] * v.y + m[10] * v.z};
  }
  // This transform after other's: points go through other first.
  Xform then(const Xform& inner) const {
    Xform r;
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 4; ++j) {
        double sum = j == 3 ? m[i * 4 + 3] : 0.0;
        for (int k = 0; k < 3; ++k)
          sum += m[i * 4 + k] * inner.m[k * 4 + j];
        r.m[i * 4 + j] = sum;
      }
    return r;
  }
};

// Reads little-endian numbers from one command's data; a read past its end
// fails and leaves ok false.
class Reader {
public:
  Reader(const char* data, size_t size) : data_(data), size_(size) {}
  bool ok() const { return ok_; }
  size_t left() const { return ok_ ? size_ - at_ : 0; }

  int32_t int32() {
    uint32_t v = 0;
    if (!take(4))
      return 0;
    for (int i = 3; i >= 0; --i)
      v = (v << 8) | static_cast<unsigned char>(data_[at_ - 4 + size_t(i)]);
    return static_cast<int32_t>(v);
  }
  double real() {
    uint64_t bits = 0;
    if (!take(8))
      return 0.0;
    for (int i = 7; i >= 0; --i)
      bits = (bits << 8) | static_cast<unsigned char>(data_[at_ - 8 + size_t(i)]);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return std::isfinite(v) ? v : (ok_ = false, 0.0);
  }
  Vec vec() {
    Vec v;
    v.x = real();
    v.y = real();
    v.z = real();
    return v;
  }
  // A zero-terminated string of 8-bit characters, padded to 4 bytes.
  std::string text8() {
    std::string out;
    while (ok_ && at_ < size_ && data_[at_] != '\0')
      out += data_[at_++];
    take(1);
    align();
    return out;
  }
  // A zero-terminated UTF-16 string, padded to 4 bytes, as ASCII with
  // \U+XXXX escapes for the rest (the escapes every DXF text may hold).
  std::string text16() {
    std::string out;
    while (ok_) {
      unsigned code = unit16();
      if (code == 0)
        break;
      if (code >= 0xD800 && code < 0xDC00) {
        unsigned low = unit16();
        code = low >= 0xDC00 && low < 0xE000 ? 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00)
                                             : 0xFFFD; // a lone half of a pair
      }
      if (code >= 0x20 && code < 0x7F && code != '\\') {
        out += char(code);
      } else {
        char escape[16];
        std::snprintf(escape, sizeof escape, "\\U+%04X", code);
        out += escape;
      }
    }
    align();
    return out;
  }

private:
  bool take(size_t n) {
    if (!ok_ || size_ - at_ < n)
      return ok_ = false;
    at_ += n;
    return true;
  }
  unsigned unit16() {
    if (!take(2))
      return 0;
    return static_cast<unsigned char>(data_[at_ - 2]) |
           (unsigned(static_cast<unsigned char>(data_[at_ - 1])) << 8);
  }
  void align() {
    while (ok_ && at_ % 4 != 0 && at_ < size_)
      ++at_;
  }

  const char* data_;
  size_t size_;
  size_t at_ = 0;
  bool ok_ = true;
};

// Turns commands into entities, keeping the attribute state between them.
class Decoder {
public:
  Decoder(const dxfEntity& owner, std::vector<std::string>& notes)
      : owner_(owner), notes_(notes), colour_(owner.colour), true_colour_(owner.true_colour),
        lineweight_(owner.lineweight) {
    xforms_.emplace_back();
  }

  std::vector<dxfEntity> run(std::string_view bytes) {
    Reader head(bytes.data(), bytes.size());
    size_t total = size_t(std::max(0, head.int32()));
    int32_t count = head.int32();
    if (!head.ok())
      return std::move(made_);
    if (total > bytes.size())
      note("its proxy graphics are shorter than they say");
    size_t end = std::min(total, bytes.size()), at = 8;
    for (int32_t i = 0; i < count && at < end; ++i) {
      Reader size_type(bytes.data() + at, end - at);
      int32_t size = size_type.int32();
      int32_t type = size_type.int32();
      if (!size_type.ok() || size < 8 || size_t(size) > end - at) {
        note("its proxy graphics end inside a command");
        break;
      }
      Reader data(bytes.data() + at + 8, size_t(size) - 8);
      if (!command(type, data))
        note("a proxy graphics command " + std::to_string(type) + " is shorter than its data");
      at += size_t(size);
    }
    return std::move(made_);
  }

private:
  bool command(int32_t type, Reader& r) {
    switch (type) {
    case CIRCLE: {
      Vec centre = r.vec();
      double radius = r.real();
      Vec normal = r.vec();
      return r.ok() && (circle(centre, radius, normal), true);
    }
    case CIRCLE_3P:
    case ARC_3P: {
      Vec a = r.vec(), b = r.vec(), c = r.vec();
      return r.ok() && (three_points(a, b, c, type == CIRCLE_3P), true);
    }
    case ARC: {
      Vec centre = r.vec();
      double radius = r.real();
      Vec normal = r.vec(), start = r.vec();
      double sweep = r.real();
      return r.ok() && (arc(centre, radius, normal, start, sweep), true);
    }
    case POLYLINE:
    case POLYGON:
    case POLYLINE_NORMALS: {
      std::vector<Vec> points;
      return read_points(r, points) && (polyline(points, type == POLYGON), true);
    }
    case MESH:
      return mesh(r);
    case SHELL:
      return shell(r);
    case TEXT:
    case UNICODE_TEXT:
    case TEXT2:
    case UNICODE_TEXT2:
      return text(type, r);
    case COLOUR:
      colour_ = r.int32();
      true_colour_ = -1;
      return r.ok();
    case TRUE_COLOUR:
      true_colour(r.int32());
      return r.ok();
    case FILL:
      fill_ = r.int32() != 0;
      return r.ok();
    case LINEWEIGHT:
      lineweight_ = r.int32();
      return r.ok();
    case PUSH_XFORM:
      return push(r);
    case POP_XFORM:
      if (xforms_.size() > 1)
        xforms_.pop_back();
      return true;
    case XLINE:
    case RAY:
      note("its construction lines (rays and xlines) are not drawn");
      return true;
    case LWPOLYLINE:
      note("its lightweight polylines are not drawn");
      return true;
    case ELLIPTIC_ARC:
      note("its elliptic arcs are not drawn");
      return true;
    case EXTENTS:
    case LAYER:
    case LINETYPE:
    case MARKER:
    case LINETYPE_SCALE:
    case THICKNESS:
    case PLOT_STYLE:
    case PUSH_CLIP:
    case POP_CLIP:
    case PUSH_XFORM2:
    case MATERIAL:
    case MAPPER:
      return true; // attributes that change nothing drawn here
    default:
      return true; // skipped by its size
    }
  }

  dxfEntity entity(dxfKind kind) const {
    dxfEntity e;
    e.kind = kind;
    e.graphics = 1;
    e.has_handle = owner_.has_handle;
    e.handle = owner_.handle;
    e.line = owner_.line;
    e.paper_space = owner_.paper_space;
    e.layer = owner_.layer;
    e.linetype = owner_.linetype;
    e.colour = colour_;
    e.true_colour = true_colour_;
    e.lineweight = lineweight_;
    return e;
  }

  const Xform& xform() const { return xforms_.back(); }

  void circle(Vec centre, double radius, Vec normal) {
    Ocs before(normal);
    radius *= length(xform().vector(before.x));
    centre = xform().point(centre);
    normal = xform().vector(normal);
    Ocs ocs(normal);
    dxfEntity e = entity(dxfKind::CIRCLE);
    e.extrusion = as_point(ocs.z);
    e.p[0] = as_point(ocs.of(centre));
    e.d40 = radius;
    made_.push_back(std::move(e));
  }

  void arc(Vec centre, double radius, Vec normal, Vec start, double sweep) {
    if (std::fabs(sweep) >= 2.0 * pi - 1e-12)
      return circle(centre, radius, normal);
    Ocs before(normal);
    radius *= length(xform().vector(before.x));
    centre = xform().point(centre);
    normal = xform().vector(normal);
    start = xform().vector(start);
    Ocs ocs(normal);
    double from = ocs.angle(start);
    if (sweep < 0.0) {
      from += sweep;
      sweep = -sweep;
    }
    dxfEntity e = entity(dxfKind::ARC);
    e.extrusion = as_point(ocs.z);
    e.p[0] = as_point(ocs.of(centre));
    e.d40 = radius;
    e.a50 = from * 180.0 / pi;
    e.a51 = (from + sweep) * 180.0 / pi;
    made_.push_back(std::move(e));
  }

  // The circle through a, b and c, or the arc from a through b to c.
  void three_points(const Vec& a, const Vec& b, const Vec& c, bool whole) {
    Vec ab = b - a, ac = c - a, normal = cross(ab, ac);
    double n2 = dot(normal, normal);
    if (!(n2 > 0.0))
      return polyline({a, b, c}, false); // collinear: the points as a line
    Vec centre = a + (1.0 / (2.0 * n2)) *
                         (dot(ac, ac) * cross(normal, ab) + dot(ab, ab) * cross(ac, normal));
    double radius = length(a - centre);
    if (whole)
      return circle(centre, radius, normal);
    Ocs ocs(normal);
    double from = ocs.angle(a - centre), to = ocs.angle(c - centre);
    double sweep = std::fmod(to - from + 4.0 * pi, 2.0 * pi);
    arc(centre, radius, normal, a - centre, sweep);
  }

  bool read_points(Reader& r, std::vector<Vec>& points) {
    int32_t count = r.int32();
    if (!r.ok() || count < 0 || size_t(count) > r.left() / 24)
      return false;
    points.resize(size_t(count));
    for (Vec& p : points)
      p = xform().point(r.vec());
    return r.ok();
  }

  void polyline(const std::vector<Vec>& points, bool closed) {
    if (points.size() < 2)
      return;
    if (closed && fill_ && points.size() >= 3)
      return filled(points);
    if (points.size() == 2 && !closed) {
      dxfEntity e = entity(dxfKind::LINE);
      e.p[0] = as_point(points[0]);
      e.p[1] = as_point(points[1]);
      made_.push_back(std::move(e));
      return;
    }
    dxfEntity e = entity(dxfKind::POLYLINE);
    e.i70 = 8 | (closed ? 1 : 0);
    for (const Vec& p : points) {
      dxfVertex v;
      v.x = p.x;
      v.y = p.y;
      v.z = p.z;
      v.flags = 32;
      e.vertices.push_back(v);
    }
    made_.push_back(std::move(e));
  }

  // A filled polygon: a solid hatch in the plane of its points.
  void filled(const std::vector<Vec>& points) {
    Vec normal;
    for (size_t i = 0; i < points.size(); ++i) {
      const Vec &a = points[i], &b = points[(i + 1) % points.size()];
      normal = normal +
               Vec{(a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x), (a.x - b.x) * (a.y + b.y)};
    }
    // Either side of the plane will do: the one facing up keeps a drawing's
    // fills in its own plane rather than mirrored.
    if (normal.z < 0.0 ||
        (normal.z == 0.0 && (normal.y < 0.0 || (normal.y == 0.0 && normal.x < 0.0))))
      normal = -1.0 * normal;
    Ocs ocs(normal);
    dxfEntity e = entity(dxfKind::HATCH);
    e.extrusion = as_point(ocs.z);
    e.p[0].z = ocs.of(points[0]).z;
    e.name = "SOLID";
    dxfHatch& hatch = e.more().hatch;
    hatch.pattern = "SOLID";
    hatch.solid = 1;
    hatch.paths.emplace_back();
    hatch.paths.back().flags = 1 | 2;
    hatch.paths.back().closed = 1;
    for (const Vec& p : points) {
      Vec local = ocs.of(p);
      dxfVertex v;
      v.x = local.x;
      v.y = local.y;
      hatch.paths.back().vertices.push_back(v);
    }
    made_.push_back(std::move(e));
  }

  // A grid of rows by columns points: its row and column lines.
  bool mesh(Reader& r) {
    int32_t rows = r.int32(), columns = r.int32();
    if (!r.ok() || rows < 0 || columns < 0 ||
        (columns > 0 && size_t(rows) > r.left() / 24 / size_t(columns)))
      return false;
    std::vector<Vec> points(size_t(rows) * size_t(columns));
    for (Vec& p : points)
      p = xform().point(r.vec());
    if (!r.ok())
      return false;
    if (rows == 0 || columns == 0)
      return true;
    for (int32_t i = 0; i < rows; ++i)
      polyline(std::vector<Vec>(points.begin() + i * columns, points.begin() + (i + 1) * columns),
               false);
    for (int32_t j = 0; j < columns; ++j) {
      std::vector<Vec> column;
      for (int32_t i = 0; i < rows; ++i)
        column.push_back(points[size_t(i) * size_t(columns) + size_t(j)]);
      polyline(column, false);
    }
    return true;
  }

  // Vertices and a face list (a count, then as many vertex indices; a
  // negative count a hole, not drawn): a polyface mesh, faces of more than
  // four corners split into a fan.
  bool shell(Reader& r) {
    std::vector<Vec> points;
    if (!read_points(r, points))
      return false;
    int32_t entries = r.int32();
    if (!r.ok() || entries < 0 || size_t(entries) > r.left() / 4)
      return false;
    std::vector<int32_t> list(static_cast<size_t>(entries));
    for (int32_t& v : list)
      v = r.int32();
    dxfEntity e = entity(dxfKind::POLYLINE);
    e.i70 = 64;
    for (const Vec& p : points) {
      dxfVertex v;
      v.x = p.x;
      v.y = p.y;
      v.z = p.z;
      v.flags = 64 | 128;
      e.vertices.push_back(v);
    }
    for (size_t i = 0; i < list.size();) {
      int32_t corners = list[i++];
      size_t n = size_t(std::abs(corners));
      if (corners == INT32_MIN || n > list.size() - i)
        break;
      if (corners > 0)
        for (size_t k = 1; k + 1 < n; ++k) {
          int32_t a = list[i], b = list[i + k], c = list[i + k + 1];
          if (std::min({a, b, c}) < 0 || std::max({a, b, c}) >= int32_t(points.size()))
            continue;
          dxfVertex face;
          face.flags = 128;
          face.index[0] = a + 1;
          face.index[1] = b + 1;
          face.index[2] = c + 1;
          e.vertices.push_back(face);
        }
      i += n;
    }
    if (!points.empty())
      made_.push_back(std::move(e));
    return true;
  }

  bool text(int32_t type, Reader& r) {
    Vec position = r.vec(), normal = r.vec(), direction = r.vec();
    double height = 0.0, width = 1.0;
    std::string string;
    if (type == TEXT || type == UNICODE_TEXT) {
      height = r.real();
      width = r.real();
      r.real(); // oblique angle
      string = type == TEXT ? r.text8() : r.text16();
    } else {
      string = type == TEXT2 ? r.text8() : r.text16();
      r.int32(); // length
      r.int32(); // raw: no special characters
      height = r.real();
      width = r.real();
    }
    if (!r.ok())
      return false;
    Ocs before(normal);
    height *= length(xform().vector(before.y));
    position = xform().point(position);
    Ocs ocs(xform().vector(normal));
    dxfEntity e = entity(dxfKind::TEXT);
    e.extrusion = as_point(ocs.z);
    e.p[0] = as_point(ocs.of(position));
    e.d40 = height;
    e.d41 = width > 0.0 ? width : 1.0;
    e.scale_given = 1;
    e.a50 = ocs.angle(xform().vector(direction)) * 180.0 / pi;
    e.text = string;
    made_.push_back(std::move(e));
    return true;
  }

  // The method byte (bits 24-31): 0xC0 by layer, 0xC1 by block, 0xC2 the
  // RGB of the low bytes, 0xC3 the colour index of the lowest.
  void true_colour(int32_t value) {
    unsigned method = (uint32_t(value) >> 24) & 0xFF;
    true_colour_ = -1;
    if (method == 0xC0)
      colour_ = 256;
    else if (method == 0xC1)
      colour_ = 0;
    else if (method == 0xC2)
      true_colour_ = value & 0xFFFFFF;
    else if (method == 0xC3)
      colour_ = value & 0xFF;
  }

  bool push(Reader& r) {
    double m[16];
    for (double& v : m)
      v = r.real();
    if (!r.ok())
      return false;
    Xform given;
    std::copy(m, m + 12, given.m);
    xforms_.push_back(xform().then(given));
    return true;
  }

  void note(const std::string& text) {
    if (std::find(notes_.begin(), notes_.end(), text) == notes_.end())
      notes_.push_back(text);
  }

  const dxfEntity& owner_;
  std::vector<std::string>& notes_;
  std::vector<dxfEntity> made_;
  std::vector<Xform> xforms_;
  int colour_;
  int32_t true_colour_;
  int lineweight_;
  bool fill_ = false;
};

int hex_digit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  return -1;
}

// Appends the bytes of one 310 chunk; false at a character that is not a
// hexadecimal digit (the bytes before it are kept).
bool append_hex(std::string_view chunk, std::string& bytes) {
  while (!chunk.empty() && (chunk.back() == ' ' || chunk.back() == '\r' || chunk.back() == '\t'))
    chunk.remove_suffix(1);
  while (!chunk.empty() && chunk.front() == ' ')
    chunk.remove_prefix(1);
  for (size_t i = 0; i + 1 < chunk.size(); i += 2) {
    int high = hex_digit(chunk[i]), low = hex_digit(chunk[i + 1]);
    if (high < 0 || low < 0)
      return false;
    bytes += char(high * 16 + low);
  }
  return chunk.size() % 2 == 0;
}

} // namespace

std::vector<dxfEntity> dxf_proxy_graphics(std::string_view bytes, const dxfEntity& owner,
                                          std::vector<std::string>& notes) {
  return Decoder(owner, notes).run(bytes);
}

void dxf_decode_proxy_entity(const dxfTags& tags, dxfEntity& entity, dxfFile& file) {
  std::string bytes;
  long expected = -1;
  bool collecting = false, bad = false;
  for (const dxfTag& tag : tags) {
    if (tag.code == 92 || tag.code == 160) {
      expected = dxf_tag_int(tag, 0, 0);
      collecting = true;
    } else if (tag.code == 93 || tag.code == 161 || tag.code == 162 || tag.code == 311) {
      collecting = false; // the entity's own data, not its graphics
    } else if (tag.code == 310 && collecting && long(bytes.size()) < expected) {
      bad = !append_hex(tag.value, bytes) || bad;
    }
  }
  if (expected >= 0 && long(bytes.size()) > expected)
    bytes.resize(size_t(expected));
  std::vector<std::string> notes;
  if (bad)
    notes.push_back("its proxy graphics hold a character that is not a hexadecimal digit");
  if (!bytes.empty()) {
    std::vector<dxfEntity> drawn = dxf_proxy_graphics(bytes, entity, notes);
    if (!drawn.empty())
      entity.more().graphics = std::move(drawn);
  }
  for (const std::string& note : notes) {
    std::string text =
        std::string("an ACAD_PROXY_ENTITY is drawn without some of its graphics: ") + note;
    bool known = false;
    for (const dxfDiagnostic& d : file.diagnostics)
      known = known || d.text == text;
    if (!known)
      file.diagnostics.push_back({0, entity.line, text});
  }
}
