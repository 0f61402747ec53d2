// kapFormula.cpp - a user property given by a formula, with its type and value.
#include "kapFormula.h"

kapFormula::~kapFormula() = default;

annPropertyannPtr kapFormula::create_item(const utString& name) const {
  return annFormula::make_annFormula(document(), title(), formula_, type(), value(), name);
}
