// vorabsObjectType.cpp - the annotation model kind of the item to be made.
#include "vorabsObjectType.h"
