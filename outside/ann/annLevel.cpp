// annLevel.cpp - levels (layers) and colours of the annotation model.
#include "annLevel.h"

#include "annKind.h"

ANN_DEFINE_KIND(annLevel, annNamedItem::sto_static_class(), ANN_NEW_INSTANCE(annLevel))
ANN_DEFINE_KIND(annColour, annNamedItem::sto_static_class(), nullptr)
ANN_DEFINE_KIND(annRGBColour, annColour::sto_static_class(), ANN_NEW_INSTANCE(annRGBColour))

annLevel::~annLevel() = default;
annColour::~annColour() = default;
annRGBColour::~annRGBColour() = default;

void annLevel::print_details(std::ostream& out) const {
  out << " number " << number_;
  if (!level_name_.is_null()) {
    out << " level name ";
    ann_print_quoted(out, level_name_);
  }
}

void annRGBColour::set_rgb(double red, double green, double blue) {
  red_ = red;
  green_ = green;
  blue_ = blue;
}

annNamedItemPtr annRGBColour::copy(annEntity* owner) const {
  annDocument* document = ann_document_of(owner);
  if (!document)
    return annNamedItemPtr();
  auto* made = new annRGBColour();
  made->set_rgb(red_, green_, blue_);
  if (display_name_set())
    made->set_display_name(display_name());
  return document->adopt(made, name());
}

void annRGBColour::print_details(std::ostream& out) const {
  out << " rgb ";
  ann_print(out, red_);
  out << ' ';
  ann_print(out, green_);
  out << ' ';
  ann_print(out, blue_);
}

annLevelannPtr make_annLevel(annEntity* owner, int number, const utString& name) {
  annDocument* document = ann_document_of(owner);
  if (!document)
    return annLevelannPtr();
  // The level table keeps one level per number, so that every item of a
  // layer refers to the same level.
  if (annLevel* known = document->level_of(number, name)) {
    annLevelannPtr level(known->name(), known); // the same text, shared
    level.set_name_space(known->name_space());
    return level;
  }
  annLevelannPtr level = document->make<annLevel>(name);
  level->set_level(number);
  document->add_level(level.pointer());
  return level;
}

annRGBColourannPtr make_annRGBColour(annEntity* owner, double red, double green, double blue,
                                     const utString& name) {
  annDocument* document = ann_document_of(owner);
  if (!document)
    return annRGBColourannPtr();
  annRGBColourannPtr colour = document->make<annRGBColour>(name);
  colour->set_rgb(red, green, blue);
  return colour;
}
