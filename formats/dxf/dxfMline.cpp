// dxfMline.cpp - multilines as groups of their elements.
#include "dxfMline.h"

#include "dxfAnnotationTranslators.h"
#include "dxfGeometryTranslators.h"

#include <algorithm>
#include <cmath>

namespace {

struct Vertex {
  dxfPoint at, miter;
  std::vector<double> offsets; // per element, along the miter
};

const dxfMlineStyle* style_of(const dxfFile& file, const dxfEntity& e) {
  for (const dxfMlineStyle& style : file.mline_styles)
    if (style.name == e.name)
      return &style;
  return nullptr;
}

velCurvePtr3 polyline(const std::vector<dxfPoint>& points, bool closed) {
  std::vector<giPoint3> made;
  for (const dxfPoint& p : points)
    if (std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z))
      made.emplace_back(p.x, p.y, p.z);
  if (closed && made.size() > 2)
    made.push_back(made.front());
  return made.size() < 2 ? velCurvePtr3() : velCurvePtr3(new velPolyline3(made));
}

} // namespace

void dxf_decode_mline(const dxfTags& tags, dxfEntity& e, dxfFile&) {
  std::vector<Vertex> vertices;
  int axis = -1; // which point the last 1x group began: 1 vertex, 3 miter
  bool first_parameter = false;
  for (const dxfTag& t : tags) {
    int c = t.code;
    double v = dxf_tag_number(t);
    if (c == 2)
      e.name = std::string(t.value.substr(0, t.value.find_last_not_of(" \r") + 1));
    else if (c == 70)
      e.i70 = dxf_tag_int(t);
    else if (c == 71)
      e.i71 = dxf_tag_int(t);
    else if (c == 11) {
      vertices.emplace_back();
      vertices.back().at.x = v;
      axis = 1;
    } else if (c == 13 && !vertices.empty()) {
      vertices.back().miter.x = v;
      axis = 3;
    } else if ((c == 21 || c == 31) && axis == 1)
      (c == 21 ? vertices.back().at.y : vertices.back().at.z) = v;
    else if ((c == 23 || c == 33) && axis == 3)
      (c == 23 ? vertices.back().miter.y : vertices.back().miter.z) = v;
    else if (c == 74)
      first_parameter = true;
    else if (c == 41 && first_parameter && !vertices.empty()) {
      vertices.back().offsets.push_back(v);
      first_parameter = false;
    }
    if (c != 11 && c != 21 && c != 31 && c != 13 && c != 23 && c != 33 && c != 12 && c != 22 &&
        c != 32)
      axis = -1;
  }
  size_t elements = 0;
  for (const Vertex& vertex : vertices)
    elements = std::max(elements, vertex.offsets.size());
  std::vector<std::vector<dxfPoint>>& lines = e.more().lines;
  lines.assign(elements, {});
  for (const Vertex& vertex : vertices)
    for (size_t j = 0; j < vertex.offsets.size(); ++j) {
      double d = vertex.offsets[j];
      lines[j].push_back(dxfPoint{vertex.at.x + vertex.miter.x * d,
                                  vertex.at.y + vertex.miter.y * d,
                                  vertex.at.z + vertex.miter.z * d});
    }
}

vorabsTranslatorcoPrf dxf_mline_translator(const vorabsContext& context, dxfTablesPtr tables,
                                           const dxfEntity& e, const dxfLook& look) {
  auto group = std::make_shared<dxfAnnotationGroupTranslator<vorabsGroupTranslator>>(
      tables, e, look, sto_class_annGroup(), giXform3(giXformIdentity), context);
  if (!e.extra)
    return vorabsTranslatorcoPrf(group);
  const dxfFile& file = tables->file();
  const dxfMlineStyle* style = style_of(file, e);
  const auto& lines = e.extra->lines;
  bool closed = e.i71 & 2;
  auto add = [&](const velCurvePtr3& curve, const dxfLook& own, const std::string& suffix) {
    if (!curve.invalid())
      group->add_translator(vorabsTranslatorcoPrf(
          new dxfGivenCurveTranslator(context, tables, e, own, curve, suffix)));
  };
  size_t outer = 0, inner = 0; // the elements of largest and smallest offset
  for (size_t j = 0; j < lines.size(); ++j) {
    dxfLook own = look;
    if (style && j < style->elements.size()) {
      const dxfMlineElement& element = style->elements[j];
      if (element.colour >= 1 && element.colour <= 255)
        own.aci = element.colour, own.rgb = -1;
      int linetype = file.linetype_index(element.linetype.data(), element.linetype.size());
      if (linetype >= 0)
        own.linetype = linetype;
      if (element.offset > style->elements[outer].offset)
        outer = j;
      if (element.offset < style->elements[inner].offset)
        inner = j;
    }
    add(polyline(lines[j], closed), own, "element " + std::to_string(j + 1));
  }
  if (!style || closed || outer == inner || lines[outer].empty() ||
      lines[outer].size() != lines[inner].size())
    return vorabsTranslatorcoPrf(group);
  if ((style->flags & (16 | 64)) && !(e.i71 & 4))
    add(polyline({lines[outer].front(), lines[inner].front()}, false), look, "start cap");
  if ((style->flags & (256 | 1024)) && !(e.i71 & 8))
    add(polyline({lines[outer].back(), lines[inner].back()}, false), look, "end cap");
  return vorabsTranslatorcoPrf(group);
}
