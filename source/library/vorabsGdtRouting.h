// vorabsGdtRouting.h - where a GD&T item puts a child's item (library-internal).
//
// The datum and geometric-tolerance translators note which children give
// associated geometry and which attached annotation; an item from a child
// in both sets counts as associated geometry. The sets only point at
// children that the compound shares; the GD&T item belongs to the document.
#pragma once

#include "vorabsTranslatorPtrArray.h"

#include "ann/ann.h"

// Adds item to target as associated geometry when from is in associated,
// else as attached annotation when from is in attached. 0, with nothing
// added, when from is in neither set or there is no target.
int vorabs_gdt_route(gdtAssociatedBase* target, const vorabsTranslator* from,
                     const vorabsTranslatorcoPointerSet& associated,
                     const vorabsTranslatorcoPointerSet& attached,
                     const annGeometryItemannPtr& item);
