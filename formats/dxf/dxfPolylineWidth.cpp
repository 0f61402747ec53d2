// dxfPolylineWidth.cpp - a wide polyline's widths as a property of its curve, and back.
#include "dxfPolylineWidth.h"

#include "kapProperties.h"
#include "kapProperty.h"
#include "kapPropertyPtrArray.h"
#include "vorabsAttributeKey.h"
#include "vorabsAttributePtr.h"
#include "vorabsAttributeSet.h"
#include "vorabsTranslator.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char property_type[] = "polyline width";
const char property_title[] = "widths";

// A width as the file gives it: negative or not finite draws no band.
double width(double given) {
  return std::isfinite(given) && given > 0.0 ? given : 0.0;
}

} // namespace

dxfSegmentWidths dxf_polyline_widths(const dxfEntity& e) {
  dxfSegmentWidths widths;
  const bool lightweight = e.kind == dxfKind::LWPOLYLINE;
  // A 3D polyline (8) or a mesh (16, 64) has no width.
  if (!(lightweight || (e.kind == dxfKind::POLYLINE && (e.i70 & (8 | 16 | 64)) == 0)))
    return widths;
  const size_t n = e.vertices.size();
  const size_t segments = n < 2 ? 0 : (e.i70 & 1) ? n : n - 1;
  // LWPOLYLINE's constant width (43) stands where a vertex gives none.
  const double all = lightweight ? width(e.d43) : 0.0;
  bool any = false, constant = true;
  for (size_t i = 0; i < segments; ++i) {
    const dxfVertex& v = e.vertices[i];
    double start = width(v.start_width), end = width(v.end_width);
    if (start == 0.0 && end == 0.0)
      start = end = all;
    widths.emplace_back(start, end);
    any = any || start > 0.0 || end > 0.0;
    constant = constant && start == widths[0].first && end == widths[0].first;
  }
  if (!any)
    widths.clear();
  else if (constant)
    widths.resize(1);
  return widths;
}

void dxf_add_width_property(vorabsTranslator& translator, const vorabsContext& context,
                            const dxfSegmentWidths& widths) {
  if (widths.empty())
    return;
  std::string text;
  char pair[64];
  for (const auto& w : widths) {
    std::snprintf(pair, sizeof pair, "%s%.10g %.10g", text.empty() ? "" : "; ", w.first, w.second);
    text += pair;
  }
  kapProperty* made = new kapProperty(context);
  made->set_title(utString(property_title));
  made->set_type(utString(property_type));
  made->set_value(utString(text.c_str()));
  translator.add_property(kapPropertycoPrf(made));
}

dxfSegmentWidths dxf_widths_of(const vorabsAttributeSet& attributes) {
  dxfSegmentWidths widths;
  vorabsAttributePtr<kapProperties> properties;
  if (!attributes.get(vorabsPROPERTIES, properties) || properties.invalid() ||
      properties->invalid())
    return widths;
  const kapPropertyPtrArray& array = *properties->properties();
  for (int i = 0; i < array.num_properties(); ++i) {
    kapPropertycoPrf property = array.read(i);
    if (property.invalid() || std::strcmp(property->type().c_str(), property_type) != 0 ||
        std::strcmp(property->title().c_str(), property_title) != 0)
      continue;
    const char* text = property->value().c_str();
    while (*text) {
      char* end = nullptr;
      const double start = std::strtod(text, &end);
      if (end == text)
        return dxfSegmentWidths();
      text = end;
      const double stop = std::strtod(text, &end);
      if (end == text || !std::isfinite(start) || !std::isfinite(stop))
        return dxfSegmentWidths();
      widths.emplace_back(start, stop);
      text = end;
      if (*text == ';')
        ++text;
      else if (*text)
        return dxfSegmentWidths();
    }
  }
  return widths;
}
