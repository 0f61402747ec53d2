// kapExternalConverterWithStreams.cpp - makes faces and bodies for an external context.
#include "kapExternalConverterWithStreams.h"

kapExternalConverterWithStreams::~kapExternalConverterWithStreams() = default;
