// vorabsDimensionPoint.h - the defining point of a dimension, made and dressed (library-internal).
//
// The dimension translators give their dimension a point item (a centre, a
// vertex, an origin, a dimensioned point) made in the context's document,
// named with the dimension's name and a suffix, and dressed in the
// translator's own attributes under the dimension's name. The document owns
// the point; the handle is invalid without a document.
#pragma once

#include "ann/ann.h"
#include "gi.h"
#include "ut.h"

class vorabsTranslator;

// The point at point, named name followed by suffix (which begins with a blank).
annPointItemannPtr vorabs_make_dimension_point(const vorabsTranslator& translator,
                                               const giPoint3& point, const utString& name,
                                               const char* suffix);
