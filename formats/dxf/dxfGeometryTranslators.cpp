// dxfGeometryTranslators.cpp - polyface meshes with edges, and curves given beforehand.
#include "dxfGeometryTranslators.h"

#include "dxfAnnotationTranslators.h"
#include "dxfGeometry.h"

dxfGivenCurveTranslator::dxfGivenCurveTranslator(const vorabsContext& context, dxfTablesPtr tables,
                                                 const dxfEntity& entity, const dxfLook& look,
                                                 velCurvePtr3 curve, const std::string& suffix)
    : dxfLeafTranslator(context, std::move(tables), entity, look), curve_(std::move(curve)),
      suffix_(suffix) {}

dxfGivenCurveTranslator::~dxfGivenCurveTranslator() = default;

void dxfGivenCurveTranslator::attributes(vorabsAttributeSet& set) const {
  dxfLeafTranslator::attributes(set);
  dxfTables::add_name(dxfTables::entity_name(*entity_) + " " + suffix_.c_str(), set);
}

vorabsTranslationStatus dxfGivenCurveTranslator::create_curve(velCurvePtr3& curve) {
  curve = curve_;
  return vorabsSTATUS_OK;
}

vorabsTranslatorcoPrf dxf_mesh_translator(const vorabsContext& context, dxfTablesPtr tables,
                                          const dxfEntity& e, const dxfLook& look) {
  std::vector<velCurvePtr3> edges;
  if (e.i70 & 64)
    edges = dxf_polyface_edges(e);
  vorabsTranslatorcoPrf mesh(new dxfMeshEntityTranslator(context, tables, e, look));
  if (edges.empty())
    return mesh;
  auto group = std::make_shared<dxfAnnotationGroupTranslator<vorabsGroupTranslator>>(
      tables, e, look, sto_class_annGroup(), giXform3(giXformIdentity), context);
  giTriBlock block;
  std::string why;
  if (dxf_make_triblock(e, block, why))
    group->add_translator(mesh);
  for (size_t i = 0; i < edges.size(); ++i)
    group->add_translator(vorabsTranslatorcoPrf(new dxfGivenCurveTranslator(
        context, tables, e, look, edges[i], "edge " + std::to_string(i + 1))));
  return vorabsTranslatorcoPrf(group);
}
