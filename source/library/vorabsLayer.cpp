// vorabsLayer.cpp - a layer: its number (-1 for none) and an optional name.
#include "vorabsLayer.h"
