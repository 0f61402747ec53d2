// kapProperties.h - the value of the "properties" attribute.
//
// A non-owning handle to a translator's property array: the translator owns
// the array, so a set carrying this value must not outlive the translator.
#pragma once

#include "vorabs_export.h"

#include "ut.h"

class kapPropertyPtrArray;

class VORABS_API kapProperties {
public:
  kapProperties() = default;
  kapProperties(utPtrExternMarker, kapPropertyPtrArray* properties) : properties_(properties) {}

  int invalid() const { return properties_ == nullptr; }
  kapPropertyPtrArray* properties() const { return properties_; }

private:
  kapPropertyPtrArray* properties_ = nullptr;
};
