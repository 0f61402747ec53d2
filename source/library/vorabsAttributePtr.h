// vorabsAttributePtr.h - the typed attribute pointers: one template, seventeen members.
//
// vorabsAttributePtr<T> points at a value of type T. Constructed from a
// pointer it owns the value and deletes it; default-constructed it owns
// nothing and is filled by an attribute set's get or check_out, after which
// it refers into the set. Each member is spelled by the suite's name
// (vorabsColourvorabsAttributePtr, doublevorabsAttributePtr, ...) and has its
// own type id named exactly so. The members are instantiated once, in the
// library.
#pragma once

#include "vorabsAttributePtrBase.h"
#include "vorabs_export.h"

#include "ann/ann.h"
#include "gi.h"
#include "kapProperties.h"
#include "ut.h"
#include "vorLengthUnit.h"
#include "vorabsColour.h"
#include "vorabsCurveFont.h"
#include "vorabsLayer.h"
#include "vorabsName.h"
#include "vorabsObjectType.h"
#include "vorabsPrecursor.h"
#include "vorabsStyle.h"
#include "vorabsType.h"
#include "vorabsVoid.h"

#include <type_traits>

class vorabsAttributeSet;

template <class T> class VORABS_API vorabsAttributePtr : public vorabsAttributePtrBase {
public:
  vorabsAttributePtr() : vorabsAttributePtrBase(0) {}
  explicit vorabsAttributePtr(T* value) : vorabsAttributePtrBase(1), value_(value) {}

  void point_to(const vorabsAttributePtrBase& other) override {
    if (const vorabsAttributePtr* same = ut_dynamic_cast(&other))
      value_ = same->value_;
  }
  vorabsAttributePtrBase* make_new() const override;
  vorabsAttributePtrBase* clone() const override;
  ~vorabsAttributePtr() override {
    if (owning_ && value_)
      delete value_;
  }
  const utTypeID& ut_dynamic_type() const override;
  int ut_is_kind_of(const utTypeID& id) const override;
  int renew() override;
  vorabsAttributePtrBase* make_new_in(void* storage, size_t& size) const override;
  vorabsAttributePtrBase* clone_in(void* storage, size_t& size) const override;

  static const utTypeID& ut_static_type();
  static vorabsAttributePtr* ut_dynamic_cast(vorabsAttributePtrBase* p) {
    return p && p->ut_is_kind_of(ut_static_type()) ? static_cast<vorabsAttributePtr*>(p) : nullptr;
  }
  static const vorabsAttributePtr* ut_dynamic_cast(const vorabsAttributePtrBase* p) {
    return p && p->ut_is_kind_of(ut_static_type()) ? static_cast<const vorabsAttributePtr*>(p)
                                                   : nullptr;
  }

  int invalid() const { return value_ == nullptr; }
  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }
  // Members whose value is a class also offer ->.
  template <class U = T, class = std::enable_if_t<std::is_class<U>::value>> U* operator->() {
    return value_;
  }
  template <class U = T, class = std::enable_if_t<std::is_class<U>::value>>
  const U* operator->() const {
    return value_;
  }

protected:
  friend class vorabsAttributeSet; // binds pointers to stored values directly
  T* value_ = nullptr;
};

using utStringvorabsAttributePtr = vorabsAttributePtr<utString>;
using utBoolvorabsAttributePtr = vorabsAttributePtr<utBool>;
using vorabsVoidvorabsAttributePtr = vorabsAttributePtr<vorabsVoid>;
using vorabsTypevorabsAttributePtr = vorabsAttributePtr<vorabsType>;
using vorabsStylevorabsAttributePtr = vorabsAttributePtr<vorabsStyle>;
using vorabsPrecursorvorabsAttributePtr = vorabsAttributePtr<vorabsPrecursor>;
using vorabsObjectTypevorabsAttributePtr = vorabsAttributePtr<vorabsObjectType>;
using vorabsNamevorabsAttributePtr = vorabsAttributePtr<vorabsName>;
using vorabsLayervorabsAttributePtr = vorabsAttributePtr<vorabsLayer>;
using vorabsCurveFontvorabsAttributePtr = vorabsAttributePtr<vorabsCurveFont>;
using vorabsColourvorabsAttributePtr = vorabsAttributePtr<vorabsColour>;
using vorLengthUnitvorabsAttributePtr = vorabsAttributePtr<vorLengthUnit>;
using kapPropertiesvorabsAttributePtr = vorabsAttributePtr<kapProperties>;
using giAnglevorabsAttributePtr = vorabsAttributePtr<giAngle>;
using doublevorabsAttributePtr = vorabsAttributePtr<double>;
using annNameSpacePathvorabsAttributePtr = vorabsAttributePtr<annNameSpacePath>;
using annHierarchyvorabsAttributePtr = vorabsAttributePtr<annHierarchy>;

extern template class vorabsAttributePtr<utString>;
extern template class vorabsAttributePtr<utBool>;
extern template class vorabsAttributePtr<vorabsVoid>;
extern template class vorabsAttributePtr<vorabsType>;
extern template class vorabsAttributePtr<vorabsStyle>;
extern template class vorabsAttributePtr<vorabsPrecursor>;
extern template class vorabsAttributePtr<vorabsObjectType>;
extern template class vorabsAttributePtr<vorabsName>;
extern template class vorabsAttributePtr<vorabsLayer>;
extern template class vorabsAttributePtr<vorabsCurveFont>;
extern template class vorabsAttributePtr<vorabsColour>;
extern template class vorabsAttributePtr<vorLengthUnit>;
extern template class vorabsAttributePtr<kapProperties>;
extern template class vorabsAttributePtr<giAngle>;
extern template class vorabsAttributePtr<double>;
extern template class vorabsAttributePtr<annNameSpacePath>;
extern template class vorabsAttributePtr<annHierarchy>;
