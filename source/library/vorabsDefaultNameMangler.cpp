// vorabsDefaultNameMangler.cpp - appends "_" and a tag, then passes the name outwards.
#include "vorabsDefaultNameMangler.h"

vorabsDefaultNameMangler::~vorabsDefaultNameMangler() = default;

utString vorabsDefaultNameMangler::do_mangling(const utString& name) const {
  utString result = name + "_" + tag_;
  return pass_outwards(result);
}
