// dxfTranslators.cpp - creation operations and attributes of the DXF translators.
#include "dxfTranslators.h"

#include "dxfGeometry.h"

#include "vorabsDefaultNameMangler.h"
#include "vorabsOutput.h"

dxfCurveEntityTranslator::~dxfCurveEntityTranslator() = default;

vorabsTranslationStatus dxfCurveEntityTranslator::create_curve(velCurvePtr3& curve) {
  if (entity_->kind == dxfKind::RAY || entity_->kind == dxfKind::XLINE) {
    // A line without end has no extent a drawing could hold: construction
    // geometry, left out with a word.
    if (output())
      output()->tprintf("vorabs_dxf", "Entity %s is ignored: a line without end is not drawn.\n",
                        dxfTables::entity_name(*entity_).c_str());
    return vorabsSTATUS_IGNORED;
  }
  std::string why;
  int affine = !transform().invalid() && !transform().shape_preserving();
  curve = dxf_make_curve(*entity_, affine, why);
  return curve.invalid() ? refuse(why) : vorabsTranslationStatus(vorabsSTATUS_OK);
}

dxfPointEntityTranslator::~dxfPointEntityTranslator() = default;

vorabsTranslationStatus dxfPointEntityTranslator::create_point(giPoint3& point) {
  const dxfPoint& p = entity_->p[0];
  point = giPoint3(p.x, p.y, p.z);
  return vorabsSTATUS_OK;
}

dxfMeshEntityTranslator::~dxfMeshEntityTranslator() = default;

namespace {

// Whether a polyface mesh has any face record.
bool has_faces(const dxfEntity& e) {
  for (const dxfVertex& v : e.vertices)
    if ((v.flags & 128) && !(v.flags & 64))
      return true;
  return false;
}

} // namespace

vorabsTranslationStatus dxfMeshEntityTranslator::create_triblock(giTriBlock& block) {
  if (entity_->kind == dxfKind::POLYLINE && (entity_->i70 & 64) && !has_faces(*entity_)) {
    if (output())
      output()->tprintf("vorabs_dxf", "Entity %s is ignored: its polyface mesh has no faces.\n",
                        dxfTables::entity_name(*entity_).c_str());
    return vorabsSTATUS_IGNORED;
  }
  std::string why;
  if (!dxf_make_triblock(*entity_, block, why))
    return refuse(why);
  return vorabsSTATUS_OK;
}

dxfGroupEntityTranslator::dxfGroupEntityTranslator(const vorabsContext& context,
                                                   dxfTablesPtr tables, const utString& name,
                                                   const giXform3& placement,
                                                   const dxfEntity* entity, const dxfLook& look)
    : vorabsGroupTranslator(sto_class_annGroup(), placement, context), tables_(std::move(tables)),
      name_(name), entity_(entity), look_(look) {}

dxfGroupEntityTranslator::~dxfGroupEntityTranslator() = default;

void dxfGroupEntityTranslator::attributes(vorabsAttributeSet& set) const {
  vorabsGroupTranslator::attributes(set);
  if (entity_)
    tables_->add_attributes(*entity_, look_, set);
  if (!entity_ || !name_.empty())
    dxfTables::add_name(name_, set);
}

vorabsNameMangler* dxfGroupEntityTranslator::create_name_mangler(utPtrRelease) const {
  return new vorabsDefaultNameMangler(name_);
}

dxfLayoutTranslator::dxfLayoutTranslator(const vorabsContext& context, const utString& name)
    : vorabsDrawingTranslator(context), name_(name) {}

dxfLayoutTranslator::~dxfLayoutTranslator() = default;

void dxfLayoutTranslator::attributes(vorabsAttributeSet& set) const {
  vorabsDrawingTranslator::attributes(set);
  dxfTables::add_name(name_, set);
}

vorabsNameMangler* dxfLayoutTranslator::create_name_mangler(utPtrRelease) const {
  return new vorabsDefaultNameMangler(name_);
}

dxfViewportTranslator::dxfViewportTranslator(const vorabsContext& context, dxfTablesPtr tables,
                                             const dxfEntity& viewport, const dxfLook& look)
    : vorabsViewTranslator(sheet_box(viewport), placement(viewport), context),
      tables_(std::move(tables)), entity_(&viewport), look_(look) {}

dxfViewportTranslator::~dxfViewportTranslator() = default;

void dxfViewportTranslator::attributes(vorabsAttributeSet& set) const {
  vorabsViewTranslator::attributes(set);
  tables_->add_attributes(*entity_, look_, set);
}

vorabsNameMangler* dxfViewportTranslator::create_name_mangler(utPtrRelease) const {
  return new vorabsDefaultNameMangler(utString("VIEWPORT"));
}

giXform3 dxfViewportTranslator::placement(const dxfEntity& v) {
  // The view centre (top views) goes to the sheet centre, scaled by
  // sheet height over view height.
  double scale = v.d45 > 0.0 && v.d41 > 0.0 ? v.d41 / v.d45 : 1.0;
  double cx = v.p[2].x, cy = v.p[2].y;
  const double m[4][4] = {{scale, 0, 0, v.p[0].x - scale * cx},
                          {0, scale, 0, v.p[0].y - scale * cy},
                          {0, 0, scale, 0},
                          {0, 0, 0, 1}};
  return giXform3(m);
}

giBox3 dxfViewportTranslator::sheet_box(const dxfEntity& v) {
  return giBox3(giPoint3(v.p[0].x - v.d40 / 2, v.p[0].y - v.d41 / 2, 0),
                giPoint3(v.p[0].x + v.d40 / 2, v.p[0].y + v.d41 / 2, 0));
}
