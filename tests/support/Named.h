// Named.h - a format library's translator of an abstract framework class, for tests.
//
// Named<T> passes its arguments after the name on to T, names the entity
// with the name and mangles nothing.
#pragma once

#include "TestHelpers.h"

#include <utility>

template <class Base> class Named : public Base {
public:
  template <class... Args>
  explicit Named(const char* name, Args&&... args)
      : Base(std::forward<Args>(args)...), name_(name) {}
  void attributes(vorabsAttributeSet& set) const override {
    Base::attributes(set);
    put(set, vorabsNAME, vorabsName(name_, 0));
  }

protected:
  vorabsNameMangler* create_name_mangler(utPtrRelease) const override { return nullptr; }

private:
  utString name_;
};
