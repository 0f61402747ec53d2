// kapIAQTKernel.cpp - the body kernel as a format library reaches it.
#include "kapIAQTKernel.h"

kapIAQTKernel::~kapIAQTKernel() = default;
