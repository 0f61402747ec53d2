// annGroup.cpp - groups of geometry items and the shape-preserving transforms that place them.
#include "annGroup.h"

#include "annKind.h"

ANN_DEFINE_KIND(annSPT, annNamedItem::sto_static_class(), ANN_NEW_INSTANCE(annSPT))
ANN_DEFINE_KIND(annGroup, annGeometryItem::sto_static_class(), ANN_NEW_INSTANCE(annGroup))
ANN_DEFINE_KIND(annComponentFile, annGroup::sto_static_class(), ANN_NEW_INSTANCE(annComponentFile))
ANN_DEFINE_KIND(annUnlinkedSolid, annGroup::sto_static_class(), ANN_NEW_INSTANCE(annUnlinkedSolid))
ANN_DEFINE_KIND(annSymbol, annGroup::sto_static_class(), ANN_NEW_INSTANCE(annSymbol))
ANN_DEFINE_KIND(annPointSymbolInstance, annSymbol::sto_static_class(),
                ANN_NEW_INSTANCE(annPointSymbolInstance))
ANN_DEFINE_KIND(annGdtTolerance, annGroup::sto_static_class(), ANN_NEW_INSTANCE(annGdtTolerance))

annSPT::~annSPT() = default;
annGroup::~annGroup() = default;
annComponentFile::~annComponentFile() = default;
annUnlinkedSolid::~annUnlinkedSolid() = default;
annSymbol::~annSymbol() = default;
annPointSymbolInstance::~annPointSymbolInstance() = default;
annGdtTolerance::~annGdtTolerance() = default;

void annSPT::set(const giWorkplane3& workplane, double scale) {
  workplane_ = workplane;
  scale_ = scale;
}

giXform3 annSPT::xform() const {
  if (workplane_.invalid())
    return giXform3();
  const giVector3 u = workplane_.u_vector() * scale_;
  const giVector3 v = workplane_.v_vector() * scale_;
  const giVector3 n = workplane_.normal() * scale_;
  const giPoint3& o = workplane_.origin();
  const double matrix[4][4] = {
      {u.x, v.x, n.x, o.x}, {u.y, v.y, n.y, o.y}, {u.z, v.z, n.z, o.z}, {0.0, 0.0, 0.0, 1.0}};
  return giXform3(matrix);
}

void annSPT::print_details(std::ostream& out) const {
  out << " origin ";
  const giPoint3& o = workplane_.origin();
  if (o.invalid()) {
    out << "unset";
  } else {
    ann_print(out, o.x);
    out << ' ';
    ann_print(out, o.y);
    out << ' ';
    ann_print(out, o.z);
  }
  out << " scale ";
  ann_print(out, scale_);
}

int annGroup::holds(const annNamedItem* item) const {
  for (const annGeometryItemannPtr& member : members_) {
    if (member.pointer() == item)
      return 1;
    const annGroup* group = annGroup::sto_dynamic_cast(member.pointer());
    if (group && group->holds(item))
      return 1;
  }
  return 0;
}

int annGroup::add_group_geometry(const annGeometryItemannPtr& item) {
  if (item.invalid() || item.pointer() == this)
    return 0;
  const annGroup* group = annGroup::sto_dynamic_cast(item.pointer());
  if (group && group->holds(this))
    return 0;
  members_.append(item);
  return 1;
}

int annGroup::remove_group_geometry(const annNamedItem* item) {
  int removed = 0;
  for (size_t i = members_.size(); i-- > 0;)
    if (members_[i].pointer() == item) {
      members_.remove(i);
      removed = 1;
    }
  return removed;
}

int annGroup::structure() const {
  return 0;
}

void annGroup::print_details(std::ostream& out) const {
  annGeometryItem::print_details(out);
  if (!group_name_.is_null()) {
    out << " group name ";
    ann_print_quoted(out, group_name_);
  }
  if (!transform_.invalid()) {
    out << " transform ";
    ann_print_quoted(out, transform_->name());
  }
}

void annComponentFile::print_details(std::ostream& out) const {
  annGroup::print_details(out);
  if (!component_file_.is_null()) {
    out << " file ";
    ann_print_quoted(out, component_file_);
  }
}

int annUnlinkedSolid::structure() const {
  return 1;
}
int annSymbol::structure() const {
  return 1;
}
int annGdtTolerance::structure() const {
  return 1;
}

annSPTannPtr make_annSPT(annEntity* owner, const giWorkplane3& workplane, double scale,
                         const utString& name) {
  annDocument* document = ann_document_of(owner);
  if (!document)
    return annSPTannPtr();
  annSPTannPtr spt = document->adopt(std::make_shared<annSPT>(), name);
  spt->set(workplane, scale);
  return spt;
}

annGroupannPtr make_annGroup(annEntity* owner, const stoClass* tag, const utString& name) {
  annDocument* document = ann_document_of(owner);
  if (!document || !tag || !tag->is_kind_of(sto_class_annGroup()))
    return annGroupannPtr();
  stoObject* made = tag->new_instance();
  annGroup* group = annGroup::sto_dynamic_cast(made);
  if (!group) {
    delete made;
    return annGroupannPtr();
  }
  return document->adopt(group, name);
}
