// dxfLight.h - a LIGHT entity as a light of the framework.
//
// The light's kind comes from its type (70: 1 distant, 2 point, 3 spot),
// its name from group 1. The light item holds only its kind and name, so
// where it stands and shines (position 10, target 11, intensity 40, the
// spot's hotspot 50 and falloff 51 angles) travel as the translator's
// properties. The translator refers to its record inside the shared
// dxfTables.
#pragma once

#include "dxfTranslators.h"

#include "vorabsLightTranslator.h"

class dxfLightEntityTranslator final : public dxfLeafTranslator<vorabsLightTranslator> {
public:
  dxfLightEntityTranslator(const vorabsContext& context, dxfTablesPtr tables,
                           const dxfEntity& entity, const dxfLook& look);
  ~dxfLightEntityTranslator() override;

  // "distant", "point" or "spot"; "point" for a type the file does not know.
  static const char* kind(const dxfEntity& light);

protected:
  vorabsTranslationStatus create_light(annLightannPtr& light) override;
};
