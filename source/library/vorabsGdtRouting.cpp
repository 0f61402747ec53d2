// vorabsGdtRouting.cpp - where a GD&T item puts a child's item.
#include "vorabsGdtRouting.h"

int vorabs_gdt_route(gdtAssociatedBase* target, const vorabsTranslator* from,
                     const vorabsTranslatorcoPointerSet& associated,
                     const vorabsTranslatorcoPointerSet& attached,
                     const annGeometryItemannPtr& item) {
  if (!target)
    return 0;
  if (associated.member(from)) {
    target->add_associated_geometry(item);
    return 1;
  }
  if (attached.member(from)) {
    target->add_attached_annotation(item);
    return 1;
  }
  return 0;
}
