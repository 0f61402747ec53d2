// kapILoopChecker.cpp - decides whether a loop of a body's face is acceptable.
#include "kapILoopChecker.h"

kapILoopChecker::~kapILoopChecker() = default;
