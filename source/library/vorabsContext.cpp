// vorabsContext.cpp - the annotation document in which a translation makes its items.
#include "vorabsContext.h"
