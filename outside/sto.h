// sto.h - the store library: class tags, schema objects and the store proxy.
//
// Every stored object kind has one static stoClass: its name, its parent
// kind and a factory that makes a temporary instance (the caller deletes
// it). sto_dynamic_cast answers by kind, walking the parent chain, so that
// no C++ RTTI has to cross a library boundary. A store proxy is the host's
// agent for finding schema files; it refers to a report stream it does not
// own (which may be null).
#pragma once

#include "ut.h"
#include "vorout_export.h"

#include <iosfwd>

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

// Finds the schema files that stored data names. The base finds none; a
// host derives its own lookup.
class VOROUT_API stoProxy {
public:
  explicit stoProxy(std::ostream* stream) : stream_(stream) {}
  stoProxy(const stoProxy&) = delete;
  stoProxy& operator=(const stoProxy&) = delete;
  virtual ~stoProxy();

  // The full name of the schema file called name, or an empty string when
  // it cannot be found.
  virtual utString find_schema_file(const utString& name) const;
  // Where the proxy reports; may be null.
  std::ostream* stream() const { return stream_; }

private:
  std::ostream* stream_;
};
