// annGeometry.cpp - geometry items of the annotation model and render meshes.
#include "annGeometry.h"

#include "annKind.h"

ANN_DEFINE_KIND(annGeometryItem, annNamedItem::sto_static_class(), nullptr)
ANN_DEFINE_KIND(annCurveItem, annGeometryItem::sto_static_class(), ANN_NEW_INSTANCE(annCurveItem))
ANN_DEFINE_KIND(annRenderMesh, annNamedItem::sto_static_class(), ANN_NEW_INSTANCE(annRenderMesh))
ANN_DEFINE_KIND(annSurfaceBase, annGeometryItem::sto_static_class(), nullptr)
ANN_DEFINE_KIND(annSurfaceItem, annSurfaceBase::sto_static_class(),
                ANN_NEW_INSTANCE(annSurfaceItem))
ANN_DEFINE_KIND(annFaceItem, annSurfaceBase::sto_static_class(), ANN_NEW_INSTANCE(annFaceItem))
ANN_DEFINE_KIND(annSolidItem, annSurfaceBase::sto_static_class(), ANN_NEW_INSTANCE(annSolidItem))
ANN_DEFINE_KIND(annPointItem, annGeometryItem::sto_static_class(), ANN_NEW_INSTANCE(annPointItem))
ANN_DEFINE_KIND(annWorkplaneItem, annGeometryItem::sto_static_class(),
                ANN_NEW_INSTANCE(annWorkplaneItem))

annGeometryItem::~annGeometryItem() = default;
annCurveItem::~annCurveItem() = default;
annRenderMesh::~annRenderMesh() = default;
annSurfaceBase::~annSurfaceBase() = default;
annSurfaceItem::~annSurfaceItem() = default;
annFaceItem::~annFaceItem() = default;
annSolidItem::~annSolidItem() = default;
annPointItem::~annPointItem() = default;
annWorkplaneItem::~annWorkplaneItem() = default;

void annGeometryItem::print_details(std::ostream& out) const {
  if (description_.is_null())
    return;
  out << " description ";
  ann_print_quoted(out, description_);
}

void annRenderMesh::print_details(std::ostream& out) const {
  const giTriArr* triangles = triblock_.find_feature<giTriArr>();
  out << " triangles " << (triangles ? triangles->size() : 0);
}

int annSurfaceBase::holds(const annSurfaceBase* surface) const {
  for (const annSurfaceBaseannPtr& sub : sub_surfaces_)
    if (sub.pointer() == surface || sub->holds(surface))
      return 1;
  return 0;
}

int annSurfaceBase::add_sub_surface(const annSurfaceBaseannPtr& surface) {
  if (surface.invalid() || surface.pointer() == this || surface->holds(this))
    return 0;
  sub_surfaces_.append(surface);
  return 1;
}

void annSurfaceBase::print_details(std::ostream& out) const {
  annGeometryItem::print_details(out);
  if (!render_mesh_.invalid()) {
    out << " mesh ";
    ann_print_quoted(out, render_mesh_->name());
  }
  if (!sub_surfaces_.empty())
    out << " sub-surfaces " << sub_surfaces_.size();
}

void annPointItem::print_details(std::ostream& out) const {
  out << " at ";
  ann_print_point(out, point_);
}

void annWorkplaneItem::print_details(std::ostream& out) const {
  out << " origin ";
  ann_print_point(out, workplane_.origin());
}

annPointItemannPtr make_annPointItem(annEntity* owner, const giPoint3& point,
                                     const utString& name) {
  annPointItemannPtr item = ann_make_item<annPointItem>(owner, name);
  if (!item.invalid())
    item->set_point(point);
  return item;
}

annWorkplaneItemannPtr make_annWorkplaneItem(annEntity* owner, const giWorkplane3& workplane,
                                             const utString& name) {
  annWorkplaneItemannPtr item = ann_make_item<annWorkplaneItem>(owner, name);
  if (!item.invalid())
    item->set_workplane(workplane);
  return item;
}

annCurveItemannPtr make_annCurveItem(annEntity* owner, const utString& description,
                                     const utString& name) {
  return ann_make_described<annCurveItem>(owner, description, name);
}

annSurfaceItemannPtr make_annSurfaceItem(annEntity* owner, const utString& description,
                                         const utString& name) {
  return ann_make_described<annSurfaceItem>(owner, description, name);
}

annFaceItemannPtr make_annFaceItem(annEntity* owner, const utString& description,
                                   const utString& name) {
  return ann_make_described<annFaceItem>(owner, description, name);
}

annSolidItemannPtr make_annSolidItem(annEntity* owner, const utString& description,
                                     const utString& name) {
  return ann_make_described<annSolidItem>(owner, description, name);
}

annRenderMeshannPtr make_annRenderMesh(annEntity* owner, const giTriBlock& triblock,
                                       const utString& name) {
  annRenderMeshannPtr mesh = ann_make_item<annRenderMesh>(owner, name);
  if (!mesh.invalid())
    mesh->set_triblock(triblock);
  return mesh;
}
