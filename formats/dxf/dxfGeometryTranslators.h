// dxfGeometryTranslators.h - translators of geometry that is not one entity's one curve or mesh.
//
// A polyface mesh whose face records give edges (two indices) as well as,
// or instead of, faces becomes a group of its triangle block and one line
// per edge. Each translator refers to its entity record inside the shared
// dxfTables, which it keeps alive; the curves it is given it shares.
#pragma once

#include "dxfTranslators.h"

#include <string>

// A curve made beforehand from part of an entity, named after the entity
// with a suffix ("POLYLINE 4D edge 2"), so that it is not counted as an
// entity of its own.
class dxfGivenCurveTranslator final : public dxfLeafTranslator<vorabsCurveTranslator> {
public:
  dxfGivenCurveTranslator(const vorabsContext& context, dxfTablesPtr tables,
                          const dxfEntity& entity, const dxfLook& look, velCurvePtr3 curve,
                          const std::string& suffix);
  ~dxfGivenCurveTranslator() override;
  void attributes(vorabsAttributeSet& set) const override;

protected:
  vorabsTranslationStatus create_curve(velCurvePtr3& curve) override;

private:
  velCurvePtr3 curve_;
  std::string suffix_;
};

// The translator of a polygon or polyface mesh POLYLINE.
vorabsTranslatorcoPrf dxf_mesh_translator(const vorabsContext& context, dxfTablesPtr tables,
                                          const dxfEntity& entity, const dxfLook& look);
