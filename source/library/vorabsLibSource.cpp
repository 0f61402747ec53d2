// vorabsLibSource.cpp - the root of the reading side.
#include "vorabsLibSource.h"

vorabsLibSource::~vorabsLibSource() = default;
