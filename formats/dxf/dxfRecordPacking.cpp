// dxfRecordPacking.cpp - writing an entity record as bytes and reading it back.
//
// Layout: the six one-byte fields, a mask of the fields that differ from a
// new record's, the line, then each field of the mask in its order. A
// vertex keeps x and y and, behind a byte of flags, whatever else it sets.
// Of an extra part, only a style, a layout and extended data are packed.
#include "dxfRecordPacking.h"

#include <cstdint>
#include <cstring>
#include <tuple>
#include <utility>

namespace {

template <class T> bool same_bits(const T& a, const T& b) {
  return memcmp(&a, &b, sizeof(T)) == 0;
}

template <class T> void put(std::string& out, const T& value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof(T));
}

template <class T> void take(const char*& data, T& value) {
  memcpy(&value, data, sizeof(T));
  data += sizeof(T);
}

// A field of the mask: read when its bit is set, else its fallback.
template <class T>
void take_or(const char*& data, uint64_t mask, uint64_t bit, T& field, const T& fallback) {
  field = fallback;
  if (mask & bit)
    take(data, field);
}

void put_text(std::string& out, const std::string& text) {
  put(out, uint32_t(text.size()));
  out.append(text);
}

void take_text(const char*& data, std::string& text) {
  uint32_t size = 0;
  take(data, size);
  text.assign(data, size);
  data += size;
}

// The mask's bits, in the order the fields follow it.
enum : uint64_t {
  LINETYPE_SCALE = 1u << 0,
  HANDLE = 1u << 1,
  LAYER = 1u << 2,
  LINETYPE = 1u << 3,
  COLOUR = 1u << 4,
  TRUE_COLOUR = 1u << 5,
  LINEWEIGHT = 1u << 6,
  POINT_XY = 1u << 7, // point i: bit 7 + 2i, its z: bit 8 + 2i
  EXTRUSION = 1u << 15,
  REAL = 1u << 16,    // d40 to d45, a50, a51: bits 16 to 23
  INTEGER = 1u << 24, // i70 to i74, i69: bits 24 to 29
  I68 = 1u << 30,
  SCALE_GIVEN = 1u << 31,
  VERTICES = uint64_t(1) << 32,
  TEXT = uint64_t(1) << 33,
  NAME = uint64_t(1) << 34,
  EXTRA = uint64_t(1) << 35, // an extra part, its style first
  LAYOUT = uint64_t(1) << 36,
  XDATA = uint64_t(1) << 37,
};

// Every field is packed or makes the record unpackable: a field added to
// a record must be added here too (the sizes are those of 64-bit libstdc++).
#if defined(__GLIBCXX__) && defined(__LP64__)
static_assert(sizeof(dxfEntity) == 360 && sizeof(dxfEntityExtra) == 456 && sizeof(dxfHatch) == 120,
              "a record's fields changed: pack the new ones or refuse records that set them");
#endif

enum : uint8_t { V_Z = 1, V_BULGE = 2, V_FLAGS = 4, V_INDEX = 8, V_WIDTHS = 16 };

const dxfEntity& fresh() {
  static const dxfEntity record;
  return record;
}

// The reals (d40 to d45, a50, a51) and integers (i70 to i74, i69) in the
// mask's order, of a record read or written.
template <class Entity> auto reals(Entity& e, int i) {
  decltype(&e.d40) all[] = {&e.d40, &e.d41, &e.d42, &e.d43, &e.d44, &e.d45, &e.a50, &e.a51};
  return all[i];
}

template <class Entity> auto integers(Entity& e, int i) {
  decltype(&e.i70) all[] = {&e.i70, &e.i71, &e.i72, &e.i73, &e.i74, &e.i69};
  return all[i];
}

uint64_t mask_of(const dxfEntity& e) {
  const dxfEntity& d = fresh();
  uint64_t mask = 0;
  auto bit = [&](bool differs, uint64_t which) { mask |= differs ? which : 0; };
  bit(!same_bits(e.linetype_scale, d.linetype_scale), LINETYPE_SCALE);
  bit(e.handle != 0, HANDLE);
  bit(e.layer != d.layer, LAYER);
  bit(e.linetype != d.linetype, LINETYPE);
  bit(e.colour != d.colour, COLOUR);
  bit(e.true_colour != d.true_colour, TRUE_COLOUR);
  bit(e.lineweight != d.lineweight, LINEWEIGHT);
  const double zero = 0.0;
  for (int i = 0; i < 4; ++i) {
    bit(!same_bits(e.p[i].x, zero) || !same_bits(e.p[i].y, zero), POINT_XY << (2 * i));
    bit(!same_bits(e.p[i].z, zero), POINT_XY << (2 * i + 1));
  }
  bit(!same_bits(e.extrusion.x, d.extrusion.x) || !same_bits(e.extrusion.y, d.extrusion.y) ||
          !same_bits(e.extrusion.z, d.extrusion.z),
      EXTRUSION);
  for (int i = 0; i < 8; ++i)
    bit(!same_bits(*reals(e, i), zero), REAL << i);
  for (int i = 0; i < 6; ++i)
    bit(*integers(e, i) != 0, INTEGER << i);
  bit(e.i68 != d.i68, I68);
  bit(e.scale_given != 0, SCALE_GIVEN);
  bit(!e.vertices.empty(), VERTICES);
  bit(!e.text.empty(), TEXT);
  bit(!e.name.empty(), NAME);
  if (e.extra) { // kept when set, though empty: a record reads the same
    bit(true, EXTRA);
    bit(!e.extra->layout.empty(), LAYOUT);
    bit(!e.extra->xdata.empty(), XDATA);
  }
  return mask;
}

// The fields of a vertex that its flags say are stored, in their order.
template <class Vertex, class Each> void stored_fields(Vertex& v, uint8_t flags, Each each) {
  each(v.x);
  each(v.y);
  if (flags & V_Z)
    each(v.z);
  if (flags & V_BULGE)
    each(v.bulge);
  if (flags & V_FLAGS)
    each(v.flags);
  if (flags & V_INDEX)
    each(v.index);
  if (flags & V_WIDTHS) {
    each(v.start_width);
    each(v.end_width);
  }
}

void put_vertex(std::string& out, const dxfVertex& v) {
  const double zero = 0.0;
  const float none = 0.0f;
  uint8_t flags = 0;
  flags |= same_bits(v.z, zero) ? 0 : V_Z;
  flags |= same_bits(v.bulge, zero) ? 0 : V_BULGE;
  flags |= v.flags != 0 ? V_FLAGS : 0;
  flags |= (v.index[0] | v.index[1] | v.index[2] | v.index[3]) != 0 ? V_INDEX : 0;
  flags |= same_bits(v.start_width, none) && same_bits(v.end_width, none) ? 0 : V_WIDTHS;
  put(out, flags);
  stored_fields(v, flags, [&out](const auto& field) { put(out, field); });
}

void take_vertex(const char*& data, dxfVertex& v) {
  uint8_t flags = 0;
  take(data, flags);
  v = dxfVertex();
  stored_fields(v, flags, [&data](auto& field) { take(data, field); });
}

// An extra part that holds nothing but a style, a layout and extended data.
bool plain_extra(const dxfEntityExtra& x) {
  const dxfHatch none;
  const dxfPoint origin;
  const dxfHatch& h = x.hatch;
  for (const dxfPoint& p : x.p)
    if (!same_bits(p.x, origin.x) || !same_bits(p.y, origin.y) || !same_bits(p.z, origin.z))
      return false;
  const bool hatch = h.pattern.empty() && h.solid == none.solid && h.style == none.style &&
                     h.paths.empty() && h.pattern_kind == none.pattern_kind &&
                     same_bits(h.pattern_angle, none.pattern_angle) &&
                     same_bits(h.pattern_scale, none.pattern_scale) &&
                     h.pattern_double == none.pattern_double && h.pattern_lines.empty();
  return hatch && x.knots.empty() && x.weights.empty() && x.children.empty() &&
         x.graphics.empty() && x.faces.empty() && x.text_frame == 0 &&
         same_bits(x.frame_gap, dxfEntityExtra().frame_gap) && x.text_fill == 0 &&
         x.fill_colour == 0 && x.fill_true_colour == -1 && x.lines.empty();
}

bool short_enough(const std::string& text) {
  return text.size() < UINT32_MAX;
}

} // namespace

bool dxf_packable(const dxfEntity& e) {
  if (e.vertices.size() >= UINT32_MAX || !short_enough(e.text) || !short_enough(e.name))
    return false;
  if (!e.extra)
    return true;
  const dxfEntityExtra& x = *e.extra;
  if (!plain_extra(x) || !short_enough(x.style) || !short_enough(x.layout) ||
      x.xdata.size() >= UINT32_MAX)
    return false;
  for (const auto& [application, values] : x.xdata)
    if (!short_enough(application) || !short_enough(values))
      return false;
  return true;
}

void dxf_pack_entity(const dxfEntity& e, std::string& out) {
  const uint64_t mask = mask_of(e);
  for (dxfKind kind : {e.kind, e.part_of})
    put(out, kind);
  for (uint8_t flag : {e.invisible, e.paper_space, e.has_handle, e.graphics})
    put(out, flag);
  put(out, mask);
  put(out, e.line);
  if (mask & LINETYPE_SCALE)
    put(out, e.linetype_scale);
  if (mask & HANDLE)
    put(out, e.handle);
  for (auto [bit, value] : {std::pair<uint64_t, int>{LAYER, e.layer},
                            {LINETYPE, e.linetype},
                            {COLOUR, e.colour},
                            {TRUE_COLOUR, e.true_colour},
                            {LINEWEIGHT, e.lineweight}})
    if (mask & bit)
      put(out, value);
  for (int i = 0; i < 4; ++i) {
    if (mask & (POINT_XY << (2 * i))) {
      put(out, e.p[i].x);
      put(out, e.p[i].y);
    }
    if (mask & (POINT_XY << (2 * i + 1)))
      put(out, e.p[i].z);
  }
  if (mask & EXTRUSION)
    put(out, e.extrusion);
  for (int i = 0; i < 8; ++i)
    if (mask & (REAL << i))
      put(out, *reals(e, i));
  for (int i = 0; i < 6; ++i)
    if (mask & (INTEGER << i))
      put(out, *integers(e, i));
  if (mask & I68)
    put(out, e.i68);
  if (mask & SCALE_GIVEN)
    put(out, e.scale_given);
  if (mask & VERTICES) {
    put(out, uint32_t(e.vertices.size()));
    for (const dxfVertex& v : e.vertices)
      put_vertex(out, v);
  }
  if (mask & TEXT)
    put_text(out, e.text);
  if (mask & NAME)
    put_text(out, e.name);
  if (mask & EXTRA)
    put_text(out, e.extra->style);
  if (mask & LAYOUT)
    put_text(out, e.extra->layout);
  if (mask & XDATA) {
    put(out, uint32_t(e.extra->xdata.size()));
    for (const auto& [application, values] : e.extra->xdata) {
      put_text(out, application);
      put_text(out, values);
    }
  }
}

const char* dxf_unpack_entity(const char* data, dxfEntity& e) {
  const dxfEntity& d = fresh();
  take(data, e.kind);
  take(data, e.part_of);
  for (uint8_t* flag : {&e.invisible, &e.paper_space, &e.has_handle, &e.graphics})
    take(data, *flag);
  uint64_t mask = 0;
  take(data, mask);
  take(data, e.line);
  take_or(data, mask, LINETYPE_SCALE, e.linetype_scale, d.linetype_scale);
  take_or(data, mask, HANDLE, e.handle, d.handle);
  for (auto [bit, value, fallback] : {std::tuple<uint64_t, int*, int>{LAYER, &e.layer, d.layer},
                                      {LINETYPE, &e.linetype, d.linetype},
                                      {COLOUR, &e.colour, d.colour},
                                      {TRUE_COLOUR, &e.true_colour, d.true_colour},
                                      {LINEWEIGHT, &e.lineweight, d.lineweight}})
    take_or(data, mask, bit, *value, fallback);
  for (int i = 0; i < 4; ++i) {
    e.p[i] = dxfPoint();
    if (mask & (POINT_XY << (2 * i))) {
      take(data, e.p[i].x);
      take(data, e.p[i].y);
    }
    if (mask & (POINT_XY << (2 * i + 1)))
      take(data, e.p[i].z);
  }
  take_or(data, mask, EXTRUSION, e.extrusion, d.extrusion);
  for (int i = 0; i < 8; ++i)
    take_or(data, mask, REAL << i, *reals(e, i), 0.0);
  for (int i = 0; i < 6; ++i)
    take_or(data, mask, INTEGER << i, *integers(e, i), 0);
  take_or(data, mask, I68, e.i68, d.i68);
  take_or(data, mask, SCALE_GIVEN, e.scale_given, d.scale_given);
  e.vertices.clear();
  if (mask & VERTICES) {
    uint32_t count = 0;
    take(data, count);
    e.vertices.resize(count);
    for (dxfVertex& v : e.vertices)
      take_vertex(data, v);
  }
  e.text.clear();
  if (mask & TEXT)
    take_text(data, e.text);
  e.name.clear();
  if (mask & NAME)
    take_text(data, e.name);
  e.extra.reset();
  if (mask & EXTRA) {
    dxfEntityExtra& x = e.more();
    take_text(data, x.style);
    if (mask & LAYOUT)
      take_text(data, x.layout);
    if (mask & XDATA) {
      uint32_t count = 0;
      take(data, count);
      x.xdata.resize(count);
      for (auto& [application, values] : x.xdata) {
        take_text(data, application);
        take_text(data, values);
      }
    }
  }
  return data;
}
