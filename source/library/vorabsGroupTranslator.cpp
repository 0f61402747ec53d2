// vorabsGroupTranslator.cpp - the compound translator whose object is an annotation group.
#include "vorabsGroupTranslator.h"

#include "sto.h"

#include <memory>

vorabsGroupTranslator::vorabsGroupTranslator(const stoClass* group_class,
                                             const giXform3& own_transform,
                                             const vorabsContext& context)
    : vorabsCompoundTranslator(context, own_transform), group_class_(group_class), group_name_("") {
}

vorabsGroupTranslator::~vorabsGroupTranslator() = default;

void vorabsGroupTranslator::attributes(vorabsAttributeSet& set) const {
  vorabsCompoundTranslator::attributes(set);
  if (!is_structure())
    set.remove(vorabsSTRUCTURE);
}

annNamedItemPtr vorabsGroupTranslator::make_compound_object(const utString& name) {
  group_ = annGroup::make_annGroup(context().document(), group_class_, name);
  if (!group_.invalid() && !group_name_.is_null() && group_name_.length() > 0)
    group_->set_group_name(group_name_);
  return group_;
}

void vorabsGroupTranslator::handle_spt_transform(const giXform3& transform, const utString& name) {
  if (group_.invalid())
    return;
  giWorkplane3 workplane(giWorkplaneWorld);
  const double scale = workplane.transform(transform);
  annSPTannPtr spt = annSPT::make_annSPT(context().document(), workplane, scale, name);
  group_->set_transform(spt);
}

void vorabsGroupTranslator::add_geometry(const annGeometryItemannPtr& item) {
  if (!group_.invalid())
    group_->add_group_geometry(item);
}

utString vorabsGroupTranslator::type_name() const {
  return utString("group");
}

void vorabsGroupTranslator::item_was_rejected() {
  if (annDocument* document = context().document())
    document->remove_geometry(group_);
  group_ = annGroupannPtr();
}

const stoClass* vorabsGroupTranslator::compound_object_type() const {
  return group_class_;
}

int vorabsGroupTranslator::is_structure() const {
  if (!group_.invalid())
    return group_->structure();
  if (!group_class_)
    return 0;
  // Ask a temporary instance of the kind.
  std::unique_ptr<stoObject> instance(group_class_->new_instance());
  const annGroup* group = annGroup::sto_dynamic_cast(instance.get());
  return group ? group->structure() : 0;
}
