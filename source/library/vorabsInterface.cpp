// vorabsInterface.cpp - the host's receiver of a translation.
#include "vorabsInterface.h"

vorabsInterface::~vorabsInterface() = default;
