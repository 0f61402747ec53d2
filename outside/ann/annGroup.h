// annGroup.h - groups of geometry items and the shape-preserving transforms that place them.
//
// A group is a geometry item whose members are other geometry items, kept
// in the order they were added; it shares them through handles, and the
// document owns them like any other item, so a member is still in the
// document after its group is gone. The kind of group to make is chosen by
// class tag (make_annGroup): the plain group and the special kinds below,
// each of which says whether it is a structure. A group may be placed by a
// shape-preserving transform item (annSPT), which it shares.
#pragma once

#include "annGeometry.h"
#include "annItem.h"
#include "gi.h"

class annSPT;
class annGroup;
using annSPTannPtr = annPtr<annSPT>;
using annGroupannPtr = annPtr<annGroup>;
using annGeometryItemannPtrcoVariableArr = coVariableArr<annGeometryItemannPtr>;

// A new shape-preserving transform owned by the owner's document: the map
// from the world frame onto workplane, scaled by scale about its origin.
// Invalid handle without an owner.
VOROUT_API annSPTannPtr make_annSPT(annEntity* owner, const giWorkplane3& workplane, double scale,
                                    const utString& name);
// A new group of the kind tag names (annGroup or a kind derived from it),
// owned by the owner's document. Invalid handle without an owner, or when
// the tag is null or not a group kind.
VOROUT_API annGroupannPtr make_annGroup(annEntity* owner, const stoClass* tag,
                                        const utString& name);

// A transform kept as the workplane it carries the world frame onto and a
// uniform scale, so that it can only preserve shape.
class VOROUT_API annSPT final : public annNamedItem {
  ANN_ITEM_KIND(annSPT)
public:
  ~annSPT() override;
  static annSPTannPtr make_annSPT(annEntity* owner, const giWorkplane3& workplane, double scale,
                                  const utString& name) {
    return ::make_annSPT(owner, workplane, scale, name);
  }
  const giWorkplane3& workplane() const { return workplane_; }
  double scale() const { return scale_; }
  void set(const giWorkplane3& workplane, double scale);
  // Maps a world point p to origin + scale * (p.x u + p.y v + p.z normal);
  // unset while the workplane is unset.
  giXform3 xform() const;
  // " origin x y z scale s".
  void print_details(std::ostream& out) const override;

private:
  giWorkplane3 workplane_;
  double scale_ = 1.0;
};

// The plain group: a loose collection, not a structure.
class VOROUT_API annGroup : public annGeometryItem {
  ANN_ITEM_KIND(annGroup)
public:
  ~annGroup() override;
  static annGroupannPtr make_annGroup(annEntity* owner, const stoClass* tag, const utString& name) {
    return ::make_annGroup(owner, tag, name);
  }

  // Appends a member. Nonzero when added; an invalid handle, the group
  // itself or a group that holds this one (directly or further down) is
  // refused. The same item may be added more than once.
  int add_group_geometry(const annGeometryItemannPtr& item);
  // The members in the order they were added.
  const annGeometryItemannPtrcoVariableArr& get_group_geometry() const { return members_; }
  // Takes every occurrence of item out of the members; nonzero when there was one.
  int remove_group_geometry(const annNamedItem* item);
  // Nonzero when this group holds item, directly or in a group it holds.
  // Walks each group below once, without recursion, however deep the
  // nesting.
  int holds(const annNamedItem* item) const;
  // How many times groups hold this one as a member (each occurrence
  // counts). A group nobody holds can be held by no member, so adding a
  // group to it needs no walk.
  int times_held() const { return times_held_; }

  // The name the group shows as a group; null until set.
  const utString& group_name() const { return group_name_; }
  void set_group_name(const utString& name) { group_name_ = name; }
  // Nonzero when the members together make one object (a dimension, a
  // symbol, a tolerance, a solid of loose faces) that must be kept whole;
  // zero for a loose collection. 0 for the plain group.
  virtual int structure() const;
  // The placement of the group; invalid until set.
  const annSPTannPtr& transform() const { return transform_; }
  void set_transform(const annSPTannPtr& transform) { transform_ = transform; }

  size_t num_members() const override { return members_.size(); }
  annNamedItem* member(size_t i) const override { return members_[i].pointer(); }
  int remove_member(const annNamedItem* item) override { return remove_group_geometry(item); }
  // " group name "..."" and " transform "..."" when set.
  void print_details(std::ostream& out) const override;

private:
  annGeometryItemannPtrcoVariableArr members_;
  int times_held_ = 0;
  utString group_name_;
  annSPTannPtr transform_;
};

// The items read from an externally referenced file: a loose collection
// (not a structure) that knows the file it came from.
class VOROUT_API annComponentFile final : public annGroup {
  ANN_ITEM_KIND(annComponentFile)
public:
  ~annComponentFile() override;
  // Null until set.
  const utString& component_file() const { return component_file_; }
  void set_component_file(const utString& file) { component_file_ = file; }
  // The group's details, then " file "..."" when set.
  void print_details(std::ostream& out) const override;

private:
  utString component_file_;
};

// A solid given as loose faces: a structure.
class VOROUT_API annUnlinkedSolid final : public annGroup {
  ANN_ITEM_KIND(annUnlinkedSolid)
public:
  ~annUnlinkedSolid() override;
  int structure() const override;
};

// A symbol: its geometry makes one structure.
class VOROUT_API annSymbol : public annGroup {
  ANN_ITEM_KIND(annSymbol)
public:
  ~annSymbol() override;
  int structure() const override;
};

// A symbol placed at a point.
class VOROUT_API annPointSymbolInstance final : public annSymbol {
  ANN_ITEM_KIND(annPointSymbolInstance)
public:
  ~annPointSymbolInstance() override;
};

// The base of GD&T items (datums, tolerances, roughness symbols ..., see
// gdt.h): a structure.
class VOROUT_API annGdtTolerance : public annGroup {
  ANN_ITEM_KIND(annGdtTolerance)
public:
  ~annGdtTolerance() override;
  int structure() const override;
};

inline const stoClass* sto_class_annSPT() {
  return annSPT::sto_static_class();
}
inline const stoClass* sto_class_annGroup() {
  return annGroup::sto_static_class();
}
inline const stoClass* sto_class_annComponentFile() {
  return annComponentFile::sto_static_class();
}
inline const stoClass* sto_class_annUnlinkedSolid() {
  return annUnlinkedSolid::sto_static_class();
}
inline const stoClass* sto_class_annSymbol() {
  return annSymbol::sto_static_class();
}
inline const stoClass* sto_class_annPointSymbolInstance() {
  return annPointSymbolInstance::sto_static_class();
}
inline const stoClass* sto_class_annGdtTolerance() {
  return annGdtTolerance::sto_static_class();
}
