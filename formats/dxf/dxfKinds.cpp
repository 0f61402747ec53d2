// dxfKinds.cpp - the table of entity kinds and the numbers of raw tags.
#include "dxfKinds.h"

#include "dxfProxyGraphics.h"
#include "dxfTable.h"
#include "dxfTolerance.h"
#include "dxfHelix.h"
#include "dxfImage.h"
#include "dxfMesh.h"
#include "dxfMline.h"
#include "dxfLeaders.h"

#include <charconv>
#include <cmath>

namespace {

const dxfKindDeclaration declarations[] = {
    {"LINE", dxfKind::LINE, nullptr},
    {"ARC", dxfKind::ARC, nullptr},
    {"CIRCLE", dxfKind::CIRCLE, nullptr},
    {"ELLIPSE", dxfKind::ELLIPSE, nullptr},
    {"LWPOLYLINE", dxfKind::LWPOLYLINE, nullptr},
    {"POLYLINE", dxfKind::POLYLINE, nullptr},
    {"VERTEX", dxfKind::VERTEX, nullptr},
    {"SEQEND", dxfKind::SEQEND, nullptr},
    {"SPLINE", dxfKind::SPLINE, nullptr},
    {"POINT", dxfKind::POINT, nullptr},
    {"3DFACE", dxfKind::FACE3D, nullptr},
    {"SOLID", dxfKind::SOLID, nullptr},
    {"INSERT", dxfKind::INSERT, nullptr},
    {"ATTRIB", dxfKind::ATTRIB, nullptr},
    {"ATTDEF", dxfKind::ATTDEF, nullptr},
    {"TEXT", dxfKind::TEXT, nullptr},
    {"MTEXT", dxfKind::MTEXT, nullptr},
    {"HATCH", dxfKind::HATCH, nullptr},
    {"DIMENSION", dxfKind::DIMENSION, nullptr},
    {"LEADER", dxfKind::LEADER, dxf_decode_leader},
    {"MULTILEADER", dxfKind::MULTILEADER, dxf_decode_multileader},
    {"MLEADER", dxfKind::MULTILEADER, dxf_decode_multileader},
    {"VIEWPORT", dxfKind::VIEWPORT, nullptr},
    {"TOLERANCE", dxfKind::TOLERANCE, dxf_decode_tolerance},
    {"ARC_DIMENSION", dxfKind::ARC_DIMENSION, nullptr},
    {"LARGE_RADIAL_DIMENSION", dxfKind::LARGE_RADIAL_DIMENSION, nullptr},
    {"ACAD_TABLE", dxfKind::ACAD_TABLE, dxf_decode_table},
    {"LIGHT", dxfKind::LIGHT, nullptr},
    {"ACAD_PROXY_ENTITY", dxfKind::ACAD_PROXY_ENTITY, dxf_decode_proxy_entity},
    {"TRACE", dxfKind::TRACE, nullptr},
    {"HELIX", dxfKind::HELIX, dxf_decode_helix},
    {"RAY", dxfKind::RAY, nullptr},
    {"XLINE", dxfKind::XLINE, nullptr},
    {"MESH", dxfKind::MESH, dxf_decode_mesh},
    {"IMAGE", dxfKind::IMAGE, dxf_decode_image},
    {"WIPEOUT", dxfKind::WIPEOUT, dxf_decode_image},
    {"MLINE", dxfKind::MLINE, dxf_decode_mline},
};

std::string_view trimmed(std::string_view v) {
  while (!v.empty() && (v.front() == ' ' || v.front() == '\t'))
    v.remove_prefix(1);
  while (!v.empty() && (v.back() == ' ' || v.back() == '\t' || v.back() == '\r'))
    v.remove_suffix(1);
  return v;
}

} // namespace

const dxfKindDeclaration* dxf_kind_declaration(std::string_view word) {
  for (const dxfKindDeclaration& d : declarations)
    if (word == d.name)
      return &d;
  return nullptr;
}

const char* dxf_kind_name(dxfKind kind) {
  for (const dxfKindDeclaration& d : declarations)
    if (d.kind == kind)
      return d.name;
  return "UNKNOWN";
}

double dxf_tag_number(const dxfTag& tag, double fallback) {
  std::string_view v = trimmed(tag.value);
  double value = 0.0;
  auto result = std::from_chars(v.data(), v.data() + v.size(), value);
  if (v.empty() || result.ec != std::errc() || result.ptr != v.data() + v.size())
    return fallback;
  return value;
}

int dxf_tag_int(const dxfTag& tag, int fallback, int low, int high) {
  double value = dxf_tag_number(tag, NAN);
  if (!(value >= double(low) && value <= double(high)))
    return fallback; // NaN, not a number, or out of range
  return int(value);
}
