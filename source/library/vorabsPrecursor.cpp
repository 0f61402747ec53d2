// vorabsPrecursor.cpp - the empty value that marks a probe set.
#include "vorabsPrecursor.h"
