// vorabsType.h - a free-form type word that format libraries attach to entities.
#pragma once

#include "vorabs_export.h"

#include "ut.h"

class VORABS_API vorabsType {
public:
  vorabsType() = default;
  explicit vorabsType(utString type) : type_(std::move(type)) {}

  utString type() const { return type_; }
  // The stored string, or an empty (not null) string when there is none.
  utString string() const { return type_.is_null() ? utString("") : type_; }
  int invalid() const { return type_.empty(); }

private:
  utString type_;
};
