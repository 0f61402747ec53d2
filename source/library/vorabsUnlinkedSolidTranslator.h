// vorabsUnlinkedSolidTranslator.h - a solid given as loose faces, gathered into one group.
//
// The children's surfaces and single-face topologies go into one
// unlinked-solid group; a child group that is not moved is flattened into
// it, to any depth, and one that is moved is dropped, as is anything else.
// Every face translated for the solid names the same parent, the format
// library's identifier of the solid (parent_id, which it supplies with
// create_name_mangler). The document owns the group and its members.
#pragma once

#include "vorabs_export.h"

#include "vorabsGroupTranslator.h"

class VORABS_API vorabsUnlinkedSolidTranslator : public vorabsGroupTranslator {
public:
  vorabsUnlinkedSolidTranslator(const giXform3& own_transform, const vorabsContext& context);
  ~vorabsUnlinkedSolidTranslator() override;

  // The group's attributes and the solid as parent.
  void attributes(vorabsAttributeSet& set) const override;

protected:
  void add_geometry(const annGeometryItemannPtr& item) override;
  // "unlinked solid".
  utString type_name() const override;
  // The solid as parent of every child.
  void add_inherited_attributes(vorabsAttributeSet& set) const override;
  // The format library's identifier of the solid.
  virtual utString parent_id() const = 0;

  // An annotation surface with a kernel surface.
  static int is_surface(const annGeometryItemannPtr& item);
  // An annotation surface whose topology has exactly one face.
  static int is_single_face_topology(const annGeometryItemannPtr& item);

private:
  void add_parent(vorabsAttributeSet& set) const;
};
