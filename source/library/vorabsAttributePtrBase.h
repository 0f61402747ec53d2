// vorabsAttributePtrBase.h - the root of the typed attribute pointers.
//
// A typed pointer either owns a heap value (the objects an attribute set
// stores, made by make_new or clone) or refers to a value owned elsewhere
// (the pointers callers declare and hand to get or check_out). The set
// creates, copies and rebinds values only through the three virtual
// operations below, so it never needs to know the value types. Typed pointers
// are not copyable: an owning copy would free its value twice.
#pragma once

#include "vorabs_export.h"

#include "ut.h"

#include <cstddef>

class VORABS_API vorabsAttributePtrBase {
public:
  explicit vorabsAttributePtrBase(int owning) : owning_(owning) {}
  vorabsAttributePtrBase(const vorabsAttributePtrBase&) = delete;
  vorabsAttributePtrBase& operator=(const vorabsAttributePtrBase&) = delete;

  // Refers to other's value without owning it. A pointer of another member
  // is refused and this pointer stays as it was. Used only on pointers that
  // own nothing.
  virtual void point_to(const vorabsAttributePtrBase& other) = 0;
  // A new owning pointer of the same member holding a default value.
  virtual vorabsAttributePtrBase* make_new() const = 0;
  // A new owning pointer of the same member holding a copy of this value.
  virtual vorabsAttributePtrBase* clone() const = 0;
  virtual ~vorabsAttributePtrBase();
  virtual const utTypeID& ut_dynamic_type() const;
  virtual int ut_is_kind_of(const utTypeID& id) const;
  // Gives the value this pointer refers to a fresh default; nonzero when
  // done. Lets a set reuse a stored value of the same member instead of
  // allocating a new one on check_out.
  virtual int renew();
  // make_new and clone into storage that the caller owns: size holds the
  // room on entry and the bytes taken on return. Null when the pointer does
  // not fit. The caller ends what it gets with the virtual destructor and
  // never deletes it. Lets a set keep small values inside itself.
  virtual vorabsAttributePtrBase* make_new_in(void* storage, size_t& size) const;
  virtual vorabsAttributePtrBase* clone_in(void* storage, size_t& size) const;

  static const utTypeID& ut_static_type();
  static vorabsAttributePtrBase* ut_dynamic_cast(vorabsAttributePtrBase* p) { return p; }
  static const vorabsAttributePtrBase* ut_dynamic_cast(const vorabsAttributePtrBase* p) {
    return p;
  }

  // Nonzero when this pointer deletes its value on destruction.
  int owns() const { return owning_; }

protected:
  int owning_;
};
