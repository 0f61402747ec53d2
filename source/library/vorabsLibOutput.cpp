// vorabsLibOutput.cpp - the base of file writers.
#include "vorabsLibOutput.h"

vorabsLibOutput::~vorabsLibOutput() = default;
