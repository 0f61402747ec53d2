// annPresentation.cpp - drawings, views, environments, lights and backgrounds.
#include "annPresentation.h"

#include "annKind.h"

ANN_DEFINE_KIND(annGeneralTransform, annNamedItem::sto_static_class(),
                ANN_NEW_INSTANCE(annGeneralTransform))
ANN_DEFINE_KIND(annPresentation, annNamedItem::sto_static_class(),
                ANN_NEW_INSTANCE(annPresentation))
ANN_DEFINE_KIND(annView, annPresentation::sto_static_class(), ANN_NEW_INSTANCE(annView))
ANN_DEFINE_KIND(annEnvironment, annNamedItem::sto_static_class(), ANN_NEW_INSTANCE(annEnvironment))
ANN_DEFINE_KIND(annLight, annNamedItem::sto_static_class(), ANN_NEW_INSTANCE(annLight))
ANN_DEFINE_KIND(annBackground, annNamedItem::sto_static_class(), ANN_NEW_INSTANCE(annBackground))

annGeneralTransform::~annGeneralTransform() = default;
annPresentation::~annPresentation() = default;
annView::~annView() = default;
annEnvironment::~annEnvironment() = default;
annLight::~annLight() = default;
annBackground::~annBackground() = default;

namespace {
// Removes every handle to item from list; nonzero when there was one.
template <class Handle> int remove_handles(coVariableArr<Handle>& list, const annNamedItem* item) {
  int removed = 0;
  for (size_t i = list.size(); i-- > 0;)
    if (list[i].pointer() == item) {
      list.remove(i);
      removed = 1;
    }
  return removed;
}
} // namespace

void annGeneralTransform::print_details(std::ostream& out) const {
  out << " matrix";
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 4; ++column) {
      out << ' ';
      ann_print(out, giXform3Acc::matrix_value(xform_, row, column));
    }
}

void annPresentation::add_geometry(const annGeometryItemannPtr& item) {
  if (!item.invalid())
    geometry_.append(item);
}

void annPresentation::add_presentation(const annPresentationannPtr& presentation) {
  if (!presentation.invalid() && presentation.pointer() != this)
    presentations_.append(presentation);
}

void annPresentation::set_paper_size(double width, double height) {
  paper_width_ = width;
  paper_height_ = height;
}

void annPresentation::print_details(std::ostream& out) const {
  if (paper_width_ > 0 || paper_height_ > 0) {
    out << " paper ";
    ann_print(out, paper_width_);
    out << " x ";
    ann_print(out, paper_height_);
  }
  if (!paper_name_.empty()) {
    out << " paper name ";
    ann_print_quoted(out, paper_name_);
  }
  if (!environment_.invalid()) {
    out << " environment ";
    ann_print_quoted(out, environment_->name());
  }
}

size_t annPresentation::num_members() const {
  return geometry_.size() + presentations_.size();
}

annNamedItem* annPresentation::member(size_t i) const {
  if (i < geometry_.size())
    return geometry_[i].pointer();
  return presentations_[i - geometry_.size()].pointer();
}

int annPresentation::remove_member(const annNamedItem* item) {
  int removed = remove_handles(geometry_, item);
  removed |= remove_handles(presentations_, item);
  if (environment_.pointer() == item) {
    environment_ = annEnvironmentannPtr();
    removed = 1;
  }
  return removed;
}

void annView::print_details(std::ostream& out) const {
  annPresentation::print_details(out);
  if (!transform_.invalid()) {
    out << " transform ";
    ann_print_quoted(out, transform_->name());
  }
}

annEnvironmentannPtr annEnvironment::make_annEnvironment(annEntity* owner, const utString& name) {
  annDocument* document = ann_document_of(owner);
  return document ? document->adopt(new annEnvironment(), name) : annEnvironmentannPtr();
}

void annEnvironment::add_light(const annLightannPtr& light) {
  if (!light.invalid())
    lights_.append(light);
}

size_t annEnvironment::num_members() const {
  return lights_.size() + (background_.invalid() ? 0 : 1);
}

annNamedItem* annEnvironment::member(size_t i) const {
  if (i < lights_.size())
    return lights_[i].pointer();
  return background_.pointer();
}

int annEnvironment::remove_member(const annNamedItem* item) {
  int removed = remove_handles(lights_, item);
  if (background_.pointer() == item) {
    background_ = annBackgroundannPtr();
    removed = 1;
  }
  return removed;
}

annLightannPtr annLight::make_annLight(annEntity* owner, const utString& kind,
                                       const utString& name) {
  annDocument* document = ann_document_of(owner);
  if (!document)
    return annLightannPtr();
  auto* light = new annLight();
  light->kind_ = kind;
  return document->adopt(light, name);
}

void annLight::print_details(std::ostream& out) const {
  if (!kind_.empty()) {
    out << " kind ";
    ann_print_quoted(out, kind_);
  }
}

annBackgroundannPtr annBackground::make_annBackground(annEntity* owner, double red, double green,
                                                      double blue, const utString& name) {
  annDocument* document = ann_document_of(owner);
  if (!document)
    return annBackgroundannPtr();
  auto* background = new annBackground();
  background->red_ = red;
  background->green_ = green;
  background->blue_ = blue;
  return document->adopt(background, name);
}

void annBackground::print_details(std::ostream& out) const {
  out << " rgb ";
  ann_print(out, red_);
  out << ' ';
  ann_print(out, green_);
  out << ' ';
  ann_print(out, blue_);
}

annGeneralTransformannPtr make_annGeneralTransform(annEntity* owner, const giXform3& xform,
                                                   const utString& name) {
  annDocument* document = ann_document_of(owner);
  if (!document)
    return annGeneralTransformannPtr();
  auto* transform = new annGeneralTransform();
  transform->xform_ = xform;
  return document->adopt(transform, name);
}

annPresentationannPtr make_annPresentation(annEntity* owner, const annStyleSetannPtr& style,
                                           const annGeometryItemannPtrcoSet& geometry,
                                           const annStyleAssignmentannPtrcoSet&,
                                           const utString& name) {
  annDocument* document = ann_document_of(owner);
  if (!document)
    return annPresentationannPtr();
  auto* presentation = new annPresentation();
  presentation->default_style_ = style;
  for (const annGeometryItemannPtr& item : geometry)
    presentation->add_geometry(item);
  return document->adopt(presentation, name);
}

annViewannPtr make_annView(annEntity* owner, const annNamedItemPtr& transform, const giBox3& box,
                           const utString& name) {
  annDocument* document = ann_document_of(owner);
  if (!document)
    return annViewannPtr();
  auto* view = new annView();
  view->transform_ = transform;
  view->box_ = box;
  return document->adopt(view, name);
}
