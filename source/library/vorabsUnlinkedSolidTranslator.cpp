// vorabsUnlinkedSolidTranslator.cpp - a solid given as loose faces, gathered into one group.
#include "vorabsUnlinkedSolidTranslator.h"

#include "vorabsAttributePtr.h"

#include "vorResource.h"

vorabsUnlinkedSolidTranslator::vorabsUnlinkedSolidTranslator(const giXform3& own_transform,
                                                             const vorabsContext& context)
    : vorabsGroupTranslator(sto_class_annUnlinkedSolid(), own_transform, context) {}

vorabsUnlinkedSolidTranslator::~vorabsUnlinkedSolidTranslator() = default;

void vorabsUnlinkedSolidTranslator::add_parent(vorabsAttributeSet& set) const {
  utStringvorabsAttributePtr parent;
  set.check_out(vorabsPARENT, parent);
  *parent = parent_id();
}

void vorabsUnlinkedSolidTranslator::attributes(vorabsAttributeSet& set) const {
  vorabsGroupTranslator::attributes(set);
  add_parent(set);
}

void vorabsUnlinkedSolidTranslator::add_inherited_attributes(vorabsAttributeSet& set) const {
  add_parent(set);
}

utString vorabsUnlinkedSolidTranslator::type_name() const {
  return utString("unlinked solid");
}

int vorabsUnlinkedSolidTranslator::is_surface(const annGeometryItemannPtr& item) {
  const annSurfaceBase* surface = annSurfaceBase::sto_dynamic_cast(item.pointer());
  return surface && !surface->surface().invalid();
}

int vorabsUnlinkedSolidTranslator::is_single_face_topology(const annGeometryItemannPtr& item) {
  const annSurfaceBase* surface = annSurfaceBase::sto_dynamic_cast(item.pointer());
  if (!surface || surface->topology().invalid())
    return 0;
  topFaceIT faces(surface->topology());
  return ++faces && !++faces;
}

void vorabsUnlinkedSolidTranslator::add_geometry(const annGeometryItemannPtr& item) {
  if (is_surface(item) || is_single_face_topology(item)) {
    vorabsGroupTranslator::add_geometry(item);
    return;
  }
  const annGroup* group = annGroup::sto_dynamic_cast(item.pointer());
  if (!group)
    return;
  // A moved group would need its placement on every face: it is dropped.
  if (!group->transform().invalid() &&
      !equal(group->transform()->xform(), giXform3(giXformIdentity),
             vor_resource_table_inquire().value(vorTolCoincBreakPoints)))
    return;
  for (const annGeometryItemannPtr& member : group->get_group_geometry())
    add_geometry(member);
}
