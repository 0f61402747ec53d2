// vorabsStyle.cpp - a whole annotation style set, to be used as it is.
#include "vorabsStyle.h"
