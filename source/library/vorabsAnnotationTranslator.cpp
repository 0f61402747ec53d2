// vorabsAnnotationTranslator.cpp - the base of translators that build an annotation item
// themselves.
#include "vorabsAnnotationTranslator.h"

#include "vorabsAttributePtr.h"
#include "vorabsLibSink.h"

vorabsAnnotationTranslator::~vorabsAnnotationTranslator() = default;

void vorabsAnnotationTranslator::attributes(vorabsAttributeSet& set) const {
  mark_kind(set, vorabsANNOTATION);
}

vorabsTranslationStatus
vorabsAnnotationTranslator::create_item(const vorabsAttributeSet& attributes,
                                        const giXform3& transform, vorabsInterface&,
                                        vorabsLibSink& sink) {
  vorabsAttributeSet own(utCopy, attributes);
  set_attributes(own);
  // An unset placement can place nothing.
  if (transform.invalid())
    return vorabsSTATUS_FAILED;
  vorabsTranslationStatus status = vorabsSTATUS_FAILED;
  annGeometryItemannPtr item;
  if (!transform.shape_preserving()) {
    if (!non_spts_supported())
      return vorabsSTATUS_FAILED;
    status = create_annotation(own, transform, item);
  } else {
    status = create_annotation(own, giXform3(giXformIdentity), item);
    if (status == vorabsSTATUS_OK)
      item = wrap_annotation(own, transform, item);
  }
  if (status != vorabsSTATUS_OK)
    return status;
  if (item.invalid())
    return vorabsSTATUS_FAILED;
  return sink.annotation(item, own);
}

annGeometryItemannPtr
vorabsAnnotationTranslator::wrap_annotation(const vorabsAttributeSet& attributes,
                                            const giXform3& transform,
                                            const annGeometryItemannPtr& item) {
  if (transform.identity() || item.invalid())
    return item;
  vorabsNamevorabsAttributePtr name_value;
  const utString name = attributes.get(vorabsNAME, name_value) ? name_value->name() : utString("");
  annDocument* document = context().document();
  annGroupannPtr group = annGroup::make_annGroup(document, sto_class_annGroup(), name);
  if (group.invalid())
    return annGeometryItemannPtr();
  group->add_group_geometry(item);
  group->set_style(item->style());
  group->set_level(item->level());
  giWorkplane3 workplane(giWorkplaneWorld);
  const double scale = workplane.transform(transform);
  group->set_transform(annSPT::make_annSPT(document, workplane, scale, name));
  return group;
}

utString vorabsAnnotationTranslator::entity_name(const vorabsAttributeSet& attributes) {
  vorabsNamevorabsAttributePtr name;
  return attributes.get(vorabsNAME, name) ? name->string() : utString("");
}
