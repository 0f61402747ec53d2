// dxfHatchPattern.cpp - hatch patterns as fill-area properties and back.
#include "dxfHatchPattern.h"

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

namespace {

const char property_type[] = "fill pattern";
const char* const kind_names[] = {"user-defined", "predefined", "custom"};

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", std::isfinite(value) ? value : 0.0);
  return text;
}

std::string lines_text(const std::vector<dxfPatternLine>& lines) {
  std::string text;
  for (const dxfPatternLine& line : lines) {
    if (!text.empty())
      text += ";";
    text += number(line.angle) + "," + number(line.x) + "," + number(line.y) + "," +
            number(line.dx) + "," + number(line.dy);
    for (double dash : line.dashes)
      text += "," + number(dash);
  }
  return text;
}

void add(vorabsTranslator& translator, const vorabsContext& context, const char* title,
         const utString& value) {
  kapProperty* made = new kapProperty(context);
  made->set_title(utString(title));
  made->set_type(utString(property_type));
  made->set_value(value);
  translator.add_property(kapPropertycoPrf(made));
}

// Reads "angle,x,y,dx,dy[,dash...]" lines separated by ";"; false for
// anything else.
bool read_lines(const char* text, std::vector<dxfPatternLine>& lines) {
  while (*text) {
    std::vector<double> values;
    for (;;) {
      char* end = nullptr;
      double value = std::strtod(text, &end);
      if (end == text || !std::isfinite(value))
        return false;
      values.push_back(value);
      text = end;
      if (*text != ',')
        break;
      ++text;
    }
    if (values.size() < 5 || (*text && *text != ';'))
      return false;
    if (*text == ';')
      ++text;
    dxfPatternLine line{values[0], values[1], values[2], values[3], values[4], {}};
    line.dashes.assign(values.begin() + 5, values.end());
    lines.push_back(std::move(line));
  }
  return true;
}

double real(const utString& value, double fallback) {
  char* end = nullptr;
  double parsed = std::strtod(value.c_str(), &end);
  return end != value.c_str() && std::isfinite(parsed) ? parsed : fallback;
}

} // namespace

void dxf_add_pattern_properties(vorabsTranslator& translator, const vorabsContext& context,
                                const dxfHatch& hatch, const utString& name) {
  if (hatch.solid)
    return;
  int kind = hatch.pattern_kind >= 0 && hatch.pattern_kind <= 2 ? hatch.pattern_kind : 1;
  add(translator, context, "pattern name", name);
  add(translator, context, "pattern kind", utString(kind_names[kind]));
  add(translator, context, "pattern angle", utString(number(hatch.pattern_angle).c_str()));
  add(translator, context, "pattern scale", utString(number(hatch.pattern_scale).c_str()));
  add(translator, context, "pattern double", utString(hatch.pattern_double ? "1" : "0"));
  add(translator, context, "pattern lines", utString(lines_text(hatch.pattern_lines).c_str()));
}

int dxf_fill_pattern(const vorabsAttributeSet& attributes, dxfFillPattern& pattern) {
  vorabsAttributePtr<kapProperties> properties;
  if (!attributes.get(vorabsPROPERTIES, properties) || properties.invalid() ||
      properties->invalid())
    return 0;
  const kapPropertyPtrArray& array = *properties->properties();
  int named = 0;
  for (int i = 0; i < array.num_properties(); ++i) {
    kapPropertycoPrf property = array.read(i);
    if (!property.invalid() && std::strcmp(property->type().c_str(), "fill mask") == 0 &&
        std::strcmp(property->title().c_str(), "mask") == 0)
      pattern.mask = std::strcmp(property->value().c_str(), "1") == 0;
    if (property.invalid() || std::strcmp(property->type().c_str(), property_type) != 0)
      continue;
    const std::string title = property->title().c_str();
    const utString& value = property->value();
    if (title == "pattern name") {
      pattern.name = value.c_str();
      named = !pattern.name.empty();
    } else if (title == "pattern kind") {
      for (int k = 0; k < 3; ++k)
        if (std::strcmp(value.c_str(), kind_names[k]) == 0)
          pattern.kind = k;
    } else if (title == "pattern angle")
      pattern.angle = real(value, 0.0);
    else if (title == "pattern scale")
      pattern.scale = real(value, 1.0);
    else if (title == "pattern double")
      pattern.twice = std::strcmp(value.c_str(), "1") == 0;
    else if (title == "pattern lines" && !read_lines(value.c_str(), pattern.lines))
      return 0;
  }
  return named || pattern.mask;
}
