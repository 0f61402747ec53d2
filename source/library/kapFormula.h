// kapFormula.h - a user property given by a formula, with its type and value.
#pragma once

#include "kapProperty.h"

class VORABS_API kapFormula : public kapProperty {
public:
  explicit kapFormula(const vorabsContext& context) : kapProperty(context), formula_("") {}
  ~kapFormula() override;
  annPropertyannPtr create_item(const utString& name) const override;

  const utString& formula() const { return formula_; }
  void set_formula(const utString& formula) { formula_ = formula; }

private:
  utString formula_;
};
