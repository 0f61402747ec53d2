// kapIntProperty.h - an integer-valued user property.
//
// Its annotation property carries the integer; the text value is not passed on.
#pragma once

#include "kapProperty.h"

class VORABS_API kapIntProperty : public kapProperty {
public:
  explicit kapIntProperty(const vorabsContext& context) : kapProperty(context) {}
  ~kapIntProperty() override;
  annPropertyannPtr create_item(const utString& name) const override;

  int int_value() const { return int_value_; }
  void set_int_value(int value) { int_value_ = value; }

private:
  int int_value_ = 0;
};
