// dxfAnnotationTranslators.cpp - texts, hatches and the defining points of dimensions.
#include "dxfAnnotationTranslators.h"

#include "dxfGeometry.h"
#include "dxfHatch.h"
#include "dxfTextLayout.h"

#include <cmath>

namespace {

const double pi = 3.14159265358979323846;

giPoint3 point(const dxfPoint& p) {
  return giPoint3(p.x, p.y, p.z);
}

// The workplane at origin whose u axis is turned by degrees from the OCS
// x axis of extrusion about its z axis.
giWorkplane3 turned_plane(const giPoint3& origin, const dxfPoint& extrusion, double degrees) {
  giXform3 ocs = dxf_ocs_xform(extrusion);
  double a = std::isfinite(degrees) ? degrees * pi / 180.0 : 0.0;
  return giWorkplane3(origin, ocs * giVector3(std::cos(a), std::sin(a), 0.0),
                      ocs * giVector3(-std::sin(a), std::cos(a), 0.0));
}

// The reflection in the plane through at across the unit vector axis.
giXform3 mirror(const giPoint3& at, const giVector3& axis) {
  const double a[3] = {axis.x, axis.y, axis.z}, p[3] = {at.x, at.y, at.z};
  double m[4][4] = {{0}};
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c)
      m[r][c] = (r == c ? 1.0 : 0.0) - 2.0 * a[r] * a[c];
    m[r][3] = 2.0 * a[r] * (a[0] * p[0] + a[1] * p[1] + a[2] * p[2]);
  }
  m[3][3] = 1.0;
  return giXform3(m);
}

// The direction of a TEXT's baseline in degrees: from its first point to
// its second when it fits between them (72 = 3 or 5), else its rotation.
double text_angle(const dxfEntity& e) {
  if ((e.i72 == 3 || e.i72 == 5) && (e.scale_given & 8)) {
    double dx = e.p[1].x - e.p[0].x, dy = e.p[1].y - e.p[0].y;
    if (dx != 0.0 || dy != 0.0)
      return std::atan2(dy, dx) * 180.0 / pi;
  }
  return e.a50;
}

// Nonzero when transform keeps the world xy plane where it is.
int keeps_xy_plane(const giXform3& transform) {
  const double tolerance = 1e-9;
  return std::fabs(giXform3Acc::matrix_value(transform, 2, 0)) <= tolerance &&
         std::fabs(giXform3Acc::matrix_value(transform, 2, 1)) <= tolerance &&
         std::fabs(giXform3Acc::matrix_value(transform, 2, 3)) <= tolerance;
}

} // namespace

dxfTextEntityTranslator::dxfTextEntityTranslator(const vorabsContext& context, dxfTablesPtr tables,
                                                 const dxfEntity& entity, const dxfLook& look)
    : dxfLeafTranslator(context, std::move(tables), entity, look) {
  dxfTextLayout::of_entity(entity, height(), tables_->decoder()).add_properties(*this);
}

dxfTextEntityTranslator::~dxfTextEntityTranslator() = default;

double dxfTextEntityTranslator::height() const {
  double height = entity_->d40;
  const dxfStyle* style = this->style();
  if (!(height > 0.0) && style)
    height = style->height;
  return height;
}

int dxfTextEntityTranslator::mtext() const {
  return entity_->kind == dxfKind::MTEXT;
}

const dxfStyle* dxfTextEntityTranslator::style() const {
  const dxfEntityExtra* more = entity_->extra.get();
  return tables_->find_style(more && !more->style.empty() ? more->style : "STANDARD");
}

vorabsTranslationStatus
dxfTextEntityTranslator::create_annotation(const vorabsAttributeSet& attributes,
                                           const giXform3& transform, annGeometryItemannPtr& item) {
  // Decoded once: kept for text_string() while the text is made.
  text_ = decoded();
  if (text_.empty())
    return vorabsSTATUS_IGNORED; // nothing to draw
  vorabsTranslationStatus status =
      vorabsTextTranslator::create_annotation(attributes, transform, item);
  text_ = utString();
  return status;
}

utString dxfTextEntityTranslator::decoded() const {
  // An attribute definition shows its tag.
  const std::string& raw = entity_->kind == dxfKind::ATTDEF ? entity_->name : entity_->text;
  return tables_->decoder().decode_text(raw, mtext());
}

utString dxfTextEntityTranslator::text_string() {
  return text_.is_null() ? decoded() : text_;
}

void dxfTextEntityTranslator::font_details(double& height, utString& font_name) {
  const dxfStyle* style = this->style();
  height = this->height();
  if (!style)
    return;
  const std::string& name = style->font_file.empty() ? style->family : style->font_file;
  if (!name.empty())
    font_name = tables_->decoder().decode(name);
}

void dxfTextEntityTranslator::font_details_ex(kapFontInformation& information) const {
  const dxfStyle* style = this->style();
  if (!style)
    return;
  if (!style->family.empty())
    information.set_family_name(tables_->decoder().decode(style->family));
  if (style->font_flags >= 0) {
    information.set_italic((style->font_flags >> 24) & 1);
    information.set_bold((style->font_flags >> 25) & 1);
  }
}

double dxfTextEntityTranslator::text_width() {
  int given = entity_->scale_given & 1;
  if (entity_->kind == dxfKind::MTEXT)
    return given ? entity_->d41 : 0.0;
  return given ? entity_->d41 : 1.0;
}

void dxfTextEntityTranslator::text_workplane(giWorkplane3& workplane) {
  const dxfEntity& e = *entity_;
  if (e.kind != dxfKind::MTEXT) {
    workplane =
        turned_plane(dxf_ocs_to_wcs(e.extrusion, dxf_text_anchor(e)), e.extrusion, text_angle(e));
    // Generation flags (71): 2 mirrors the text backwards, 4 upside down,
    // each about its anchor, in its own plane.
    if (e.i71 & 2)
      workplane.transform(mirror(workplane.origin(), workplane.u_vector()));
    if (e.i71 & 4)
      workplane.transform(mirror(workplane.origin(), workplane.v_vector()));
    return;
  }
  giVector3 direction(e.p[1].x, e.p[1].y, e.p[1].z);
  giVector3 normal = giVector3(e.extrusion.x, e.extrusion.y, e.extrusion.z).normalised();
  giVector3 v = normal.cross(direction);
  if (direction.length() > 0.0 && v.length() > 0.0)
    workplane = giWorkplane3(point(e.p[0]), direction, v);
  else
    workplane = turned_plane(point(e.p[0]), e.extrusion, e.a50);
}

dxfHatchEntityTranslator::~dxfHatchEntityTranslator() = default;

vorabsTranslationStatus dxfHatchEntityTranslator::create_item(const vorabsAttributeSet& attributes,
                                                              const giXform3& transform,
                                                              vorabsInterface& receiver,
                                                              vorabsLibSink& sink) {
  // A hatch without a boundary fills nothing: some programs write solid
  // ones so.
  if (!entity_->extra || dxf_outer_path(entity_->extra->hatch) < 0) {
    if (output())
      output()->tprintf("vorabs_dxf", "Entity %s is ignored: it has no boundary path.\n",
                        dxfTables::entity_name(*entity_).c_str());
    return vorabsSTATUS_IGNORED;
  }
  // The boundaries lie in the OCS plane at the elevation; the fill area is
  // placed there.
  giXform3 placement(giXformTranslate, giVector3(0.0, 0.0, entity_->p[0].z));
  placement.premultiply(dxf_ocs_xform(entity_->extrusion));
  if (placement.identity())
    return vorabsFillAreaTranslator::create_item(attributes, transform, receiver, sink);
  placement.premultiply(transform);
  if (!placement.shape_preserving() && !keeps_xy_plane(placement))
    return refuse("it lies off the xy plane under a placement that does not preserve shape");
  return vorabsFillAreaTranslator::create_item(attributes, placement, receiver, sink);
}

const dxfHatchPath* dxfHatchEntityTranslator::inner_path(int index) const {
  const dxfHatch& hatch = entity_->extra->hatch;
  int outer = dxf_outer_path(hatch);
  size_t i = size_t(index < outer ? index : index + 1);
  return index >= 0 && i < hatch.paths.size() ? &hatch.paths[i] : nullptr;
}

int dxfHatchEntityTranslator::num_inner_boundaries() {
  const dxfEntityExtra* more = entity_->extra.get();
  return more && more->hatch.paths.size() > 1 ? int(more->hatch.paths.size()) - 1 : 0;
}

void dxfHatchEntityTranslator::inner_boundary(velCurvePtr2& curve, int index, vorabsAttributeSet&) {
  const dxfHatchPath* path = inner_path(index);
  std::string why;
  if (path)
    curve = dxf_make_boundary(*path, dxf_boundary_gap(tables_->file(), *path), why);
}

void dxfHatchEntityTranslator::outer_boundary(velCurvePtr2& curve, vorabsAttributeSet&) {
  const dxfEntityExtra* more = entity_->extra.get();
  int outer = more ? dxf_outer_path(more->hatch) : -1;
  if (outer < 0) {
    refuse("it has no boundary path");
    return;
  }
  std::string why;
  const dxfHatchPath& path = more->hatch.paths[size_t(outer)];
  curve = dxf_make_boundary(path, dxf_boundary_gap(tables_->file(), path), why);
  if (curve.invalid())
    refuse("its outer boundary cannot be made: " + why);
}

void dxfHatchEntityTranslator::complete_fill_area(annFillAreaannPtr&) {}

giPoint3 dxf_dimension_point(const dxfEntity& e, double& radius) {
  radius = 0.0;
  switch (e.i70 & 7) {
  case 2: {
    // The vertex is where the extension lines 13-14 and 10-15 meet.
    const dxfPoint &a = e.point(3), &b = e.point(4), &c = e.point(0), &d = e.point(5);
    double ux = b.x - a.x, uy = b.y - a.y, vx = d.x - c.x, vy = d.y - c.y;
    double det = ux * vy - uy * vx;
    if (det == 0.0 || !std::isfinite(det))
      return giPoint3();
    double s = ((c.x - a.x) * vy - (c.y - a.y) * vx) / det;
    giPoint3 vertex(a.x + s * ux, a.y + s * uy, a.z);
    const dxfPoint& arc = e.point(6);
    radius = std::hypot(arc.x - vertex.x, arc.y - vertex.y);
    return vertex;
  }
  case 3:
    return giPoint3((e.p[0].x + e.point(5).x) / 2, (e.p[0].y + e.point(5).y) / 2,
                    (e.p[0].z + e.point(5).z) / 2);
  case 4:
  case 6:
    return point(e.p[0]);
  case 5: {
    const dxfPoint& vertex = e.point(5);
    radius = std::hypot(e.p[0].x - vertex.x, e.p[0].y - vertex.y);
    return point(vertex);
  }
  default:
    return giPoint3();
  }
}
