// vorabsVoid.cpp - the empty value of kind markers.
#include "vorabsVoid.h"
