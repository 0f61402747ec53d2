// vorabsAttributePtr.cpp - the seventeen typed attribute pointers.
#include "vorabsAttributePtr.h"

#include <cstddef>
#include <new>

namespace {

// What make_new and clone hand to an attribute set: the member pointer and
// its value in one allocation. It owns the value (owns() is 1) but the value
// lives inline, so the pointer is cleared before the member's destructor
// would delete it.
template <class T> class vorabsAttributeValueHolder final : public vorabsAttributePtr<T> {
public:
  vorabsAttributeValueHolder() : inline_value_() { adopt(); }
  explicit vorabsAttributeValueHolder(const T& value) : inline_value_(value) { adopt(); }
  ~vorabsAttributeValueHolder() override { this->value_ = nullptr; }

private:
  void adopt() {
    this->value_ = &inline_value_;
    this->owning_ = 1;
  }
  T inline_value_;
};

// The type id of each member, named as the member and built at load time.
template <class T> struct MemberTypeId;

#define VORABS_ATTRIBUTE_PTR_TYPE_ID(Type, Name)                                                   \
  template <> struct MemberTypeId<Type> { static const utTypeID id; };                             \
  const utTypeID MemberTypeId<Type>::id(#Name, &vorabsAttributePtrBase::ut_static_type());

VORABS_ATTRIBUTE_PTR_TYPE_ID(utString, utStringvorabsAttributePtr)
VORABS_ATTRIBUTE_PTR_TYPE_ID(utBool, utBoolvorabsAttributePtr)
VORABS_ATTRIBUTE_PTR_TYPE_ID(vorabsVoid, vorabsVoidvorabsAttributePtr)
VORABS_ATTRIBUTE_PTR_TYPE_ID(vorabsType, vorabsTypevorabsAttributePtr)
VORABS_ATTRIBUTE_PTR_TYPE_ID(vorabsStyle, vorabsStylevorabsAttributePtr)
VORABS_ATTRIBUTE_PTR_TYPE_ID(vorabsPrecursor, vorabsPrecursorvorabsAttributePtr)
VORABS_ATTRIBUTE_PTR_TYPE_ID(vorabsObjectType, vorabsObjectTypevorabsAttributePtr)
VORABS_ATTRIBUTE_PTR_TYPE_ID(vorabsName, vorabsNamevorabsAttributePtr)
VORABS_ATTRIBUTE_PTR_TYPE_ID(vorabsLayer, vorabsLayervorabsAttributePtr)
VORABS_ATTRIBUTE_PTR_TYPE_ID(vorabsCurveFont, vorabsCurveFontvorabsAttributePtr)
VORABS_ATTRIBUTE_PTR_TYPE_ID(vorabsColour, vorabsColourvorabsAttributePtr)
VORABS_ATTRIBUTE_PTR_TYPE_ID(vorLengthUnit, vorLengthUnitvorabsAttributePtr)
VORABS_ATTRIBUTE_PTR_TYPE_ID(kapProperties, kapPropertiesvorabsAttributePtr)
VORABS_ATTRIBUTE_PTR_TYPE_ID(giAngle, giAnglevorabsAttributePtr)
VORABS_ATTRIBUTE_PTR_TYPE_ID(double, doublevorabsAttributePtr)
VORABS_ATTRIBUTE_PTR_TYPE_ID(annNameSpacePath, annNameSpacePathvorabsAttributePtr)
VORABS_ATTRIBUTE_PTR_TYPE_ID(annHierarchy, annHierarchyvorabsAttributePtr)

} // namespace

template <class T> const utTypeID& vorabsAttributePtr<T>::ut_static_type() {
  return MemberTypeId<T>::id;
}

template <class T> vorabsAttributePtrBase* vorabsAttributePtr<T>::make_new() const {
  return new vorabsAttributeValueHolder<T>();
}

template <class T> vorabsAttributePtrBase* vorabsAttributePtr<T>::clone() const {
  return value_ ? new vorabsAttributeValueHolder<T>(*value_) : new vorabsAttributeValueHolder<T>();
}

template <class T>
vorabsAttributePtrBase* vorabsAttributePtr<T>::make_new_in(void* storage, size_t& size) const {
  using Holder = vorabsAttributeValueHolder<T>;
  if (sizeof(Holder) > size || alignof(Holder) > alignof(std::max_align_t))
    return nullptr;
  size = sizeof(Holder);
  return new (storage) Holder();
}

template <class T>
vorabsAttributePtrBase* vorabsAttributePtr<T>::clone_in(void* storage, size_t& size) const {
  using Holder = vorabsAttributeValueHolder<T>;
  if (sizeof(Holder) > size || alignof(Holder) > alignof(std::max_align_t))
    return nullptr;
  size = sizeof(Holder);
  return value_ ? new (storage) Holder(*value_) : new (storage) Holder();
}

template <class T> int vorabsAttributePtr<T>::renew() {
  if (!value_)
    return 0;
  *value_ = T();
  return 1;
}

template <class T> const utTypeID& vorabsAttributePtr<T>::ut_dynamic_type() const {
  return ut_static_type();
}

template <class T> int vorabsAttributePtr<T>::ut_is_kind_of(const utTypeID& id) const {
  return ut_static_type().is_kind_of(id);
}

template class vorabsAttributePtr<utString>;
template class vorabsAttributePtr<utBool>;
template class vorabsAttributePtr<vorabsVoid>;
template class vorabsAttributePtr<vorabsType>;
template class vorabsAttributePtr<vorabsStyle>;
template class vorabsAttributePtr<vorabsPrecursor>;
template class vorabsAttributePtr<vorabsObjectType>;
template class vorabsAttributePtr<vorabsName>;
template class vorabsAttributePtr<vorabsLayer>;
template class vorabsAttributePtr<vorabsCurveFont>;
template class vorabsAttributePtr<vorabsColour>;
template class vorabsAttributePtr<vorLengthUnit>;
template class vorabsAttributePtr<kapProperties>;
template class vorabsAttributePtr<giAngle>;
template class vorabsAttributePtr<double>;
template class vorabsAttributePtr<annNameSpacePath>;
template class vorabsAttributePtr<annHierarchy>;
