// annNameSpaceCopier.h - brings a name space over into a document.
//
// Items copied from one document into another keep their names; to keep
// them apart from the target's own items of the same names, they go into
// the target's copy of the name space they came from. The copy is the
// target document's own space of the same path (the same names, outermost
// first), made there on first use and shared by every later copy of an
// equal path. The document owns the copied space; the copier only holds a
// reference to it.
#pragma once

#include "annItem.h"

class VOROUT_API annNameSpaceCopier {
public:
  // Null space or document: nothing is copied.
  annNameSpaceCopier(const annNameSpacePtr& space, annDocument* document);
  // The target document's space of space's path; null when nothing was copied.
  const annNameSpacePtr& copied_name_space() const { return copied_; }

private:
  annNameSpacePtr copied_;
};
