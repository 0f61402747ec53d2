// annExternalContext.cpp - what the caller of a conversion outside the annotation model keeps.
#include "annExternalContext.h"

annExternalContext::~annExternalContext() = default;
