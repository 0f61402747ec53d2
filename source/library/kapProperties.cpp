// kapProperties.cpp - the value of the "properties" attribute.
#include "kapProperties.h"
