// vorabsName.cpp - an entity name: a string, or a number standing in for it.
#include "vorabsName.h"

utString vorabsName::string() const {
  if (!string_.empty())
    return string_;
  utString digits("");
  digits << number_;
  return digits;
}
