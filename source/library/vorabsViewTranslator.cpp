// vorabsViewTranslator.cpp - the translator of a view on a drawing sheet.
#include "vorabsViewTranslator.h"

#include "vorabsInterface.h"

#include "vorabsOutput.h"

vorabsViewTranslator::vorabsViewTranslator(const giBox3& box, const giXform3& own_transform,
                                           const vorabsContext& context)
    : vorabsCompoundTranslator(context, own_transform), box_(box) {}

vorabsViewTranslator::~vorabsViewTranslator() = default;

vorabsTranslationStatus vorabsViewTranslator::create_item(const vorabsAttributeSet& attributes,
                                                          const giXform3& transform,
                                                          vorabsInterface& receiver,
                                                          vorabsLibSink& sink) {
  if (receiver.attributes().member(vorabsPROCESSVIEWS))
    return vorabsCompoundTranslator::create_item(attributes, transform, receiver, sink);
  receiver.increment_progress(num_translators() - 1);
  if (output())
    output()->tprintf("vorabs", "Ignoring view due to %s being set to %s.\n", "vorOptProcessViews",
                      "False");
  return vorabsSTATUS_IGNORED;
}

annNamedItemPtr vorabsViewTranslator::make_compound_object(const utString& name) {
  annDocument* document = context().document();
  const giXform3& placement = own_transform();
  annNamedItemPtr transform_item;
  if (placement.code() >= 8 && placement.code() <= 12) {
    transform_item = make_annGeneralTransform(document, placement, name);
  } else {
    giWorkplane3 frame(giWorkplaneWorld);
    double scale = frame.transform(placement);
    transform_item = make_annSPT(document, frame, scale, name);
  }
  view_ = make_annView(document, transform_item, box_, name);
  if (view_.invalid())
    return annNamedItemPtr();
  view_->set_default_style(make_annStyleSet(document, annStylePtrcoSet(4, 50), name));
  return view_;
}

void vorabsViewTranslator::handle_spt_transform(const giXform3&, const utString&) {}

void vorabsViewTranslator::add_geometry(const annGeometryItemannPtr& item) {
  if (!view_.invalid())
    view_->add_geometry(item);
}

utString vorabsViewTranslator::type_name() const {
  return utString("view");
}

void vorabsViewTranslator::item_was_rejected() {}

const stoClass* vorabsViewTranslator::compound_object_type() const {
  return sto_class_annView();
}
