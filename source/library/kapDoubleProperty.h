// kapDoubleProperty.h - a real-valued user property.
//
// Its annotation property carries the real; the text value is not passed on.
#pragma once

#include "kapProperty.h"

class VORABS_API kapDoubleProperty : public kapProperty {
public:
  explicit kapDoubleProperty(const vorabsContext& context) : kapProperty(context) {}
  ~kapDoubleProperty() override;
  annPropertyannPtr create_item(const utString& name) const override;

  double double_value() const { return double_value_; }
  void set_double_value(double value) { double_value_ = value; }

private:
  double double_value_ = 0.0;
};
