// kapProperty.h - a user property of an entity: a title, a type and a text value.
//
// Format libraries attach properties to translators; the attributes-to-
// annotation step turns them into annotation properties with create_item.
// A property keeps a copy of the translation context (the document it makes
// items in) and points at two message channels it does not own.
// kapPropertycoPrf shares a property: owning when made from a new property,
// never deleting when made with coPrfExtern.
#pragma once

#include "vorabs_export.h"

#include "vorabsContext.h"

#include "ann/annProperty.h"
#include "co.h"
#include "ut.h"

class vorabsOutput;

class VORABS_API kapProperty {
public:
  explicit kapProperty(const vorabsContext& context);
  kapProperty(const kapProperty&) = delete;
  kapProperty& operator=(const kapProperty&) = delete;

  // Makes the annotation property of this value in the context's document.
  virtual annPropertyannPtr create_item(const utString& name) const;
  virtual void set_output(vorabsOutput* output) { output_ = output; }
  virtual void set_error(vorabsOutput* error) { error_ = error; }
  virtual ~kapProperty();

  const utString& title() const { return title_; }
  const utString& type() const { return type_; }
  const utString& value() const { return value_; }
  void set_title(const utString& title) { title_ = title; }
  void set_type(const utString& type) { type_ = type; }
  void set_value(const utString& value) { value_ = value; }

protected:
  annDocument* document() const { return context_.document(); }
  vorabsOutput* output() const { return output_; }
  vorabsOutput* error() const { return error_; }

private:
  vorabsContext context_;
  vorabsOutput* output_ = nullptr;
  vorabsOutput* error_ = nullptr;
  utString title_;
  utString type_;
  utString value_;
};

using kapPropertycoPrf = coPrf<kapProperty>;
