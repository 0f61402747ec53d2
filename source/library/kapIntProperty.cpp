// kapIntProperty.cpp - an integer-valued user property.
#include "kapIntProperty.h"

kapIntProperty::~kapIntProperty() = default;

annPropertyannPtr kapIntProperty::create_item(const utString& name) const {
  return annIntProperty::make_annIntProperty(document(), title(), type(), int_value_, name);
}
