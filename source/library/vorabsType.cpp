// vorabsType.cpp - a free-form type word that format libraries attach to entities.
#include "vorabsType.h"
