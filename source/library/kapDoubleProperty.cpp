// kapDoubleProperty.cpp - a real-valued user property.
#include "kapDoubleProperty.h"

kapDoubleProperty::~kapDoubleProperty() = default;

annPropertyannPtr kapDoubleProperty::create_item(const utString& name) const {
  return annDoubleProperty::make_annDoubleProperty(document(), title(), type(), double_value_,
                                                   name);
}
