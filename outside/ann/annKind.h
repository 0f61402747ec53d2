// annKind.h - defines the class tag of an item kind (for the model's own sources only).
//
// A kind's tag is a function-local static, made on first use, with its name,
// its parent kind's tag and a factory for a temporary instance (null for an
// abstract kind).
#pragma once

#include "annItem.h"
#include "gi.h"

#define ANN_DEFINE_KIND(Kind, Parent, Factory)                                                     \
  const stoClass* Kind::sto_static_class() {                                                       \
    static const stoClass tag(#Kind, Parent, Factory);                                             \
    return &tag;                                                                                   \
  }

// The factory of a concrete kind.
#define ANN_NEW_INSTANCE(Kind) ([]() -> stoObject* { return new Kind(); })

#include <ostream>

// Numbers print in utString's locale-independent form.
inline void ann_print(std::ostream& out, double value) {
  utString text("");
  text << value;
  out << text.c_str();
}

// A name in double quotes, as the document prints it.
inline void ann_print_quoted(std::ostream& out, const utString& text) {
  out << '"' << text.c_str() << '"';
}

inline annDocument* ann_document_of(annEntity* owner) {
  return owner ? owner->document() : nullptr;
}

// Makes a new item of kind T in the owner's document; invalid without one.
template <class T> annPtr<T> ann_make_item(annEntity* owner, const utString& name) {
  annDocument* document = ann_document_of(owner);
  if (!document)
    return annPtr<T>();
  return document->template make<T>(name);
}

// A new item of kind T holding a description of what it was made from.
template <class T>
annPtr<T> ann_make_described(annEntity* owner, const utString& description, const utString& name) {
  annPtr<T> item = ann_make_item<T>(owner, name);
  if (!item.invalid())
    item->set_description(description);
  return item;
}

// "x y z", or "unset" for an unset point.
inline void ann_print_point(std::ostream& out, const giPoint3& point) {
  if (point.invalid()) {
    out << "unset";
    return;
  }
  ann_print(out, point.x);
  out << ' ';
  ann_print(out, point.y);
  out << ' ';
  ann_print(out, point.z);
}
