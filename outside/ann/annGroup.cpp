// annGroup.cpp - groups of geometry items and the shape-preserving transforms that place them.
#include "annGroup.h"

#include "annKind.h"

#include <unordered_set>
#include <vector>

ANN_DEFINE_KIND(annSPT, annNamedItem::sto_static_class(), ANN_NEW_INSTANCE(annSPT))
ANN_DEFINE_KIND(annGroup, annGeometryItem::sto_static_class(), ANN_NEW_INSTANCE(annGroup))
ANN_DEFINE_KIND(annComponentFile, annGroup::sto_static_class(), ANN_NEW_INSTANCE(annComponentFile))
ANN_DEFINE_KIND(annUnlinkedSolid, annGroup::sto_static_class(), ANN_NEW_INSTANCE(annUnlinkedSolid))
ANN_DEFINE_KIND(annSymbol, annGroup::sto_static_class(), ANN_NEW_INSTANCE(annSymbol))
ANN_DEFINE_KIND(annPointSymbolInstance, annSymbol::sto_static_class(),
                ANN_NEW_INSTANCE(annPointSymbolInstance))
ANN_DEFINE_KIND(annGdtTolerance, annGroup::sto_static_class(), ANN_NEW_INSTANCE(annGdtTolerance))

annSPT::~annSPT() = default;
annGroup::~annGroup() {
  for (const annGeometryItemannPtr& member : members_)
    if (annGroup* group = annGroup::sto_dynamic_cast(member.pointer()))
      --group->times_held_;
}
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
  // Groups may share members, so each is walked once.
  std::vector<const annGroup*> pending{this};
  std::unordered_set<const annGroup*> seen{this};
  while (!pending.empty()) {
    const annGroup* group = pending.back();
    pending.pop_back();
    for (const annGeometryItemannPtr& member : group->members_) {
      if (member.pointer() == item)
        return 1;
      const annGroup* inner = annGroup::sto_dynamic_cast(member.pointer());
      if (inner && seen.insert(inner).second)
        pending.push_back(inner);
    }
  }
  return 0;
}

int annGroup::add_group_geometry(const annGeometryItemannPtr& item) {
  if (item.invalid() || item.pointer() == this)
    return 0;
  annGroup* group = annGroup::sto_dynamic_cast(item.pointer());
  if (group && times_held_ > 0 && group->holds(this))
    return 0;
  members_.append(item);
  if (group)
    ++group->times_held_;
  return 1;
}

int annGroup::remove_group_geometry(const annNamedItem* item) {
  int removed = 0;
  for (size_t i = members_.size(); i-- > 0;)
    if (members_[i].pointer() == item) {
      if (annGroup* group = annGroup::sto_dynamic_cast(members_[i].pointer()))
        --group->times_held_;
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
  annSPTannPtr spt = document->make<annSPT>(name);
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
