// vorabsLibInput.cpp - the base of file readers.
#include "vorabsLibInput.h"

vorabsLibInput::~vorabsLibInput() = default;
