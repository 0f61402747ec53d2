// dxfLight.cpp - LIGHT entities.
#include "dxfLight.h"

#include "kapProperty.h"

#include <cstdio>

namespace {

kapPropertycoPrf light_property(const vorabsContext& context, const char* title,
                                const char* value) {
  kapProperty* made = new kapProperty(context);
  made->set_title(utString(title));
  made->set_type(utString("light"));
  made->set_value(utString(value));
  return kapPropertycoPrf(made);
}

std::string point_text(const dxfPoint& p) {
  char text[96];
  std::snprintf(text, sizeof text, "%.17g %.17g %.17g", p.x, p.y, p.z);
  return text;
}

std::string number_text(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

} // namespace

dxfLightEntityTranslator::dxfLightEntityTranslator(const vorabsContext& context,
                                                   dxfTablesPtr tables, const dxfEntity& entity,
                                                   const dxfLook& look)
    : dxfLeafTranslator(context, std::move(tables), entity, look) {
  add_property(light_property(context, "position", point_text(entity.p[0]).c_str()));
  if (entity.i70 != 2)
    add_property(light_property(context, "target", point_text(entity.p[1]).c_str()));
  add_property(light_property(context, "intensity", number_text(entity.d40).c_str()));
  if (entity.i70 == 3) {
    add_property(light_property(context, "hotspot angle", number_text(entity.a50).c_str()));
    add_property(light_property(context, "falloff angle", number_text(entity.a51).c_str()));
  }
}

dxfLightEntityTranslator::~dxfLightEntityTranslator() = default;

const char* dxfLightEntityTranslator::kind(const dxfEntity& light) {
  return light.i70 == 1 ? "distant" : light.i70 == 3 ? "spot" : "point";
}

vorabsTranslationStatus dxfLightEntityTranslator::create_light(annLightannPtr& light) {
  utString name = tables_->decoder().decode(entity_->text);
  if (name.length() == 0)
    name = dxfTables::entity_name(*entity_);
  light = annLight::make_annLight(context().document(), utString(kind(*entity_)), name);
  return vorabsSTATUS_OK;
}
