// kapProperty.cpp - a user property of an entity: a title, a type and a text value.
#include "kapProperty.h"

kapProperty::kapProperty(const vorabsContext& context)
    : context_(context), title_(""), type_(""), value_("") {}

kapProperty::~kapProperty() = default;

annPropertyannPtr kapProperty::create_item(const utString& name) const {
  return annProperty::make_annProperty(document(), title(), type(), value(), name);
}
