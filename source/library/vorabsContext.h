// vorabsContext.h - the annotation document in which a translation makes its items.
//
// Refers to the document without owning it; copies refer to the same one.
#pragma once

#include "vorabs_export.h"

class annDocument;

class VORABS_API vorabsContext {
public:
  vorabsContext() = default;
  vorabsContext(const vorabsContext& other) { become(other); }
  vorabsContext& operator=(const vorabsContext& other) {
    become(other);
    return *this;
  }
  ~vorabsContext() = default;

  annDocument* document() const { return document_; }
  void set_document(annDocument* document) { document_ = document; }
  int invalid() const { return document_ == nullptr; }

protected:
  void become(const vorabsContext& other) { document_ = other.document_; }

private:
  annDocument* document_ = nullptr;
};
