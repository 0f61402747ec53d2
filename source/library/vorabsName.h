// vorabsName.h - an entity name: a string, or a number standing in for it.
//
// A name with a string answers that string; one without answers its number
// in decimal. It is invalid with neither (no string and number 0).
#pragma once

#include "vorabs_export.h"

#include "ut.h"

class VORABS_API vorabsName {
public:
  vorabsName() = default;
  explicit vorabsName(int number) : number_(number) {}
  vorabsName(utString string, int number) : number_(number), string_(std::move(string)) {}

  int number() const { return number_; }
  // The stored string, possibly empty.
  utString name() const { return string_; }
  // The stored string or, when there is none, the number in decimal.
  utString string() const;
  int invalid() const { return string_.empty() && number_ == 0; }

private:
  int number_ = 0;
  utString string_;
};
