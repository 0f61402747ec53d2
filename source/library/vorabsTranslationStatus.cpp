// vorabsTranslationStatus.cpp - the result of every translation call.
#include "vorabsTranslationStatus.h"
