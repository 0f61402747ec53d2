// annProperty.cpp - user properties of annotation items and their assignment.
#include "annProperty.h"

#define ANN_PROPERTY_KIND(Kind, Parent)                                                            \
  const stoClass* Kind::sto_static_class() {                                                       \
    static const stoClass tag(#Kind, Parent::sto_static_class(),                                   \
                              []() -> stoObject* { return new Kind(); });                          \
    return &tag;                                                                                   \
  }

ANN_PROPERTY_KIND(annProperty, annNamedItem)
ANN_PROPERTY_KIND(annIntProperty, annProperty)
ANN_PROPERTY_KIND(annDoubleProperty, annProperty)
ANN_PROPERTY_KIND(annFormula, annProperty)
ANN_PROPERTY_KIND(annPropertiesAssignment, annNamedItem)

annProperty::~annProperty() = default;
annIntProperty::~annIntProperty() = default;
annDoubleProperty::~annDoubleProperty() = default;
annFormula::~annFormula() = default;
annPropertiesAssignment::~annPropertiesAssignment() = default;

namespace {
annDocument* document_of(annEntity* owner) {
  return owner ? owner->document() : nullptr;
}
} // namespace

annPropertyannPtr annProperty::make_annProperty(annEntity* owner, const utString& title,
                                                const utString& type, const utString& value,
                                                const utString& name) {
  annDocument* document = document_of(owner);
  if (!document)
    return annPropertyannPtr();
  auto* property = new annProperty();
  property->title_ = title;
  property->type_ = type;
  property->value_ = value;
  return document->adopt(property, name);
}

annPropertyannPtr annIntProperty::make_annIntProperty(annEntity* owner, const utString& title,
                                                      const utString& type, int value,
                                                      const utString& name) {
  annDocument* document = document_of(owner);
  if (!document)
    return annPropertyannPtr();
  auto* property = new annIntProperty();
  property->title_ = title;
  property->type_ = type;
  property->int_value_ = value;
  annPtr<annIntProperty> made = document->adopt(property, name);
  return annPropertyannPtr::cast(made);
}

annPropertyannPtr annDoubleProperty::make_annDoubleProperty(annEntity* owner, const utString& title,
                                                            const utString& type, double value,
                                                            const utString& name) {
  annDocument* document = document_of(owner);
  if (!document)
    return annPropertyannPtr();
  auto* property = new annDoubleProperty();
  property->title_ = title;
  property->type_ = type;
  property->double_value_ = value;
  return annPropertyannPtr::cast(document->adopt(property, name));
}

annPropertyannPtr annFormula::make_annFormula(annEntity* owner, const utString& title,
                                              const utString& formula, const utString& type,
                                              const utString& value, const utString& name) {
  annDocument* document = document_of(owner);
  if (!document)
    return annPropertyannPtr();
  auto* property = new annFormula();
  property->title_ = title;
  property->formula_ = formula;
  property->type_ = type;
  property->value_ = value;
  return annPropertyannPtr::cast(document->adopt(property, name));
}

annPropertiesAssignmentannPtr
annPropertiesAssignment::make_annPropertiesAssignment(annEntity* owner, const annNamedItemPtr& item,
                                                      const annPropertyannPtrcoSet& properties,
                                                      const utString& name) {
  annDocument* document = document_of(owner);
  if (!document)
    return annPropertiesAssignmentannPtr();
  auto* assignment = new annPropertiesAssignment();
  assignment->item_ = item;
  assignment->properties_ = properties;
  return document->adopt(assignment, name);
}
