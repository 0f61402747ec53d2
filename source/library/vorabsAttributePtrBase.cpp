// vorabsAttributePtrBase.cpp - the root of the typed attribute pointers.
#include "vorabsAttributePtrBase.h"

namespace {
const utTypeID base_type_id("vorabsAttributePtrBase");
}

vorabsAttributePtrBase::~vorabsAttributePtrBase() = default;

const utTypeID& vorabsAttributePtrBase::ut_static_type() {
  return base_type_id;
}

const utTypeID& vorabsAttributePtrBase::ut_dynamic_type() const {
  return base_type_id;
}

int vorabsAttributePtrBase::ut_is_kind_of(const utTypeID& id) const {
  return id == base_type_id;
}

int vorabsAttributePtrBase::renew() {
  return 0;
}

vorabsAttributePtrBase* vorabsAttributePtrBase::make_new_in(void*, size_t&) const { return nullptr; }

vorabsAttributePtrBase* vorabsAttributePtrBase::clone_in(void*, size_t&) const { return nullptr; }
