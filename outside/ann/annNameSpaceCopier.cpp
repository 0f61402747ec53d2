// annNameSpaceCopier.cpp - brings a name space over into a document.
#include "annNameSpaceCopier.h"

annNameSpaceCopier::annNameSpaceCopier(const annNameSpacePtr& space, annDocument* document) {
  if (space && document)
    copied_ = document->name_space_of(annNameSpacePath(space));
}
