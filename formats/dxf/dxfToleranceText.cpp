// dxfToleranceText.cpp - composing a TOLERANCE entity's text from GD&T items.
#include "dxfToleranceText.h"

#include "dxfTolerance.h"

#include <cfloat>
#include <cstdio>
#include <vector>

namespace {

// The GDT font letter of a characteristic's name, 0 when unknown.
char characteristic_letter(const std::string& name) {
  static const char* const names[] = {
      "angularity",  "perpendicularity", "flatness",         "profile of a surface",
      "circularity", "parallelism",      "cylindricity",     "circular runout",
      "symmetry",    "position",         "profile of a line"};
  for (size_t i = 0; i < sizeof names / sizeof names[0]; ++i)
    if (name == names[i])
      return char('a' + i);
  return name == "concentricity"  ? 'r'
         : name == "total runout" ? 't'
         : name == "straightness" ? 'u'
                                  : 0;
}

std::string gdt(char letter) {
  return std::string("{\\Fgdt;") + letter + "}";
}

// The letters of the modifiers after a value (the diameter goes before it).
std::string modifier_letters(const intcoSet& modifiers) {
  static const std::pair<int, char> letters[] = {
      {dxfGDT_MMC, 'm'},        {dxfGDT_LMC, 'l'},
      {dxfGDT_RFS, 's'},        {dxfGDT_PROJECTED_ZONE, 'p'},
      {dxfGDT_FREE_STATE, 'f'}, {dxfGDT_TANGENT_PLANE, 't'}};
  std::string out;
  for (const auto& m : letters)
    if (modifiers.member(m.first))
      out += gdt(m.second);
  return out;
}

std::string value_text(double value) {
  if (value == DBL_MAX)
    return std::string();
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

std::vector<std::string> split(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at = text.find("; "); at != std::string::npos; at = text.find("; ", start)) {
    parts.push_back(text.substr(start, at - start));
    start = at + 2;
  }
  parts.push_back(text.substr(start));
  return parts;
}

std::string row_text(const gdtToleranceSpec& row, const std::string& characteristic) {
  std::vector<std::string> tolerances, datums;
  for (const annGeometryItemannPtr& member : row.get_group_geometry()) {
    if (auto* t = gdtTolerance::sto_dynamic_cast(member.pointer()))
      tolerances.push_back((t->modifiers().member(dxfGDT_DIAMETER) ? gdt('n') : "") +
                           value_text(t->tolerance_value()) + modifier_letters(t->modifiers()));
    else if (auto* d = gdtDatumRef::sto_dynamic_cast(member.pointer()))
      datums.push_back(d->label().c_str() + modifier_letters(d->modifiers()));
  }
  tolerances.resize(2);
  datums.resize(3);
  char letter = characteristic_letter(characteristic);
  std::string out = letter ? gdt(letter) : std::string();
  for (const std::string& cell : tolerances)
    out += "%%v" + cell;
  for (const std::string& cell : datums)
    out += "%%v" + cell;
  return out;
}

} // namespace

std::string dxf_tolerance_text(const annNamedItem& tolerance, const std::string& characteristics,
                               const std::string& zone) {
  const auto* frame = gdtGeometricToleranceBase::sto_dynamic_cast(&tolerance);
  if (!frame)
    return std::string();
  std::vector<std::string> names = split(characteristics);
  std::vector<std::string> lines;
  std::string identifier;
  for (const annGeometryItemannPtr& member : frame->get_group_geometry()) {
    if (auto* row = gdtToleranceSpec::sto_dynamic_cast(member.pointer())) {
      if (lines.size() < 2)
        lines.push_back(row_text(*row, lines.size() < names.size() ? names[lines.size()] : ""));
    } else if (auto* datum = gdtDatum::sto_dynamic_cast(member.pointer())) {
      identifier = datum->label().c_str();
    }
  }
  if (lines.empty())
    return std::string();
  if (!zone.empty())
    lines.push_back(zone);
  if (!identifier.empty())
    lines.push_back(identifier);
  std::string out;
  for (const std::string& line : lines)
    out += (out.empty() ? "" : "^J") + line;
  return out;
}
