// sto.cpp - the store library: class tags, schema objects and the store proxy.
#include "sto.h"

int stoClass::is_kind_of(const stoClass* other) const {
  for (const stoClass* tag = this; tag; tag = tag->parent_)
    if (tag == other)
      return 1;
  return 0;
}

stoObject::~stoObject() = default;
stoSchemaObject::~stoSchemaObject() = default;

stoObject* sto_dynamic_cast(const stoClass* tag, stoObject* object) {
  return object && tag && object->sto_class()->is_kind_of(tag) ? object : nullptr;
}

const stoObject* sto_dynamic_cast(const stoClass* tag, const stoObject* object) {
  return object && tag && object->sto_class()->is_kind_of(tag) ? object : nullptr;
}

stoProxy::~stoProxy() = default;

utString stoProxy::find_schema_file(const utString&) const {
  return utString("");
}
