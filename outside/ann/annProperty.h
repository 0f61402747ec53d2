// annProperty.h - user properties of annotation items and their assignment.
//
// A property is a named item holding a title, a type and a value (text,
// integer, real or formula). A properties assignment ties a set of
// properties to the item they describe. The document owns all of them;
// handles share.
#pragma once

#include "ann.h"

class annProperty;
using annPropertyannPtr = annPtr<annProperty>;
using annPropertyannPtrcoSet = annPtrcoSet<annProperty>;

// A text-valued property; the base of the other property kinds.
class VOROUT_API annProperty : public annNamedItem {
  ANN_ITEM_KIND(annProperty)
public:
  annProperty() = default;
  ~annProperty() override;
  const utString& title() const { return title_; }
  const utString& type() const { return type_; }
  const utString& value() const { return value_; }

  static annPropertyannPtr make_annProperty(annEntity* owner, const utString& title,
                                            const utString& type, const utString& value,
                                            const utString& name);

protected:
  utString title_;
  utString type_;
  utString value_;
};

class VOROUT_API annIntProperty : public annProperty {
  ANN_ITEM_KIND(annIntProperty)
public:
  ~annIntProperty() override;
  int int_value() const { return int_value_; }
  static annPropertyannPtr make_annIntProperty(annEntity* owner, const utString& title,
                                               const utString& type, int value,
                                               const utString& name);

private:
  int int_value_ = 0;
};

class VOROUT_API annDoubleProperty : public annProperty {
  ANN_ITEM_KIND(annDoubleProperty)
public:
  ~annDoubleProperty() override;
  double double_value() const { return double_value_; }
  static annPropertyannPtr make_annDoubleProperty(annEntity* owner, const utString& title,
                                                  const utString& type, double value,
                                                  const utString& name);

private:
  double double_value_ = 0.0;
};

class VOROUT_API annFormula : public annProperty {
  ANN_ITEM_KIND(annFormula)
public:
  ~annFormula() override;
  const utString& formula() const { return formula_; }
  static annPropertyannPtr make_annFormula(annEntity* owner, const utString& title,
                                           const utString& formula, const utString& type,
                                           const utString& value, const utString& name);

private:
  utString formula_;
};

class annPropertiesAssignment;
using annPropertiesAssignmentannPtr = annPtr<annPropertiesAssignment>;

// The properties of one item.
class VOROUT_API annPropertiesAssignment : public annNamedItem {
  ANN_ITEM_KIND(annPropertiesAssignment)
public:
  ~annPropertiesAssignment() override;
  const annNamedItemPtr& item() const { return item_; }
  const annPropertyannPtrcoSet& properties() const { return properties_; }

  static annPropertiesAssignmentannPtr
  make_annPropertiesAssignment(annEntity* owner, const annNamedItemPtr& item,
                               const annPropertyannPtrcoSet& properties, const utString& name);

private:
  annNamedItemPtr item_;
  annPropertyannPtrcoSet properties_;
};

inline const stoClass* sto_class_annProperty() {
  return annProperty::sto_static_class();
}
inline const stoClass* sto_class_annPropertiesAssignment() {
  return annPropertiesAssignment::sto_static_class();
}
