// vorabsDrawingTranslator.cpp - the translator of a drawing sheet.
#include "vorabsDrawingTranslator.h"

vorabsDrawingTranslator::vorabsDrawingTranslator(const vorabsContext& context)
    : vorabsCompoundTranslator(context, giXform3(giXformIdentity)) {}

vorabsDrawingTranslator::~vorabsDrawingTranslator() = default;

annNamedItemPtr vorabsDrawingTranslator::make_compound_object(const utString& name) {
  annDocument* document = context().document();
  annStyleSetannPtr styles = make_annStyleSet(document, annStylePtrcoSet(4, 50), name);
  presentation_ = make_annPresentation(document, styles, annGeometryItemannPtrcoSet(4, 50),
                                       annStyleAssignmentannPtrcoSet(4, 50), name);
  if (presentation_.invalid())
    return annNamedItemPtr();
  if (paper_width_ > 0.0 && paper_height_ > 0.0)
    presentation_->set_paper_size(paper_width_, paper_height_);
  if (!paper_name_.empty())
    presentation_->set_paper_name(paper_name_);
  document->model()->add_presentation(presentation_);
  return presentation_;
}

void vorabsDrawingTranslator::handle_spt_transform(const giXform3&, const utString&) {}

void vorabsDrawingTranslator::add_geometry(const annGeometryItemannPtr& item) {
  if (!presentation_.invalid())
    presentation_->add_geometry(item);
}

void vorabsDrawingTranslator::add_named_item(const annNamedItemPtr& item) {
  if (presentation_.invalid() || item.invalid())
    return;
  if (annPresentation::sto_dynamic_cast(item.pointer())) {
    annPresentationannPtr sub(item.name(), annPresentation::sto_dynamic_cast(item.pointer()));
    sub.set_name_space(item.name_space());
    presentation_->add_presentation(sub);
    return;
  }
  // Any other kind is skipped: only an environment can stand here.
  if (annEnvironment* environment = annEnvironment::sto_dynamic_cast(item.pointer())) {
    annEnvironmentannPtr handle(item.name(), environment);
    handle.set_name_space(item.name_space());
    presentation_->set_environment(handle);
  }
}

utString vorabsDrawingTranslator::type_name() const {
  return utString("drawing");
}

void vorabsDrawingTranslator::item_was_rejected() {}

const stoClass* vorabsDrawingTranslator::compound_object_type() const {
  return sto_class_annPresentation();
}
