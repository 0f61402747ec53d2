// dxfAttributes.cpp - BYLAYER, BYBLOCK and the layer-0 rule; ACI colours; curve fonts.
#include "dxfAttributes.h"

#include "vorabsAttributePtr.h"
#include "vorabsAttributeKey.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

// The dashes as drawn: the linetype's lengths times the drawing's scale.
vorabsCurveFont font_of(const dxfLinetype& type, const dxfTextDecoder& decoder, double scale) {
  vorabsCurveFont font(decoder.decode(type.name));
  // Dashes (> 0), gaps (< 0) and dots (0) alternate; runs of one sign merge.
  std::vector<double> lengths;
  int first_visible = 1;
  int last_sign = 0;
  for (double element : type.elements) {
    int sign = element < 0.0 ? -1 : 1;
    if (lengths.empty())
      first_visible = sign > 0;
    if (sign == last_sign)
      lengths.back() += std::fabs(element) * scale;
    else
      lengths.push_back(std::fabs(element) * scale);
    last_sign = sign;
  }
  font.set_num_segments(int(lengths.size()));
  for (size_t i = 0; i < lengths.size(); ++i)
    font.set_segment_length(int(i), lengths[i]);
  font.set_first_visible(first_visible);
  return font;
}

bool layer_hidden(const dxfLayer& layer) {
  return layer.colour < 0 || (layer.flags & 1);
}

} // namespace

dxfTables::dxfTables(std::unique_ptr<dxfFile> file)
    : file_(std::move(file)), decoder_(file_->version, file_->code_page) {
  layer_names_.reserve(file_->layers.size());
  for (const dxfLayer& layer : file_->layers)
    layer_names_.push_back(decoder_.decode(layer.name));
  fonts_.reserve(file_->linetypes.size());
  for (const dxfLinetype& type : file_->linetypes)
    fonts_.push_back(font_of(type, decoder_, file_->linetype_scale));
}

dxfLook dxfTables::resolve(const dxfEntity& e, const dxfLook* outer) const {
  dxfLook look;
  look.layer = outer && e.layer == 0 ? outer->layer : e.layer;
  const dxfLayer& layer = file_->layers[size_t(look.layer)];
  if (e.true_colour >= 0) {
    look.rgb = e.true_colour;
  } else if (e.colour == 0) {
    look.aci = outer ? outer->aci : 7;
    look.rgb = outer ? outer->rgb : -1;
  } else if (e.colour >= 256 || e.colour < 0 || e.colour > 257) {
    look.aci = std::abs(layer.colour) % 256;
    look.aci = look.aci == 0 ? 7 : look.aci;
    look.rgb = layer.true_colour;
  } else {
    look.aci = e.colour;
  }
  if (e.linetype == -1)
    look.linetype = layer.linetype;
  else if (e.linetype == -2)
    look.linetype = outer ? outer->linetype : -1;
  else
    look.linetype = e.linetype;
  if (e.lineweight == -1)
    look.lineweight = layer.lineweight;
  else if (e.lineweight == -2)
    look.lineweight = outer ? outer->lineweight : -3;
  else
    look.lineweight = e.lineweight;
  look.frozen = (outer && outer->frozen) || (layer.flags & 1);
  look.visible = !e.invisible && !layer_hidden(layer) && !look.frozen;
  return look;
}

void dxfTables::aci_rgb(int aci, double& red, double& green, double& blue) {
  static const unsigned char basic[10][3] = {
      {0, 0, 0},   {255, 0, 0},   {255, 255, 0},   {0, 255, 0},  {0, 255, 255},
      {0, 0, 255}, {255, 0, 255}, {255, 255, 255}, {65, 65, 65}, {128, 128, 128}};
  static const unsigned char greys[6] = {51, 91, 132, 173, 214, 255};
  double rgb[3];
  if (aci < 0 || aci > 255)
    aci = 7;
  if (aci < 10) {
    for (int i = 0; i < 3; ++i)
      rgb[i] = basic[aci][i];
  } else if (aci >= 250) {
    rgb[0] = rgb[1] = rgb[2] = greys[aci - 250];
  } else {
    // 24 hues of 15 degrees; within a hue five values, each full and half saturated.
    static const double values[5] = {255, 165, 127, 76, 38};
    double hue = ((aci - 10) / 10) * 15.0;
    int shade = (aci % 10) / 2;
    double value = values[shade];
    double saturation = aci % 2 ? 0.5 : 1.0;
    double h = hue / 60.0;
    double f = h - std::floor(h);
    double p = value * (1 - saturation), q = value * (1 - saturation * f),
           t = value * (1 - saturation * (1 - f));
    switch (int(h) % 6) {
    case 0:
      rgb[0] = value, rgb[1] = t, rgb[2] = p;
      break;
    case 1:
      rgb[0] = q, rgb[1] = value, rgb[2] = p;
      break;
    case 2:
      rgb[0] = p, rgb[1] = value, rgb[2] = t;
      break;
    case 3:
      rgb[0] = p, rgb[1] = q, rgb[2] = value;
      break;
    case 4:
      rgb[0] = t, rgb[1] = p, rgb[2] = value;
      break;
    default:
      rgb[0] = value, rgb[1] = p, rgb[2] = q;
      break;
    }
  }
  red = rgb[0] / 255.0;
  green = rgb[1] / 255.0;
  blue = rgb[2] / 255.0;
}

void dxfTables::add_name(const utString& name, vorabsAttributeSet& set) {
  vorabsNamevorabsAttributePtr pointer;
  set.check_out(vorabsNAME, pointer);
  *pointer = vorabsName(name, 0);
}

utString dxfTables::entity_name(const dxfEntity& e) {
  // The text of a multileader is what the multileader says: named as it.
  bool says = e.part_of == dxfKind::MULTILEADER && e.kind == dxfKind::MTEXT;
  utString name(dxf_kind_name(says ? e.part_of : e.kind));
  if (e.has_handle) {
    char handle[24] = {' '};
    char* end = std::to_chars(handle + 1, handle + sizeof handle - 1, e.handle, 16).ptr;
    for (char* c = handle + 1; c != end; ++c)
      *c = *c >= 'a' ? char(*c - 'a' + 'A') : *c;
    *end = '\0';
    name += handle;
  }
  if (e.graphics)
    name += " (graphics of an entity)"; // never the name of an entity read
  else if (e.part_of != dxfKind::UNKNOWN && !says)
    name << " of " << dxf_kind_name(e.part_of);
  return name;
}

void dxfTables::add_attributes(const dxfEntity& e, const dxfLook& look,
                               vorabsAttributeSet& set) const {
  add_name(entity_name(e), set);

  vorabsLayervorabsAttributePtr layer;
  set.check_out(vorabsLAYER, layer);
  *layer = vorabsLayer(look.layer, layer_names_[size_t(look.layer)]);

  vorabsColourvorabsAttributePtr colour;
  set.check_out(vorabsCOLOUR, colour);
  double r, g, b;
  if (look.rgb >= 0) {
    r = ((look.rgb >> 16) & 0xFF) / 255.0;
    g = ((look.rgb >> 8) & 0xFF) / 255.0;
    b = (look.rgb & 0xFF) / 255.0;
    *colour = vorabsColour(utString(""), r, g, b, -1);
  } else {
    aci_rgb(look.aci, r, g, b);
    *colour = vorabsColour(utString("ACI ") << look.aci, r, g, b, -1);
  }

  if (look.linetype >= 0 && fonts_[size_t(look.linetype)].num_segments() > 0) {
    vorabsCurveFontvorabsAttributePtr font;
    set.check_out(vorabsCURVEFONT, font);
    *font = fonts_[size_t(look.linetype)];
    if (e.linetype_scale != 1.0f) // the entity's own scale on top of the drawing's
      for (int i = 0; i < font->num_segments(); ++i)
        font->set_segment_length(i, font->segment_length(i) * double(e.linetype_scale));
  }
  if (look.lineweight >= 0) {
    doublevorabsAttributePtr width;
    set.check_out(vorabsLINEWIDTH, width);
    *width = look.lineweight / 100.0;
  }
  if (!look.visible) {
    utBoolvorabsAttributePtr visible;
    set.check_out(vorabsVISIBLE, visible);
    *visible = 0;
  }
}

const dxfStyle* dxfTables::find_style(const std::string& name) const {
  auto same = [](const std::string& a, const std::string& b) {
    if (a.size() != b.size())
      return false;
    for (size_t i = 0; i < a.size(); ++i)
      if (std::tolower((unsigned char)a[i]) != std::tolower((unsigned char)b[i]))
        return false;
    return true;
  };
  for (const dxfStyle& style : file_->styles)
    if (same(style.name, name))
      return &style;
  return nullptr;
}
