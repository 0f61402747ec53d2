// vorabsStream.cpp - a pair of message channels handed to readers and writers.
#include "vorabsStream.h"
