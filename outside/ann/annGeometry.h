// annGeometry.h - geometry items of the annotation model and render meshes.
//
// A geometry item is a named item that shows a piece of geometry: a point,
// a workplane, a curve, a surface, a face, a solid, a text, a fill area or a
// point cloud. Points and workplanes hold their values, and text, fill
// areas and point clouds (annText.h, annFillArea.h, annPointCloud.h) their
// parts; the other kinds hold, for now, only a description of what they
// were made from (opaque text given by their factory); the kernel objects
// are attached later. A surface-like item may carry a render mesh and
// sub-surfaces; it shares them through handles, and the document owns them
// like any other item.
#pragma once

#include "annItem.h"
#include "gi.h"
#include "top.h"
#include "vel.h"

// The base of every geometry item (no factory of its own).
class VOROUT_API annGeometryItem : public annNamedItem {
  ANN_ITEM_KIND(annGeometryItem)
public:
  ~annGeometryItem() override;
  // Null until the factory sets it.
  const utString& description() const { return description_; }
  void set_description(const utString& description) { description_ = description; }
  // " description "...."" when there is one.
  void print_details(std::ostream& out) const override;

private:
  utString description_;
};

// A curve item; annCurve is the kind that holds a 2D curve of the world plane.
class VOROUT_API annCurveItem : public annGeometryItem {
  ANN_ITEM_KIND(annCurveItem)
public:
  ~annCurveItem() override;
};

// A triangle mesh drawn in place of a surface-like item.
class VOROUT_API annRenderMesh final : public annNamedItem {
  ANN_ITEM_KIND(annRenderMesh)
public:
  ~annRenderMesh() override;
  const giTriBlock& triblock() const { return triblock_; }
  void set_triblock(const giTriBlock& block) { triblock_ = block; }
  // " triangles N" (N is 0 without a triangle feature).
  void print_details(std::ostream& out) const override;

private:
  giTriBlock triblock_;
};

class annSurfaceBase;
using annGeometryItemannPtr = annPtr<annGeometryItem>;
using annCurveItemannPtr = annPtr<annCurveItem>;
using annRenderMeshannPtr = annPtr<annRenderMesh>;
using annSurfaceBaseannPtr = annPtr<annSurfaceBase>;

// The base of surface-like items (no factory of its own).
class VOROUT_API annSurfaceBase : public annGeometryItem {
  ANN_ITEM_KIND(annSurfaceBase)
public:
  ~annSurfaceBase() override;
  const annRenderMeshannPtr& render_mesh() const { return render_mesh_; }
  void set_render_mesh(const annRenderMeshannPtr& mesh) { render_mesh_ = mesh; }
  // Appends a sub-surface. Nonzero when added; an invalid handle, this item
  // itself or an item that already holds this one (directly or further
  // down) is refused.
  int add_sub_surface(const annSurfaceBaseannPtr& surface);
  int num_sub_surfaces() const { return int(sub_surfaces_.size()); }
  const annSurfaceBaseannPtr& sub_surface(int i) const { return sub_surfaces_[size_t(i)]; }
  // The kernel surface and the topology the item shows; each an empty
  // handle until set. Both are shared with whoever set them.
  const velSurfPtr& surface() const { return surface_; }
  void set_surface(const velSurfPtr& surface) { surface_ = surface; }
  const topTopologyPtr& topology() const { return topology_; }
  void set_topology(const topTopologyPtr& topology) { topology_ = topology; }
  // The description, then " mesh "name"" and " sub-surfaces N" when present.
  void print_details(std::ostream& out) const override;

private:
  int holds(const annSurfaceBase* surface) const;
  annRenderMeshannPtr render_mesh_;
  coVariableArr<annSurfaceBaseannPtr> sub_surfaces_;
  velSurfPtr surface_;
  topTopologyPtr topology_;
};

class VOROUT_API annSurfaceItem final : public annSurfaceBase {
  ANN_ITEM_KIND(annSurfaceItem)
public:
  ~annSurfaceItem() override;
};

class VOROUT_API annFaceItem final : public annSurfaceBase {
  ANN_ITEM_KIND(annFaceItem)
public:
  ~annFaceItem() override;
};

class VOROUT_API annSolidItem final : public annSurfaceBase {
  ANN_ITEM_KIND(annSolidItem)
public:
  ~annSolidItem() override;
};

class VOROUT_API annPointItem final : public annGeometryItem {
  ANN_ITEM_KIND(annPointItem)
public:
  ~annPointItem() override;
  const giPoint3& point() const { return point_; }
  void set_point(const giPoint3& point) { point_ = point; }
  // " at x y z" (" at unset" for an unset point).
  void print_details(std::ostream& out) const override;

private:
  giPoint3 point_;
};

class VOROUT_API annWorkplaneItem final : public annGeometryItem {
  ANN_ITEM_KIND(annWorkplaneItem)
public:
  ~annWorkplaneItem() override;
  const giWorkplane3& workplane() const { return workplane_; }
  void set_workplane(const giWorkplane3& workplane) { workplane_ = workplane; }
  // " origin x y z" (" origin unset" for an unset workplane).
  void print_details(std::ostream& out) const override;

private:
  giWorkplane3 workplane_;
};

using annSurfaceItemannPtr = annPtr<annSurfaceItem>;
using annFaceItemannPtr = annPtr<annFaceItem>;
using annSolidItemannPtr = annPtr<annSolidItem>;
using annPointItemannPtr = annPtr<annPointItem>;
using annWorkplaneItemannPtr = annPtr<annWorkplaneItem>;

inline const stoClass* sto_class_annGeometryItem() {
  return annGeometryItem::sto_static_class();
}
inline const stoClass* sto_class_annCurveItem() {
  return annCurveItem::sto_static_class();
}
inline const stoClass* sto_class_annSurfaceBase() {
  return annSurfaceBase::sto_static_class();
}
inline const stoClass* sto_class_annSurfaceItem() {
  return annSurfaceItem::sto_static_class();
}
inline const stoClass* sto_class_annFaceItem() {
  return annFaceItem::sto_static_class();
}
inline const stoClass* sto_class_annSolidItem() {
  return annSolidItem::sto_static_class();
}
inline const stoClass* sto_class_annPointItem() {
  return annPointItem::sto_static_class();
}
inline const stoClass* sto_class_annWorkplaneItem() {
  return annWorkplaneItem::sto_static_class();
}
inline const stoClass* sto_class_annRenderMesh() {
  return annRenderMesh::sto_static_class();
}

// Factories: a new item of the kind, owned by the owner's document, named
// name; an invalid handle when there is no owner.
VOROUT_API annPointItemannPtr make_annPointItem(annEntity* owner, const giPoint3& point,
                                                const utString& name);
VOROUT_API annWorkplaneItemannPtr make_annWorkplaneItem(annEntity* owner,
                                                        const giWorkplane3& workplane,
                                                        const utString& name);
VOROUT_API annCurveItemannPtr make_annCurveItem(annEntity* owner, const utString& description,
                                                const utString& name);
VOROUT_API annSurfaceItemannPtr make_annSurfaceItem(annEntity* owner, const utString& description,
                                                    const utString& name);
VOROUT_API annFaceItemannPtr make_annFaceItem(annEntity* owner, const utString& description,
                                              const utString& name);
VOROUT_API annSolidItemannPtr make_annSolidItem(annEntity* owner, const utString& description,
                                                const utString& name);
VOROUT_API annRenderMeshannPtr make_annRenderMesh(annEntity* owner, const giTriBlock& triblock,
                                                  const utString& name);
