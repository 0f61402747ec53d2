// vorabsObjectType.h - the annotation model kind of the item to be made.
//
// Refers to a class tag of the annotation model; the tag is static and
// never owned.
#pragma once

#include "vorabs_export.h"

class stoClass;

class VORABS_API vorabsObjectType {
public:
  vorabsObjectType() = default;
  explicit vorabsObjectType(const stoClass* type) : type_(type) {}

  const stoClass* type() const { return type_; }
  int invalid() const { return type_ == nullptr; }

private:
  const stoClass* type_ = nullptr;
};
