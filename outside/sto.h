// sto.h - the store library: class tags and schema objects.
//
// Every stored object kind has one static stoClass: its name, its parent
// kind and a factory that makes a temporary instance (the caller deletes
// it). sto_dynamic_cast answers by kind, walking the parent chain, so that
// no C++ RTTI has to cross a library boundary.
#pragma once

#include "ut.h"
#include "vorout_export.h"

class stoObject;

class VOROUT_API stoClass {
public:
  using Factory = stoObject* (*)();
  stoClass(const char* name, const stoClass* parent, Factory factory)
      : name_(name), parent_(parent), factory_(factory) {}
  stoClass(const stoClass&) = delete;
  stoClass& operator=(const stoClass&) = delete;

  const char* name() const { return name_; }
  const stoClass* parent() const { return parent_; }
  // Nonzero when this kind is other or derives from it.
  int is_kind_of(const stoClass* other) const;
  // A new temporary instance of this kind, or null for an abstract kind.
  // The caller owns it.
  stoObject* new_instance() const { return factory_ ? factory_() : nullptr; }

private:
  const char* name_;
  const stoClass* parent_;
  Factory factory_;
};

// The root of everything that carries a class tag.
class VOROUT_API stoObject {
public:
  virtual ~stoObject();
  virtual const stoClass* sto_class() const = 0;
};

// The object as the kind tag, or null when it is not of that kind (or null).
VOROUT_API stoObject* sto_dynamic_cast(const stoClass* tag, stoObject* object);
VOROUT_API const stoObject* sto_dynamic_cast(const stoClass* tag, const stoObject* object);

// A named object of the store schema.
class VOROUT_API stoSchemaObject : public stoObject {
public:
  ~stoSchemaObject() override;
  const utString& name() const { return name_; }
  void set_name(const utString& name) { name_ = name; }

protected:
  explicit stoSchemaObject(const utString& name = utString()) : name_(name) {}

private:
  utString name_;
};
