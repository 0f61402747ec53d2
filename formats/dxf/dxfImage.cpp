// dxfImage.cpp - IMAGE and WIPEOUT entities.
#include "dxfImage.h"

#include "dxfAnnotationTranslators.h"

#include "kapProperty.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

bool finite(const dxfPoint& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// The clip boundary in pixel coordinates, as a closed polygon.
std::vector<giPoint2> pixel_polygon(const dxfEntity& e) {
  std::vector<giPoint2> corners;
  for (const dxfVertex& v : e.vertices)
    corners.emplace_back(v.x, v.y);
  if (corners.size() < 2) // the whole raster
    corners = {giPoint2(-0.5, -0.5), giPoint2(e.p[3].x - 0.5, e.p[3].y - 0.5)};
  if (corners.size() == 2) {
    giPoint2 a = corners[0], b = corners[1];
    corners = {a, giPoint2(b.x, a.y), b, giPoint2(a.x, b.y)};
  }
  if (!(corners.front() == corners.back()))
    corners.push_back(corners.front());
  return corners;
}

// The mask of a WIPEOUT lying in the xy plane: a fill area over its boundary.
class MaskTranslator final : public dxfLeafTranslator<vorabsFillAreaTranslator> {
public:
  MaskTranslator(const vorabsContext& context, dxfTablesPtr tables, const dxfEntity& entity,
                 const dxfLook& look, velCurvePtr2 outline)
      : dxfLeafTranslator(context, std::move(tables), entity, look), outline_(std::move(outline)) {}

protected:
  int num_inner_boundaries() override { return 0; }
  void inner_boundary(velCurvePtr2&, int, vorabsAttributeSet&) override {}
  void outer_boundary(velCurvePtr2& curve, vorabsAttributeSet&) override { curve = outline_; }
  void complete_fill_area(annFillAreaannPtr&) override {}

private:
  velCurvePtr2 outline_;
};

void add_property(vorabsTranslator& translator, const vorabsContext& context, const char* type,
                  const char* title, const utString& value) {
  kapProperty* made = new kapProperty(context);
  made->set_title(utString(title));
  made->set_type(utString(type));
  made->set_value(value);
  translator.add_property(kapPropertycoPrf(made));
}

} // namespace

void dxf_decode_image(const dxfTags& tags, dxfEntity& e, dxfFile&) {
  for (const dxfTag& t : tags) {
    int c = t.code;
    if (c >= 10 && c <= 33 && c % 10 <= 3 && c != 33) {
      dxfPoint& p = e.p[c % 10];
      (c < 20 ? p.x : c < 30 ? p.y : p.z) = dxf_tag_number(t);
    } else if (c == 14) {
      e.vertices.emplace_back();
      e.vertices.back().x = dxf_tag_number(t);
    } else if (c == 24 && !e.vertices.empty())
      e.vertices.back().y = dxf_tag_number(t);
    else if (c == 71)
      e.i71 = dxf_tag_int(t);
    else if (c == 340)
      e.name = std::string(t.value);
  }
}

velCurvePtr3 dxf_image_boundary(const dxfEntity& e, std::string& why) {
  const dxfPoint &at = e.p[0], &u = e.p[1], &v = e.p[2];
  if (!finite(at) || !finite(u) || !finite(v) || !std::isfinite(e.p[3].x) ||
      !std::isfinite(e.p[3].y)) {
    why = "its placement or size is not usable";
    return velCurvePtr3();
  }
  // Pixel rows count down from the top of the raster.
  double height = e.p[3].y;
  std::vector<giPoint3> points;
  for (const giPoint2& p : pixel_polygon(e)) {
    double a = p.x + 0.5, b = height - p.y - 0.5;
    points.emplace_back(at.x + u.x * a + v.x * b, at.y + u.y * a + v.y * b,
                        at.z + u.z * a + v.z * b);
  }
  if (points.size() < 3) {
    why = "its clip boundary has fewer than two corners";
    return velCurvePtr3();
  }
  return velCurvePtr3(new velPolyline3(points));
}

vorabsTranslatorcoPrf dxf_image_translator(const vorabsContext& context, dxfTablesPtr tables,
                                           const dxfEntity& e, const dxfLook& look) {
  if (e.kind == dxfKind::IMAGE) {
    vorabsTranslatorcoPrf made(new dxfCurveEntityTranslator(context, tables, e, look));
    auto file = tables->file().image_files.find(std::strtoull(e.name.c_str(), nullptr, 16));
    if (file != tables->file().image_files.end())
      add_property(*made, context, "image", "image file", tables->decoder().decode(file->second));
    char size[64];
    std::snprintf(size, sizeof size, "%.0f x %.0f pixels", e.p[3].x, e.p[3].y);
    add_property(*made, context, "image", "image size", utString(size));
    return made;
  }
  // A WIPEOUT in the xy plane is the fill area that masks; elsewhere only
  // its boundary can be drawn.
  std::string why;
  velCurvePtr3 boundary = dxf_image_boundary(e, why);
  vorabsTranslatorcoPrf outline(new dxfCurveEntityTranslator(context, tables, e, look));
  if (boundary.invalid())
    return outline;
  const auto& polygon = static_cast<const velPolyline3&>(*boundary);
  std::vector<giPoint2> points;
  for (int i = 0; i < polygon.num_points(); ++i) {
    if (polygon.point(i).z != 0.0)
      return outline;
    points.emplace_back(polygon.point(i).x, polygon.point(i).y);
  }
  vorabsTranslatorcoPrf mask(
      new MaskTranslator(context, tables, e, look, velCurvePtr2(new velPolyline2(points))));
  add_property(*mask, context, "fill mask", "mask", utString("1"));
  return mask;
}
